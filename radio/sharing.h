// From the song now playing to places outside the player: the QR share panel, the clipboard,
// the album page in the browser and the channel of similar songs.
#pragma once

#include <string>

class App;

void OnShareSong(App& app);
void OnCopySongDetails(App& app);
void OnCoverClicked(App& app);
void OnSimilarSongs(App& app);

// True when `url` is on the same host as `base` (scheme, host and port alike), so that a path
// from the service cannot send the browser elsewhere.
bool IsUrlOnHostOf(const std::string& url, const std::string& base);
