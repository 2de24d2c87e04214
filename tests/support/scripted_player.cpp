#include "tests/support/scripted_player.h"

#include <utility>

namespace testing_support {

std::vector<std::string> ScriptedPlayer::TakeCalls() {
  return std::exchange(calls, {});
}

void ScriptedPlayer::SetUrl(const std::string& url) {
  calls.push_back("SetUrl " + url);
  url_value = url;
  if (on_set_url)
    on_set_url(url);
}

void ScriptedPlayer::SetPosition(double position_s) {
  calls.push_back("SetPosition " + std::to_string(position_s));
  sought_position = position_s;
}

void ScriptedPlayer::SetVolume(int volume) {
  calls.push_back("SetVolume " + std::to_string(volume));
  volume_value = volume;
}

void ScriptedPlayer::SetMute(bool mute) {
  calls.push_back(mute ? "SetMute true" : "SetMute false");
  mute_value = mute;
}

void ScriptedPlayer::SetPlayCount(int count) {
  calls.push_back("SetPlayCount " + std::to_string(count));
  play_count_value = count;
}

std::string ScriptedPlayer::ItemInfo(const std::string& attribute) {
  auto found = items.find(attribute);
  return found == items.end() ? std::string() : found->second;
}

media::PlayState ScriptedPlayer::playstate() {
  if (states.empty())
    return state;
  media::PlayState next = states.front();
  states.pop_front();
  return next;
}

}  // namespace testing_support
