// The running program: its form, its program-wide state and the platform it stands on. Every
// handler of every subsystem takes an App&; nothing else is shared.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "platform/desktop/desktop.h"
#include "platform/media/player_engine.h"
#include "platform/ui/event_loop.h"
#include "shell/main_form.h"
#include "shell/program_state.h"
#include "shell/service_endpoints.h"

class App {
 public:
  // Builds the program-wide objects and the form, binds the form's timers to `loop` and connects
  // every control event to its handler. `settings_dir` holds the two settings files.
  // `make_player_engine` builds the media player component (media::CreateGstPlayerEngine in the
  // program, a scripted one in tests); without it the player stays silent.
  App(ui::EventLoop& loop, desktop::Desktop& desktop, ServiceEndpoints endpoints,
      std::filesystem::path settings_dir,
      const std::function<std::unique_ptr<media::PlayerEngine>()>& make_player_engine = {});
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Ends the program with `exit_code`: the loop stops and the window is not shown again.
  void EndProgram(int exit_code);
  bool ended() const { return ended_; }

  ui::EventLoop& loop;
  desktop::Desktop& desktop;
  const ServiceEndpoints endpoints;
  const std::filesystem::path settings_dir;
  MainForm form;
  ProgramState state;

 private:
  bool ended_ = false;
};

// Connects the form's events to the handlers of every subsystem; the App's constructor calls it.
void ConnectHandlers(App& app);
