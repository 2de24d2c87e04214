#include "shell/panels.h"

#include "shell/app.h"

void OnHotkey(App& app, int id) {
  if (id != app.state.hotkey_id)
    return;
  if (app.state.hotkey_window_state == 1) {
    app.form.window.Show();
    app.state.hotkey_window_state = 2;
  } else {
    app.form.window.Hide();
    app.state.hotkey_window_state = 1;
  }
}

void OnSettingsButton(App& app) {
  MainForm& f = app.form;
  f.滑块条1.Hide();
  if (f.外形框1.left() == MainForm::kSettingsClosedLeft) {
    f.外形框1.Show();
    f.外形框1.SetLeft(MainForm::kSettingsOpenLeft);
  } else {
    f.外形框1.SetLeft(MainForm::kSettingsClosedLeft);
    f.外形框1.Hide();
  }
}

void OnFavouritesButton(App& app) {
  ui::Window& w = app.form.window;
  w.SetWidth(w.width() == MainForm::kNormalWidth ? MainForm::kWideWidth : MainForm::kNormalWidth);
}

void OnChannelLabelPressed(App& app) {
  MainForm& f = app.form;
  bool list_open = f.组合框1.visible();
  f.组合框1.SetVisible(!list_open);
  f.标签5.SetVisible(list_open);
  f.外形框1.Hide();
}

void HidePopups(MainForm& f) {
  f.外形框3.Hide();
  f.滑块条1.Hide();
  f.组合框1.Hide();
  f.标签5.Show();
  f.外形框1.Hide();
}

void OnPlayerPanelPressed(App& app) {
  MainForm& f = app.form;
  HidePopups(f);
  if (f.外形框1.left() == MainForm::kSettingsOpenLeft)
    f.外形框1.SetLeft(MainForm::kSettingsClosedLeft);
}

void CloseSharePanel(App& app) {
  app.form.外形框3.Hide();
}
