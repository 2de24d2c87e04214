// Handlers that open and close the main window's pop-ups, and the hotkey that hides the window.
#pragma once

class App;

void OnHotkey(App& app, int id);
void OnSettingsButton(App& app);
void OnFavouritesButton(App& app);
void OnChannelLabelPressed(App& app);
// A left press on the player panel itself, not on a control on it.
void OnPlayerPanelPressed(App& app);
void CloseSharePanel(App& app);
