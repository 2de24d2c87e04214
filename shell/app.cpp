#include "shell/app.h"

#include <utility>

App::App(ui::EventLoop& event_loop, desktop::Desktop& desk, ServiceEndpoints service_endpoints,
         std::filesystem::path settings_folder,
         const std::function<std::unique_ptr<media::PlayerEngine>()>& make_player_engine)
    : loop(event_loop),
      desktop(desk),
      endpoints(std::move(service_endpoints)),
      settings_dir(std::move(settings_folder)),
      state(make_player_engine ? make_player_engine() : nullptr) {
  ConnectHandlers(*this);
  for (ui::Timer* timer : form.Timers())
    timer->Bind(&loop);
}

App::~App() {
  for (ui::Timer* timer : form.Timers())
    timer->Bind(nullptr);
}

void App::EndProgram(int exit_code) {
  ended_ = true;
  loop.Quit(exit_code);
}
