#include "radio/channels.h"

#include <gtest/gtest.h>

#include "radio/lyrics_request.h"
#include "radio/station_fixture.h"
#include "shell/startup.h"
#include "text/gbk.h"

namespace {

class ChannelsTest : public StationTest {
 protected:
  // The targets of the station's radio requests, in order, without their query tails.
  std::vector<std::string> RadioTargets() {
    std::vector<std::string> out;
    for (const demo::StationRequest& r : station().requests()) {
      if (r.server != "radio" || r.target.rfind("/j/v2/", 0) != 0)
        continue;
      out.push_back(r.target.substr(0, r.target.find('&')));
    }
    return out;
  }
};

TEST(ChannelTable, ItemsTuneTheirIds) {
  struct Case {
    int index;
    const char* id;
  } cases[] = {{0, "-10"},  {1, ""},  {2, "1"},    {10, "61"},  {11, ""}, {12, "194"},
               {22, "189"}, {23, ""}, {24, "153"}, {31, "257"}, {32, ""}, {-1, ""}};
  for (const Case& c : cases)
    EXPECT_EQ(ChannelIdOfItem(c.index), c.id) << c.index;
}

// The next-song button in random play asks for the song first, from the channel tuned before,
// and only then leaves random play for the channel family chosen last.
TEST_F(ChannelsTest, NextSongLeavesRandomPlayAfterTheSongRequest) {
  struct Case {
    const char* family;
    std::vector<std::string> targets;
    const char* channel_after;
    std::string label_after;
  } cases[] = {
      {"豆瓣精选",
       {"/j/v2/playlist?channel=194", "/j/v2/lyric?sid=", "/j/v2/channel_info?id=-10"},
       "-10",
       "豆瓣精选 MHz"_gbk},
      {"666",
       {"/j/v2/playlist?channel=194", "/j/v2/lyric?sid=", "/j/v2/channel_info?id=194"},
       "194",
       "旧名 MHz"_gbk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.family);
    station().ClearRequests();
    state().random_state = "正在随机"_gbk;
    state().channel_mode = text::Utf8ToGbk(c.family);
    state().channel_id = "194";
    state().channel_name = "旧名"_gbk;
    form().标签5.SetCaption("x");
    OnNextSong(*app);
    std::vector<std::string> targets = RadioTargets();
    for (std::string& t : targets) {
      if (t.rfind("/j/v2/lyric?sid=", 0) == 0)
        t = "/j/v2/lyric?sid=";
    }
    EXPECT_EQ(targets, c.targets);
    EXPECT_EQ(state().channel_id, c.channel_after);
    EXPECT_EQ(form().标签5.caption(), c.label_after);
    EXPECT_EQ(state().random_state, "不在随机"_gbk);
  }
}

TEST_F(ChannelsTest, NextSongOutsideRandomPlayAsksNoChannelInfo) {
  for (std::string random : {std::string(), "不在随机"_gbk}) {
    station().ClearRequests();
    state().random_state = random;
    form().window.SetWidth(658);
    form().微信分享.SetEnabled(false);
    form().继续播放.Show();
    form().暂停按钮.Hide();
    form().外形框1.SetLeft(182);
    OnNextSong(*app);
    EXPECT_EQ(station().CountRequests("/j/v2/channel_info"), 0);
    EXPECT_EQ(station().CountRequests("/j/v2/playlist?channel=-10&"), 1);
    EXPECT_EQ(form().window.width(), 432);
    EXPECT_TRUE(form().微信分享.enabled());
    EXPECT_TRUE(form().收藏歌曲.visible());
    EXPECT_TRUE(form().暂停按钮.visible());
    EXPECT_FALSE(form().继续播放.visible());
    EXPECT_EQ(form().外形框1.left(), 430);
  }
}

// The lyrics are kept as the whole answer, escapes and all; the status is the lyric value alone.
TEST_F(ChannelsTest, LyricsKeepTheWholeAnswer) {
  const demo::DemoSong* song = station().PeekNextSong("-10");
  ASSERT_TRUE(song && song->has_lyrics);
  state().NowPlaying.sid = song->sid;
  state().NowPlaying.ssid = song->ssid;
  RequestLyrics(*app);
  EXPECT_NE(state().lyrics_text.find(R"("lyric":")"), std::string::npos);
  EXPECT_NE(state().lyrics_text.find(R"(\r\n)"), std::string::npos);
  EXPECT_EQ(state().lyrics_status.rfind("[ti:", 0), 0u);
  EXPECT_EQ(state().lyrics_text.find(state().lyrics_status), std::string(R"({"lyric":")").size());
  EXPECT_EQ(state().lyrics_status.find(R"(","name)"), std::string::npos);

  // Empty ids still make the request, with both values empty; a failure empties both texts.
  state().NowPlaying.sid.clear();
  state().NowPlaying.ssid.clear();
  station().ClearRequests();
  station().SetAnswerOverride(
      [](const demo::StationRequest& r) -> std::optional<demo::StationAnswer> {
        if (r.target.rfind("/j/v2/lyric", 0) == 0)
          return demo::StationAnswer{500, "text/plain", ""};
        return std::nullopt;
      });
  RequestLyrics(*app);
  EXPECT_EQ(station().CountRequests("/j/v2/lyric?sid=&ssid="), 1);
  EXPECT_EQ(state().lyrics_text, "");
  EXPECT_EQ(state().lyrics_status, "");
}

TEST_F(ChannelsTest, StartUpAsksForTheSelectedChannel) {
  OnMainWindowCreated(*app);
  EXPECT_EQ(RadioTargets(), std::vector<std::string>{"/j/v2/channel_info?id=-10"});
  EXPECT_EQ(state().channel_name, "豆瓣精选"_gbk);
  EXPECT_FALSE(state().channel_intro.empty());
  EXPECT_EQ(form().标签5.caption(), "豆瓣精选 MHz"_gbk);
  EXPECT_TRUE(player->calls.empty());
}

}  // namespace
