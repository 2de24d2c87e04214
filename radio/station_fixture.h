// Handler tests against the demo station on loopback, through the real request layer and the
// real download; the player is scripted.
#pragma once

#include <memory>

#include "demo/demo_station.h"
#include "tests/support/app_fixture.h"

class StationTest : public testing_support::AppTest {
 protected:
  StationTest();
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

  static ServiceEndpoints StationEndpoints();
  static demo::DemoStation& station() { return *station_; }

 private:
  static std::unique_ptr<demo::DemoStation> station_;
};
