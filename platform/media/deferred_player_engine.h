// A player component that builds the real one only when the first stream is set, so that a
// program that has played nothing yet carries no pipeline: GStreamer's start costs about 15 MiB
// and a few tens of milliseconds, which would otherwise fall on the program's start.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/media/player_engine.h"

namespace media {

class DeferredPlayerEngine : public PlayerEngine {
 public:
  // `make` builds the real component; null from it leaves this one silent for good.
  explicit DeferredPlayerEngine(std::function<std::unique_ptr<PlayerEngine>()> make);

  void SetUrl(const std::string& url) override;
  std::string url() override { return real_ ? real_->url() : std::string(); }
  void Play() override;
  void Pause() override;
  void Stop() override;
  double position_s() override { return real_ ? real_->position_s() : 0; }
  void SetPosition(double position_s) override;
  // Settings made before the first stream are kept and handed to the real component.
  int volume() override { return real_ ? real_->volume() : volume_; }
  void SetVolume(int volume) override;
  bool mute() override { return real_ ? real_->mute() : mute_; }
  void SetMute(bool mute) override;
  int play_count() override { return real_ ? real_->play_count() : play_count_; }
  void SetPlayCount(int count) override;
  double duration_s() override { return real_ ? real_->duration_s() : 0; }
  std::string ItemInfo(const std::string& attribute) override;
  int buffering_count() override { return real_ ? real_->buffering_count() : 0; }
  int buffering_progress() override { return real_ ? real_->buffering_progress() : 0; }
  std::string status() override { return real_ ? real_->status() : std::string(); }
  PlayState playstate() override { return real_ ? real_->playstate() : PlayState::kUndefined; }

 private:
  std::function<std::unique_ptr<PlayerEngine>()> make_;
  std::unique_ptr<PlayerEngine> real_;
  int volume_ = 100;
  bool mute_ = false;
  int play_count_ = 1;
};

}  // namespace media
