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
}
