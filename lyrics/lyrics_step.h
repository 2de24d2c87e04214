// The lyrics step of the playback monitors: on each tick while a song plays, the line for the play
// time is looked up in the song's lyrics and shown in 标签2 and on the desktop lyrics window.
#pragma once

#include <string>

class App;

// `position_text` is the play time as the monitors write it ("01:05").
void RunLyricsStep(App& app, const std::string& position_text);
