#include "platform/media/deferred_player_engine.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_player.h"

namespace {

using testing_support::ScriptedPlayer;

// Nothing is built before the first stream, and what was set before it reaches the real one.
TEST(DeferredPlayerEngine, BuildsOnTheFirstStreamWithTheSettingsMadeBefore) {
  int built = 0;
  ScriptedPlayer* real = nullptr;
  media::DeferredPlayerEngine engine([&] {
    ++built;
    auto player = std::make_unique<ScriptedPlayer>();
    real = player.get();
    return player;
  });
  engine.SetVolume(140);
  engine.SetMute(true);
  engine.SetPlayCount(3);
  engine.Play();
  EXPECT_EQ(built, 0);
  EXPECT_EQ(engine.playstate(), media::PlayState::kUndefined);
  EXPECT_EQ(engine.position_s(), 0);
  EXPECT_EQ(engine.volume(), 100);

  engine.SetUrl("http://a/1");
  engine.SetUrl("http://a/2");
  ASSERT_EQ(built, 1);
  EXPECT_EQ(real->TakeCalls(),
            (std::vector<std::string>{"SetVolume 100", "SetMute true", "SetPlayCount 3",
                                      "SetUrl http://a/1", "SetUrl http://a/2"}));
  real->state = media::PlayState::kPlaying;
  EXPECT_EQ(engine.playstate(), media::PlayState::kPlaying);
}

TEST(DeferredPlayerEngine, StaysSilentWhenTheRealOneCannotBeBuilt) {
  int tries = 0;
  media::DeferredPlayerEngine engine([&]() -> std::unique_ptr<media::PlayerEngine> {
    ++tries;
    return nullptr;
  });
  engine.SetUrl("http://a/1");
  engine.SetUrl("http://a/2");
  engine.Pause();
  EXPECT_EQ(tries, 1);
  EXPECT_EQ(engine.playstate(), media::PlayState::kUndefined);
  EXPECT_EQ(engine.url(), "");
}

}  // namespace
