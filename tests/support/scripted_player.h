// A media player component whose answers a test scripts: the play state (or a queue of states,
// one per read), the position, the duration and the item information. It plays nothing and
// records every call that changes something, in order, as text ("SetUrl http://a", "Play",
// "SetVolume 50").
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/media/player_engine.h"

namespace testing_support {

class ScriptedPlayer : public media::PlayerEngine {
 public:
  // The script. `states` are answered one per playstate() read, oldest first; once they are used
  // up, `state` is answered.
  media::PlayState state = media::PlayState::kUndefined;
  std::deque<media::PlayState> states;
  double position = 0;
  double duration = 0;
  std::map<std::string, std::string> items;  // ItemInfo by attribute
  std::string status_text;
  int buffering_count_value = 0;
  int buffering_progress_value = 0;
  // Runs inside SetUrl, after the call was recorded: a test looks at the program right then.
  std::function<void(const std::string& url)> on_set_url;

  // What the program did.
  std::vector<std::string> calls;
  std::string url_value;
  int volume_value = 100;
  bool mute_value = false;
  int play_count_value = 1;
  double sought_position = -1;

  // The calls recorded so far, then forgets them.
  std::vector<std::string> TakeCalls();

  void SetUrl(const std::string& url) override;
  std::string url() override { return url_value; }
  void Play() override { calls.push_back("Play"); }
  void Pause() override { calls.push_back("Pause"); }
  void Stop() override { calls.push_back("Stop"); }
  double position_s() override { return position; }
  void SetPosition(double position_s) override;
  int volume() override { return volume_value; }
  void SetVolume(int volume) override;
  bool mute() override { return mute_value; }
  void SetMute(bool mute) override;
  int play_count() override { return play_count_value; }
  void SetPlayCount(int count) override;
  double duration_s() override { return duration; }
  std::string ItemInfo(const std::string& attribute) override;
  int buffering_count() override { return buffering_count_value; }
  int buffering_progress() override { return buffering_progress_value; }
  std::string status() override { return status_text; }
  media::PlayState playstate() override;
};

}  // namespace testing_support
