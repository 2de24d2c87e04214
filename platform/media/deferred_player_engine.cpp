#include "platform/media/deferred_player_engine.h"

#include <algorithm>
#include <utility>

namespace media {

DeferredPlayerEngine::DeferredPlayerEngine(std::function<std::unique_ptr<PlayerEngine>()> make)
    : make_(std::move(make)) {}

void DeferredPlayerEngine::SetUrl(const std::string& url) {
  if (!real_ && make_) {
    real_ = std::exchange(make_, nullptr)();
    if (real_) {
      real_->SetVolume(volume_);
      real_->SetMute(mute_);
      real_->SetPlayCount(play_count_);
    }
  }
  if (real_)
    real_->SetUrl(url);
}

void DeferredPlayerEngine::Play() {
  if (real_)
    real_->Play();
}

void DeferredPlayerEngine::Pause() {
  if (real_)
    real_->Pause();
}

void DeferredPlayerEngine::Stop() {
  if (real_)
    real_->Stop();
}

void DeferredPlayerEngine::SetPosition(double position_s) {
  if (real_)
    real_->SetPosition(position_s);
}

void DeferredPlayerEngine::SetVolume(int volume) {
  volume_ = std::clamp(volume, 0, 100);
  if (real_)
    real_->SetVolume(volume);
}

void DeferredPlayerEngine::SetMute(bool mute) {
  mute_ = mute;
  if (real_)
    real_->SetMute(mute);
}

void DeferredPlayerEngine::SetPlayCount(int count) {
  play_count_ = std::max(count, 1);
  if (real_)
    real_->SetPlayCount(count);
}

std::string DeferredPlayerEngine::ItemInfo(const std::string& attribute) {
  return real_ ? real_->ItemInfo(attribute) : std::string();
}

}  // namespace media
