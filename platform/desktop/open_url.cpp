#include "platform/desktop/open_url.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

extern char** environ;

namespace desktop {

bool OpenUrlInBrowser(const std::string& url) {
  if (url.empty())
    return false;
  std::string program = "xdg-open";
  // "--" would be taken as a URL by xdg-open; a URL that looks like an option is refused instead.
  if (url[0] == '-')
    return false;
  char* argv[] = {program.data(), const_cast<char*>(url.c_str()), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
    return false;
  // Reap the child when it ends so that no zombie stays behind.
  std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
  return true;
}

}  // namespace desktop
