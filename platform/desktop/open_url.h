// Opening a URL in the user's default browser.
#pragma once

#include <string>

namespace desktop {

// Starts xdg-open with `url` as its one argument, never through a shell, and does not wait for
// it. Returns false when it could not be started.
bool OpenUrlInBrowser(const std::string& url);

}  // namespace desktop
