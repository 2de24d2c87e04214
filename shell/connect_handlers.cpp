#include "playback/radio_monitor.h"
#include "playback/transport.h"
#include "radio/channels.h"
#include "radio/sharing.h"
#include "shell/app.h"
#include "shell/edge_docking.h"
#include "shell/panels.h"

void ConnectHandlers(App& app) {
  MainForm& f = app.form;
  auto on = [&app](void (*handler)(App&)) { return [&app, handler] { handler(app); }; };

  f.设置.on_click = on(OnSettingsButton);
  f.收藏按钮.on_click = on(OnFavouritesButton);
  f.标签5.on_left_press = on(OnChannelLabelPressed);
  f.音乐播放外形框.on_left_press = on(OnPlayerPanelPressed);
  f.外形框3.on_left_press = on(CloseSharePanel);
  f.二维码图片框.on_left_press = on(CloseSharePanel);
  f.时钟1.on_tick = on(OnDockTimer);

  f.暂停按钮.on_click = on(OnPause);
  f.继续播放.on_click = on(OnResume);
  f.音量.on_click = on(OnVolumeButton);
  f.滑块条1.on_position_changed = on(OnVolumeChanged);
  f.滑块条1.on_release = on(OnVolumeReleased);
  f.滑块条1.on_wheel = [&app](int notches) { OnVolumeWheel(app, notches); };
  f.时钟2.on_tick = on(OnStatusTimer);
  f.times.on_tick = on(RadioMonitor);

  f.组合框1.on_item_selected = on(OnChannelSelected);
  f.下一曲.on_click = on(OnNextSong);
  f.微信分享.on_click = on(OnShareSong);
  f.标签1.on_left_press = on(OnCopySongDetails);
  f.图片框1.on_left_press = on(OnCoverClicked);
  f.相似歌曲.on_click = on(OnSimilarSongs);
}
