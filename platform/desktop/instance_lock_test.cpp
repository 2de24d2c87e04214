#include "platform/desktop/instance_lock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tovasel-lock-XXXXXX";
    runtime_ = mkdtemp(pattern);
    setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    probe_ = TOVASEL_LOCK_PROBE;
  }
  void TearDown() override { std::filesystem::remove_all(runtime_); }

  // Starts a probe that holds the lock for `hold_ms`. With `said_acquired`, waits until the
  // probe said it holds the lock (or ended without it) and tells which.
  pid_t Start(int hold_ms, bool* said_acquired = nullptr) {
    std::string hold = std::to_string(hold_ms);
    char* argv[] = {probe_.data(), hold.data(), nullptr};
    pid_t pid = 0;
    if (!said_acquired) {
      EXPECT_EQ(posix_spawn(&pid, probe_.c_str(), nullptr, nullptr, argv, environ), 0);
      return pid;
    }
    int out[2];
    EXPECT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    EXPECT_EQ(posix_spawn(&pid, probe_.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char line[16] = {};
    *said_acquired = read(out[0], line, sizeof line - 1) > 0;
    close(out[0]);  // the probe writes nothing more
    return pid;
  }
  static int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  }

  std::string runtime_;
  std::string probe_;
};

// Twenty copies started together: exactly one keeps running with the lock, the others are
// refused.
TEST_F(InstanceLockTest, ExactlyOneOfTwentyKeepsRunning) {
  std::vector<pid_t> running;
  for (int i = 0; i < 20; ++i)
    running.push_back(Start(60000));
  int refused = 0;
  for (int spins = 0; spins < 3000 && running.size() > 1; ++spins) {
    for (auto it = running.begin(); it != running.end();) {
      int status = 0;
      if (waitpid(*it, &status, WNOHANG) == *it) {
        refused += WIFEXITED(status) && WEXITSTATUS(status) == 3;
        it = running.erase(it);
      } else {
        ++it;
      }
    }
    usleep(10000);
  }
  EXPECT_EQ(refused, 19);
  EXPECT_EQ(running.size(), 1u);
  for (pid_t pid : running) {
    kill(pid, SIGKILL);
    Wait(pid);
  }
}

// The lock goes with its process, even a killed one, so the next copy starts.
TEST_F(InstanceLockTest, KilledHolderFreesTheLock) {
  bool acquired = false;
  pid_t holder = Start(60000, &acquired);
  ASSERT_TRUE(acquired);
  EXPECT_EQ(Wait(Start(0)), 3);
  kill(holder, SIGKILL);
  Wait(holder);
  EXPECT_EQ(Wait(Start(0)), 0);
}

TEST_F(InstanceLockTest, InProcessLockAndUnlock) {
  desktop::InstanceLock first = desktop::LockInstanceFile("Palvo");
  ASSERT_EQ(first.result, desktop::LockResult::kAcquired);
  EXPECT_NE(first.handle, 0);
  EXPECT_EQ(Wait(Start(0)), 3);
  desktop::UnlockInstanceFile(first.handle);
  EXPECT_EQ(Wait(Start(0)), 0);
}

}  // namespace
