// Takes the one-copy lock as the program does and holds it: exit code 0 after holding it for the
// given milliseconds, 3 when another process holds it, 4 when no lock could be had.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/desktop/instance_lock.h"

int main(int argc, char** argv) {
  int hold_ms = argc > 1 ? std::atoi(argv[1]) : 0;
  desktop::InstanceLock lock = desktop::LockInstanceFile("Palvo");
  if (lock.result == desktop::LockResult::kHeldElsewhere)
    return 3;
  if (lock.result == desktop::LockResult::kUnavailable)
    return 4;
  std::printf("acquired\n");
  std::fflush(stdout);
  usleep(static_cast<useconds_t>(hold_ms) * 1000);
  desktop::UnlockInstanceFile(lock.handle);
  return 0;
}
