#include "radio/station_fixture.h"

#include "platform/http/trusted_roots.h"

std::unique_ptr<demo::DemoStation> StationTest::station_;

void StationTest::SetUpTestSuite() {
  station_ = std::make_unique<demo::DemoStation>(demo::DemoStationOptions{2, 3});
  ASSERT_TRUE(station_->Start());
  http::TrustExtraRoot(station_->certificate_pem());
}

void StationTest::TearDownTestSuite() {
  station_.reset();
}

ServiceEndpoints StationTest::StationEndpoints() {
  return {station_->radio_base(), station_->music_base(), station_->qr_base()};
}

StationTest::StationTest() : AppTest(StationEndpoints()) {}

void StationTest::SetUp() {
  station_->SetPlaylistOverride(nullptr);
  station_->SetAnswerOverride(nullptr);
  station_->ClearRequests();
}
