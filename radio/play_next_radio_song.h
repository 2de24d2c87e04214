// Asks the radio service for the next song of the tuned channel, shows it, starts its stream and
// fetches its lyrics; ends by setting `times` to 500 ms, which runs the radio monitor. The radio
// monitor calls it whenever the player has gone idle.
#pragma once

class App;

void PlayNextRadioSong(App& app);
