#include "shell/settings_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/app_fixture.h"

namespace {

namespace fs = std::filesystem;

// A program folder that cannot take the files sends them to the per-user folder, created there.
TEST(SettingsDirectory, FallsBackToTheUserConfigFolder) {
  fs::path tmp = testing_support::MakeTempDir();
  EXPECT_EQ(ChooseSettingsDirectory(tmp), tmp);

  setenv("XDG_CONFIG_HOME", tmp.c_str(), 1);
  fs::path chosen = ChooseSettingsDirectory(tmp / "no-such-folder");
  EXPECT_EQ(chosen, tmp / "tovasel");
  EXPECT_TRUE(fs::is_directory(chosen));
  unsetenv("XDG_CONFIG_HOME");
  fs::remove_all(tmp);
}

TEST(SettingsDirectory, ProgramDirectoryIsTheExecutablesFolder) {
  fs::path dir = ProgramDirectory();
  EXPECT_TRUE(fs::exists(dir / "shell_test"));
}

}  // namespace
