// The one-copy lock: an exclusive flock on a file in the user's runtime folder. Taking it is one
// atomic step, and the kernel drops it when the process ends, however it ends.
#pragma once

#include <string_view>

#include "platform/desktop/desktop.h"

namespace desktop {

// Locks `name` for this user session. The handle is the lock file's descriptor + 1.
InstanceLock LockInstanceFile(std::string_view name);
void UnlockInstanceFile(int handle);

}  // namespace desktop
