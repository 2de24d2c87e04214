// Fetching the time-tagged lyrics of the song now playing, stored unparsed.
#pragma once

class App;

void RequestLyrics(App& app);
