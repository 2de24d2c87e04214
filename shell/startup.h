// The life of the program: the main window's created and will-be-destroyed handlers, and the
// start routine that runs the whole.
#pragma once

#include <string_view>

class App;

// Refuses a second copy, registers the hotkey and brings every control into its first state.
// A second copy shows its message and ends the program; nothing else runs then.
void OnMainWindowCreated(App& app);

// Saves the settings files, releases the lock and the hotkey, and ends the program with code 0.
void OnMainWindowDestroying(App& app);

// A flag stored as text: true only for exactly "真".
bool ToStoredFlag(std::string_view text);
