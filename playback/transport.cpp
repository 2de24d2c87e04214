#include "playback/transport.h"

#include "playback/media_player.h"
#include "shell/app.h"
#include "text/gbk.h"
#include "text/number_text.h"

namespace {

// A click that changes what the user is doing closes the settings panel when it stands open.
void CloseOpenSettingsPanel(MainForm& f) {
  if (f.外形框1.left() == MainForm::kSettingsOpenLeft)
    f.外形框1.SetLeft(MainForm::kSettingsClosedLeft);
}

}  // namespace

std::string VolumeText(App& app) {
  return "音量："_gbk + text::DecimalText(app.form.滑块条1.position());
}

void OnPause(App& app) {
  MainForm& f = app.form;
  app.state.player.Pause();
  f.滑块条1.Hide();
  f.暂停按钮.Hide();
  f.继续播放.Show();
  f.图片框2.SetAnimating(false);
  CloseOpenSettingsPanel(f);
}

void OnResume(App& app) {
  MainForm& f = app.form;
  app.state.player.Play();
  f.滑块条1.Hide();
  f.暂停按钮.Show();
  f.继续播放.Hide();
  f.图片框2.SetAnimating(true);
  CloseOpenSettingsPanel(f);
}

void OnVolumeButton(App& app) {
  ui::Slider& slider = app.form.滑块条1;
  slider.SetVisible(!slider.visible());
}

void OnVolumeChanged(App& app) {
  app.state.player.SetVolume(text::DecimalText(app.form.滑块条1.position()));
  app.form.提示.SetCaption(VolumeText(app));
}

void OnVolumeReleased(App& app) {
  app.form.滑块条1.Hide();
}

void OnVolumeWheel(App& app, int notches) {
  ui::Slider& slider = app.form.滑块条1;
  slider.SetPosition(TruncateToInt(slider.position() + static_cast<double>(notches) * 6));
}

void OnStatusTimer(App& app) {
  app.form.提示.SetCaption(VolumeText(app));
  app.form.时钟2.SetPeriod(0);
}
