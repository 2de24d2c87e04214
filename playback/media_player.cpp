#include "playback/media_player.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "text/gbk.h"
#include "text/number_text.h"

namespace {

// Reads a decimal number as the component converts a text: blanks around it, a sign, digits and a
// fraction (rounded). Anything else is refused.
bool ReadNumber(std::string_view text, double& value) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  if (!text.empty() && text.front() == '+')
    text.remove_prefix(1);
  if (text.empty())
    return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

int TruncateToInt(double value) {
  if (std::isnan(value))
    return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min()))
    return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

MediaPlayer::MediaPlayer(std::unique_ptr<media::PlayerEngine> control)
    : control_(std::move(control)) {}

void MediaPlayer::OpenUrl(const std::string& url) {
  if (!control_)
    return;
  control_->SetUrl(url);
  controls_ = control_.get();
  current_media_ = control_.get();
  settings_ = control_.get();
  network_ = control_.get();
}

void MediaPlayer::Play() {
  if (controls_)
    controls_->Play();
}

void MediaPlayer::SetPlayCount(int value) {
  if (settings_)
    settings_->SetPlayCount(value);
}

void MediaPlayer::ToggleMute() {
  if (settings_)
    settings_->SetMute(!settings_->mute());
}

void MediaPlayer::SetVolume(std::string_view value) {
  double volume = 0;
  if (settings_ && ReadNumber(value, volume))
    settings_->SetVolume(TruncateToInt(std::round(volume)));
}

void MediaPlayer::Pause() {
  if (controls_)
    controls_->Pause();
}

void MediaPlayer::Stop() {
  if (controls_)
    controls_->Stop();
}

std::string MediaPlayer::GetStatus() {
  return control_ ? text::Utf8ToGbk(control_->status()) : std::string();
}

int MediaPlayer::GetPlayState() {
  return control_ ? static_cast<int>(control_->playstate()) : 0;
}

double MediaPlayer::GetPosition() {
  return controls_ ? controls_->position_s() : 0;
}

double MediaPlayer::GetDuration() {
  return current_media_ ? current_media_->duration_s() : 0;
}

std::string MediaPlayer::ItemInfo(const char* attribute, std::string_view fallback_utf8) {
  std::string value = current_media_ ? current_media_->ItemInfo(attribute) : std::string();
  return value.empty() ? text::Utf8ToGbk(fallback_utf8) : text::Utf8ToGbk(value);
}

std::string MediaPlayer::GetTitle() {
  return ItemInfo("title", "未知标题");
}

std::string MediaPlayer::GetAuthor() {
  return ItemInfo("Author", "未知作者");
}

std::string MediaPlayer::GetCopyright() {
  return ItemInfo("Copyright", "未知版权");
}

std::string MediaPlayer::GetMediaType() {
  return ItemInfo("strType", "未知类型");
}

std::string MediaPlayer::GetBitrateText() {
  double bitrate = 0;
  if (!current_media_ || !ReadNumber(current_media_->ItemInfo("Bitrate"), bitrate))
    bitrate = 0;
  return text::DecimalText(TruncateToInt(std::floor(bitrate / 1000))) + " kbit/sec";
}

std::string MediaPlayer::GetBufferingCount() {
  return network_ ? text::DecimalText(network_->buffering_count()) : std::string();
}

std::string MediaPlayer::GetBufferingProgress() {
  return network_ ? text::DecimalText(network_->buffering_progress()) : std::string();
}

void MediaPlayer::SetPosition(double value) {
  if (controls_)
    controls_->SetPosition(value);
}

std::string MediaPlayer::FormatTime(int seconds) {
  const int minutes = seconds >= 60 ? seconds / 60 : 0;
  const int rest = seconds - minutes * 60;
  std::string text = minutes < 10 ? "0" : "";
  text += text::DecimalText(minutes);
  text += ':';
  if (rest < 10)
    text += '0';
  text += text::DecimalText(rest);
  return text;
}

int MediaPlayer::ParseTime(std::string& text) {
  text.resize(std::min<size_t>(text.size(), 5));
  const size_t colon = text.find(':');
  if (colon == std::string::npos)
    return 0;
  const std::string_view minutes(text.data(), colon);
  std::string_view seconds(text);
  seconds.remove_prefix(colon + 1);
  seconds = seconds.substr(0, seconds.find(':'));
  return text::LeadingInteger(minutes) * 60 + text::LeadingInteger(seconds);
}
