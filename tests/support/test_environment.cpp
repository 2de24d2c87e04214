// Linked into every test program: the sanitizers' settings and the environment the tests run
// in, so that a test behaves the same whether ctest, a debugger or a person starts it.
#include <cstdlib>

extern "C" const char* __asan_default_options() {
  return "detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1";
}

extern "C" const char* __ubsan_default_options() {
  return "print_stacktrace=1:halt_on_error=1";
}

// Libraries that keep process-wide allocations until exit on purpose.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n"
         "leak:libglib-2.0\n"
         "leak:libgobject-2.0\n"
         "leak:libgio-2.0\n"
         "leak:libgstreamer-1.0\n"
         "leak:libgst\n"
         "leak:libsoup\n"
         "leak:libQt6Gui\n"
         "leak:libQt6Core\n"
         "leak:libdbus-1\n"
         "leak:libxkbcommon\n";
}

namespace {

// Before main: no window system and no GStreamer chatter, unless the caller chose otherwise.
const bool kEnvironmentSet = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("GST_DEBUG", "0", 0);
  return true;
}();

}  // namespace
