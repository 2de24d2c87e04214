// The radio monitor: the tick handler of `times`, which runs every 500 ms while radio mode runs.
// While a song plays it shows the play time, the progress bar and the lyrics line; when the player
// has gone idle (stopped, undefined or ready) it stops its own timer and asks for the next song,
// whose start turns the timer on again. On every other state (paused, buffering, connecting, the
// end of a stream) it does nothing.
#pragma once

class App;

// The width in pixels of the grey track under the green progress bar.
constexpr int kProgressTrackWidth = 390;

void RadioMonitor(App& app);
