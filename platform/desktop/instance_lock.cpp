#include "platform/desktop/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace desktop {
namespace {

// $XDG_RUNTIME_DIR is private to the user and lives as long as the user session; without it a
// private folder in /tmp serves the same purpose.
std::string LockFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
    return runtime;
  }
  std::string dir = "/tmp/tovasel-" + std::to_string(getuid());
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
    return {};
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
    return {};
  return dir;
}

}  // namespace

InstanceLock LockInstanceFile(std::string_view name) {
  std::string folder = LockFolder();
  if (folder.empty())
    return {};
  std::string path = folder + "/" + std::string(name) + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0)
    return {};
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    bool busy = errno == EWOULDBLOCK;
    close(fd);
    return {busy ? LockResult::kHeldElsewhere : LockResult::kUnavailable, 0};
  }
  return {LockResult::kAcquired, fd + 1};
}

void UnlockInstanceFile(int handle) {
  if (handle <= 0)
    return;
  flock(handle - 1, LOCK_UN);
  close(handle - 1);
}

}  // namespace desktop
