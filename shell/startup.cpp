#include "shell/startup.h"

#include "radio/channels.h"
#include "shell/app.h"
#include "shell/panels.h"
#include "text/gbk.h"
#include "text/number_text.h"

void OnMainWindowCreated(App& app) {
  MainForm& f = app.form;
  ProgramState& s = app.state;

  desktop::InstanceLock lock = app.desktop.LockInstance("Palvo");
  if (lock.result == desktop::LockResult::kHeldElsewhere) {
    app.desktop.ShowMessageBox("你已经打开这个程序了！"_gbk, "信息："_gbk);
    app.EndProgram(0);
    return;
  }
  s.instance_mutex = lock.handle;

  s.hotkey_id = app.desktop.RegisterHotkey([&app](int id) { OnHotkey(app, id); });

  s.desktop_lyrics_shown.clear();
  s.channel_id = "-10";
  f.提示.SetCaption("音量："_gbk + text::DecimalText(f.滑块条1.position()));

  app.loop.WaitProcessingMessages(60);
  app.loop.WaitProcessingMessages(60);

  f.设置分组框2.SetCaption("收藏列表（共"_gbk + text::DecimalText(f.收藏歌曲列表.RowCount()) +
                           "首）"_gbk);
  RequestChannelInfo(app);
  f.标签5.SetCaption("豆瓣精选 MHz"_gbk);
  s.channel_mode = "豆瓣精选"_gbk;
}

void OnMainWindowDestroying(App& app) {
  ProgramState& s = app.state;
  if (s.instance_mutex != 0)
    app.desktop.UnlockInstance(s.instance_mutex);
  s.instance_mutex = 0;
  if (s.hotkey_id != 0)
    app.desktop.UnregisterHotkey(s.hotkey_id);
  app.EndProgram(0);
}

bool ToStoredFlag(std::string_view text) {
  return text == "真"_gbk;
}
