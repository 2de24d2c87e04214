// A whole App on the virtual loop and the fake desktop, with its settings in a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "shell/app.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/scripted_player.h"
#include "tests/support/virtual_loop.h"

namespace testing_support {

std::filesystem::path MakeTempDir();

class AppTest : public ::testing::Test {
 protected:
  AppTest();
  // An App whose service requests go to `endpoints` (a loopback station, say).
  explicit AppTest(ServiceEndpoints endpoints);
  ~AppTest() override;

  // Endpoints that reach nothing: a port on loopback nobody listens on.
  static ServiceEndpoints UnreachableEndpoints();

  VirtualLoop loop;
  FakeDesktop desktop;
  std::filesystem::path settings_dir;
  std::unique_ptr<App> app;
  // The App's media player component; owned by the App.
  ScriptedPlayer* player = nullptr;
  MainForm& form() { return app->form; }
  ProgramState& state() { return app->state; }
};

}  // namespace testing_support
