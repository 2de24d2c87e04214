// The program's media player: a thin layer over the media player component, one operation per
// property or method the program uses, and the two time-text conversions of the playback monitors
// and the lyrics lookup. There is one, the program-wide `player`; it is used on the program thread.
//
// The component's transport, settings, current media and network are reached only once a URL was
// opened: before the first OpenUrl, Play, Pause and SetVolume do nothing, and the position and
// duration answer 0. Nothing here reports failure: a refused call does nothing, a failed read
// answers 0 or an empty text.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/media/player_engine.h"

// The play states the program tells apart; the component reports others too (2 paused, 6
// buffering, 8 media ended, 9 transitioning), on which the program does nothing.
enum class PlayState : int { Undefined = 0, Stopped = 1, Playing = 3, Ready = 10 };

class MediaPlayer {
 public:
  // Takes the component; a null one (it could not be created) makes every operation silent.
  explicit MediaPlayer(std::unique_ptr<media::PlayerEngine> control);
  MediaPlayer(const MediaPlayer&) = delete;
  MediaPlayer& operator=(const MediaPlayer&) = delete;

  // The operations, in the program's fixed order.
  // The component needs no host window here: nothing to do.
  void InitControlHost() {}
  // Loads `url`; the component starts playing it by itself.
  void OpenUrl(const std::string& url);
  void Play();
  void SetPlayCount(int value);
  void ToggleMute();
  // `value` is decimal text (the volume slider's position, 1 to 100); a text that is not a number
  // is refused.
  void SetVolume(std::string_view value);
  void Pause();
  void Stop();
  std::string GetStatus();
  int GetPlayState();
  double GetPosition();  // seconds played
  double GetDuration();  // length in seconds, 0 while unknown
  // The current item's tags; the fallback text ("未知标题" and so on) when a tag is empty.
  std::string GetTitle();
  std::string GetAuthor();
  std::string GetCopyright();
  std::string GetMediaType();
  // The bit rate in whole kbit/s followed by " kbit/sec".
  std::string GetBitrateText();
  std::string GetBufferingCount();
  std::string GetBufferingProgress();
  void SetPosition(double value);
  // Whole seconds as mm:ss; minutes of 100 and more are written in full (7505 gives "125:05").
  static std::string FormatTime(int seconds);
  // Cuts `text` to its first 5 bytes, then reads "mm:ss" back into seconds; 0 without a ":".
  static int ParseTime(std::string& text);

 private:
  std::string ItemInfo(const char* attribute, std::string_view fallback_utf8);

  std::unique_ptr<media::PlayerEngine> control_;
  // The component's sub-objects, set at every OpenUrl; null until the first one.
  media::PlayerEngine* controls_ = nullptr;
  media::PlayerEngine* settings_ = nullptr;
  media::PlayerEngine* current_media_ = nullptr;
  media::PlayerEngine* network_ = nullptr;
};

// Truncates toward zero to an int; NaN gives 0 and values beyond the range are clamped, so that
// whatever the component reports never overflows.
int TruncateToInt(double value);
