#include "radio/play_next_radio_song.h"

#include <gtest/gtest.h>

#include "radio/channels.h"
#include "radio/station_fixture.h"
#include "text/gbk.h"

namespace {

using testing_support::ScriptedPlayer;

std::string Gbk(const std::string& utf8) {
  return text::Utf8ToGbk(utf8);
}

int SetUrlCalls(const ScriptedPlayer& player) {
  int n = 0;
  for (const std::string& call : player.calls)
    n += call.rfind("SetUrl", 0) == 0;
  return n;
}

class SongStartTest : public StationTest {};

// A channel choice tunes its id, names the channel and starts the channel's next song with its
// title, artist, bit rate, caption, cover, and the slider's volume.
TEST_F(SongStartTest, ChannelChoiceShowsAndPlaysTheSong) {
  struct Case {
    int index;
    const char* id;
    bool named_family;
  } cases[] = {{12, "194", true}, {24, "153", false}, {0, "-10", false}, {8, "17", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    state().channel_mode = "before";
    form().滑块条1.SetPosition(37);
    form().继续播放.Show();
    form().暂停按钮.Hide();
    const demo::DemoSong* song = station().PeekNextSong(c.id);
    const demo::DemoChannel* channel = station().catalogue().FindChannel(c.id);
    ASSERT_TRUE(song && channel);
    player->calls.clear();

    form().组合框1.Choose(c.index);

    EXPECT_EQ(state().channel_id, c.id);
    std::string label = c.index == 0 ? "豆瓣精选 MHz"_gbk : Gbk(channel->name) + " MHz";
    EXPECT_EQ(form().标签5.caption(), label);
    EXPECT_EQ(state().channel_mode, c.index == 0     ? "豆瓣精选"_gbk
                                    : c.named_family ? "666"
                                                     : "before");
    EXPECT_EQ(form().标签1.caption(), Gbk(song->title));
    EXPECT_EQ(state().NowPlaying.artist, Gbk(song->artist));
    EXPECT_EQ(form().标签4.caption(), "128Kbps");
    EXPECT_EQ(form().window.caption(), Gbk(song->title + " - " + song->artist));
    EXPECT_EQ(form().标签2.caption(), form().window.caption());
    EXPECT_EQ(form().图片框1.picture().width, 240);
    EXPECT_EQ(state().album_path, song->album_path);
    EXPECT_EQ(state().play_source, "正在播放"_gbk);
    EXPECT_EQ(SongField(state(), 6), Gbk(song->title));
    EXPECT_EQ(SongField(state(), 2), Gbk(song->album_title));
    ASSERT_GE(player->calls.size(), 2u);
    EXPECT_EQ(player->calls[0], "SetUrl " + state().NowPlaying.url);
    EXPECT_NE(state().NowPlaying.url.find("127.0.0.1"), std::string::npos);
    EXPECT_EQ(player->volume_value, 37);
    EXPECT_TRUE(form().暂停按钮.visible());
    EXPECT_FALSE(form().继续播放.visible());
    EXPECT_TRUE(form().图片框2.animating());
    EXPECT_EQ(form().times.period_ms(), 500);
    EXPECT_FALSE(state().lyrics_text.empty());
  }
}

TEST_F(SongStartTest, SeparatorRequestsNothing) {
  for (int separator : {1, 11, 23}) {
    form().组合框1.Show();
    form().标签5.Hide();
    form().组合框1.Choose(separator);
    EXPECT_TRUE(station().requests().empty()) << separator;
    EXPECT_FALSE(form().组合框1.visible());
    EXPECT_TRUE(form().标签5.visible());
    EXPECT_EQ(state().channel_id, "-10");
    EXPECT_TRUE(player->calls.empty());
  }
}

// Answers the service might send: each field is cut between its markers and taken as it stands.
TEST_F(SongStartTest, OddAnswersFillTheFieldsAsCut) {
  struct Case {
    const char* name;
    std::string answer;
    std::string title, artist, kbps;
  } cases[] = {
      {"end marker inside a value",
       R"({"albumtitle":"X","url":"u","file_ext":"wav","album":"/a/","ssid":"1","title":"A","sid B","sid":"2","sha256":"","artist":"R","is_royal":false,"kbps":"64","available_formats":{}})",
       "A", "R", "64"},
      {"JSON escapes stay",
       R"({"title":"Tom \"Q\" \u4e2d\/x","sid":"2","sha256":"","artist":"a\\b","is_royal":1,"kbps":"","available_formats":1})",
       R"(Tom \"Q\" \u4e2d\/x)", R"(a\\b)", ""},
      {"reordered keys empty the fields whose neighbour changed",
       R"({"is_royal":false,"sid":"2","title":"T","artist":"R","kbps":"128","available_formats":1})",
       "", "", "128"},
      {"chinese values",
       R"({"title":"晴天","sid":"9","sha256":"","artist":"周","is_royal":0,"kbps":"128","available_formats":0})",
       "晴天"_gbk, "周"_gbk, "128"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    station().SetPlaylistOverride([&c](const std::string&) { return c.answer; });
    PlayNextRadioSong(*app);
    EXPECT_EQ(form().标签1.caption(), c.title);
    EXPECT_EQ(state().NowPlaying.artist, c.artist);
    EXPECT_EQ(form().标签4.caption(), c.kbps + "Kbps");
  }
}

// A favourites row with the song's album path shows the red heart wherever it stands; without
// one the add button shows; an empty list leaves the pair as it was.
TEST_F(SongStartTest, FavouriteMarkScansTheList) {
  const std::string album = "/subject/4242/";
  station().SetPlaylistOverride([&album](const std::string&) {
    return R"({"album":")" + album + R"(","ssid":"1","title":"T","sid":"5","sha256":""})";
  });
  struct Case {
    const char* name;
    std::vector<std::string> album_paths;
    bool heart_before;
    bool heart_after;
  } cases[] = {
      {"matching first", {album, "/subject/1/", "/subject/2/"}, false, true},
      {"matching last", {"/subject/1/", "/subject/2/", album}, false, true},
      {"absent", {"/subject/1/", "/subject/2/"}, true, false},
      {"a longer path is no match", {album + "x"}, true, false},
      {"empty list keeps a heart", {}, true, true},
      {"empty list keeps the add button", {}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form().收藏歌曲列表.ClearRows();
    for (const std::string& path : c.album_paths) {
      form().收藏歌曲列表.AddRow({"t", "a", "", "", "", "", "", path});
    }
    form().红心歌曲.SetVisible(c.heart_before);
    form().收藏歌曲.SetVisible(!c.heart_before);
    PlayNextRadioSong(*app);
    ASSERT_EQ(state().album_path, album);
    EXPECT_EQ(form().红心歌曲.visible(), c.heart_after);
    EXPECT_EQ(form().收藏歌曲.visible(), !c.heart_after);
    EXPECT_TRUE(form().相似歌曲.visible());
    EXPECT_EQ(form().图片框1.cursor(), ui::Cursor::kHand);
  }
}

TEST_F(SongStartTest, AlbumWithoutSubjectHidesTheLinkAndKeepsTheHearts) {
  station().SetPlaylistOverride([](const std::string&) {
    return std::string(R"({"album":"/musician/7/","ssid":"1","title":"T","sid":"5","sha256":""})");
  });
  form().相似歌曲.Show();
  form().图片框1.SetCursor(ui::Cursor::kHand);
  form().红心歌曲.Show();
  form().收藏歌曲列表.AddRow({"t", "a", "", "", "", "", "", "/musician/7/"});
  PlayNextRadioSong(*app);
  EXPECT_EQ(state().album_path, "/musician/7/");
  EXPECT_FALSE(form().相似歌曲.visible());
  EXPECT_EQ(form().图片框1.cursor(), ui::Cursor::kDefault);
  EXPECT_TRUE(form().红心歌曲.visible());
}

// A station that was there and stopped: its ports refuse connections.
class GoneStationTest : public testing_support::AppTest {
 protected:
  GoneStationTest() : AppTest(GoneEndpoints()) {}
  static ServiceEndpoints GoneEndpoints() {
    demo::DemoStation gone(demo::DemoStationOptions{2, 2});
    EXPECT_TRUE(gone.Start());
    ServiceEndpoints endpoints{gone.radio_base(), gone.music_base(), gone.qr_base()};
    gone.Stop();
    return endpoints;
  }
};

// With the service gone every label is filled from empty fields, nothing is reported, and the
// monitor's next idle tick asks again.
TEST_F(GoneStationTest, EmptyFieldsAndRetryOnTheNextIdleTick) {
  form().图片框1.SetPicture(ui::Picture{1, 1, {0xff000000u}});
  form().相似歌曲.Show();
  OnNextSong(*app);
  EXPECT_EQ(form().标签1.caption(), "");
  EXPECT_EQ(form().标签2.caption(), " - ");
  EXPECT_EQ(form().标签4.caption(), "Kbps");
  EXPECT_EQ(form().window.caption(), " - ");
  EXPECT_TRUE(form().图片框1.picture().empty());
  EXPECT_FALSE(form().相似歌曲.visible());
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(form().提示.caption(), "TovaselV1.6");
  EXPECT_EQ(SetUrlCalls(*player), 1);
  EXPECT_EQ(player->url_value, "");

  player->state = media::PlayState::kReady;
  loop.Advance(500);
  EXPECT_EQ(SetUrlCalls(*player), 2);
  EXPECT_EQ(form().times.period_ms(), 500);
}

}  // namespace
