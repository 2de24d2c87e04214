#include "shell/settings_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

fs::path ProgramDirectory() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec)
    return fs::current_path(ec);
  return exe.parent_path();
}

fs::path ChooseSettingsDirectory(const fs::path& program_dir) {
  // access(W_OK) answers for the real user, which is the question here; a read-only mount
  // answers no as well.
  if (!program_dir.empty() && access(program_dir.c_str(), W_OK | X_OK) == 0)
    return program_dir;
  fs::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = fs::path(home) / ".config";
  } else {
    base = fs::temp_directory_path();
  }
  fs::path dir = base / "tovasel";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return dir;
}
