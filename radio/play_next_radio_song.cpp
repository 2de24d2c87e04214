#include "radio/play_next_radio_song.h"

#include "shell/app.h"

// Only the routine's two timer switches are written so far; the radio client completes it.
void PlayNextRadioSong(App& app) {
  MainForm& f = app.form;
  // First, favourites playback stops following the player.
  f.收藏歌曲时钟.SetPeriod(0);

  // TO BE COMPLETED by the radio client, in this place: the playlist request, the song's fields and
  // their display, the cover download, StartStream, the playing indicator, the lyrics request.

  // Then the radio monitor follows the new song.
  f.times.SetPeriod(500);

  // TO BE COMPLETED by the radio client, after the timer: the album link and the favourite mark.
}
