#include "playback/radio_monitor.h"

#include <string>

#include "lyrics/lyrics_step.h"
#include "playback/media_player.h"
#include "radio/play_next_radio_song.h"
#include "shell/app.h"

void RadioMonitor(App& app) {
  MainForm& f = app.form;
  MediaPlayer& player = app.state.player;

  const int state = player.GetPlayState();
  if (state == static_cast<int>(PlayState::Stopped) ||
      state == static_cast<int>(PlayState::Undefined) ||
      state == static_cast<int>(PlayState::Ready)) {
    // Stopped first, so that no tick of this timer runs while the next song is being fetched.
    f.times.SetPeriod(0);
    PlayNextRadioSong(app);
    return;
  }
  if (state != static_cast<int>(PlayState::Playing))
    return;

  const int position_s = TruncateToInt(player.GetPosition());
  const int duration_s = TruncateToInt(player.GetDuration());
  // The texts read the player once more, so the label may run a second ahead of the bar.
  const std::string position_text = player.FormatTime(TruncateToInt(player.GetPosition()));
  const std::string duration_text = player.FormatTime(TruncateToInt(player.GetDuration()));
  f.标签3.SetCaption(position_text + " | " + duration_text);
  f.进度条_绿.SetWidth(duration_s == 0 ? 0
                                       : TruncateToInt(static_cast<double>(position_s) /
                                                       duration_s * kProgressTrackWidth));
  RunLyricsStep(app, position_text);
}
