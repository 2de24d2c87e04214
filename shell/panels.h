// Handlers that open and close the main window's pop-ups, and the hotkey that hides the window.
#pragma once

class App;
class MainForm;

// Hides what pops up over the player: the share panel, the volume slider, the channel list (the
// channel label comes back) and the settings panel, which keeps its left edge.
void HidePopups(MainForm& f);

void OnHotkey(App& app, int id);
void OnSettingsButton(App& app);
void OnFavouritesButton(App& app);
void OnChannelLabelPressed(App& app);
// A left press on the player panel itself, not on a control on it.
void OnPlayerPanelPressed(App& app);
void CloseSharePanel(App& app);
