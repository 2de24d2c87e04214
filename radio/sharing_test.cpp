#include "radio/sharing.h"

#include <gtest/gtest.h>

#include "radio/channels.h"
#include "radio/station_fixture.h"
#include "text/gbk.h"

namespace {

class SharingTest : public StationTest {};

// The copy names the song now playing, also while a favourite plays after a radio song.
TEST_F(SharingTest, CopyPutsTitleBlankArtistOnTheClipboard) {
  SongField(state(), 6) = "last radio title";
  SongField(state(), 4) = "last radio artist";
  state().NowPlaying.title = "A";
  state().NowPlaying.artist = "B";
  form().外形框3.Show();
  form().组合框1.Show();
  OnCopySongDetails(*app);
  ASSERT_EQ(desktop.clipboard, std::vector<std::string>{"A B"});
  EXPECT_EQ(form().提示.caption(), "歌曲信息已复制"_gbk);
  EXPECT_EQ(form().时钟2.period_ms(), 1000);
  EXPECT_FALSE(form().外形框3.visible());
  EXPECT_FALSE(form().组合框1.visible());
  EXPECT_TRUE(form().标签5.visible());
  loop.Advance(1000);
  EXPECT_EQ(form().提示.caption(), "音量：100"_gbk);
  EXPECT_EQ(form().时钟2.period_ms(), 0);
}

TEST_F(SharingTest, CopyWithTheSettingsPanelOpenOnlyClosesIt) {
  form().设置.Click();
  form().标签1.LeftPress();
  EXPECT_TRUE(desktop.clipboard.empty());
  EXPECT_EQ(form().外形框1.left(), 430);
  EXPECT_FALSE(form().外形框1.visible());
  form().标签1.LeftPress();
  EXPECT_EQ(desktop.clipboard, std::vector<std::string>{" "});
}

TEST_F(SharingTest, CoverOpensTheAlbumPageOnlyOnTheMusicSite) {
  state().album_path = "/subject/1001/";
  form().图片框1.LeftPress();
  EXPECT_TRUE(desktop.opened_urls.empty()) << "no song has started yet";

  OnNextSong(*app);
  ASSERT_NE(state().album_path.find("subject"), std::string::npos);
  form().图片框1.LeftPress();
  EXPECT_EQ(desktop.opened_urls,
            std::vector<std::string>{app->endpoints.music_site_base + state().album_path});

  // A path that would move the browser to another host is not opened.
  for (const char* path :
       {"@evil.example/subject/1/", "\\\\evil.example/subject/1/", ".evil.example/subject/"}) {
    desktop.opened_urls.clear();
    state().album_path = path;
    form().图片框1.LeftPress();
    EXPECT_TRUE(desktop.opened_urls.empty()) << path;
  }
}

TEST(UrlHost, SameOriginOnly) {
  struct Case {
    const char* url;
    const char* base;
    bool same;
  } cases[] = {
      {"https://music.example/subject/1/", "https://music.example", true},
      {"https://MUSIC.example/subject/", "https://music.example", true},
      {"https://music.example?x", "https://music.example", true},
      {"https://music.example@evil/subject", "https://music.example", false},
      {"https://music.example\\evil/subject", "https://music.example", false},
      {"https://music.example.evil/subject", "https://music.example", false},
      {"https://music.example:8080/subject", "https://music.example", false},
      {"http://music.example/subject", "https://music.example", false},
      {"music.example/subject", "https://music.example", false},
      {"https://x/", "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsUrlOnHostOf(c.url, c.base), c.same) << c.url;
}

// Sharing builds the link from the song page's channel id and shows the service's QR image; when
// the service gives none, the same link is drawn locally rather than an empty box.
TEST_F(SharingTest, ShareShowsTheCodeOfTheLink) {
  OnNextSong(*app);
  const std::string sid = state().NowPlaying.sid;
  form().微信分享.Click();
  EXPECT_FALSE(state().share_channel_id.empty());
  EXPECT_EQ(state().share_url, app->endpoints.radio_service_base + "/channel/" +
                                   state().share_channel_id + "?start=" + sid);
  EXPECT_TRUE(form().外形框3.visible());
  EXPECT_FALSE(form().二维码图片框.picture().empty());
  EXPECT_EQ(station().CountRequests("/api/qrcode/code?text=" + state().share_url), 1);
  const ui::Picture from_service = form().二维码图片框.picture();

  form().外形框3.Hide();
  form().二维码图片框.SetPicture({});
  station().SetAnswerOverride(
      [](const demo::StationRequest& r) -> std::optional<demo::StationAnswer> {
        if (r.server == "qr")
          return demo::StationAnswer{500, "text/html", "busy"};
        return std::nullopt;
      });
  station().ClearRequests();
  form().微信分享.Click();
  EXPECT_TRUE(form().外形框3.visible());
  EXPECT_EQ(form().二维码图片框.picture().width, form().二维码图片框.width());
  EXPECT_NE(form().二维码图片框.picture(), from_service);
}

TEST_F(SharingTest, ShareWithoutMarkersStillBuildsTheLink) {
  station().SetAnswerOverride(
      [](const demo::StationRequest& r) -> std::optional<demo::StationAnswer> {
        if (r.target.rfind("/j/v2/song/", 0) == 0)
          return demo::StationAnswer{200, "text/plain", "{}"};
        return std::nullopt;
      });
  state().NowPlaying.sid = "77";
  OnShareSong(*app);
  EXPECT_EQ(state().share_channel_id, "");
  EXPECT_EQ(state().share_url, app->endpoints.radio_service_base + "/channel/?start=77");
  EXPECT_FALSE(form().二维码图片框.picture().empty());
}

// Similar songs tune the channel named on the album page and label it with the artist.
TEST_F(SharingTest, SimilarSongsTuneTheAlbumsChannel) {
  OnNextSong(*app);
  const demo::DemoSong* song = station().catalogue().FindSong(state().NowPlaying.sid);
  ASSERT_TRUE(song);
  const std::string similar = station().catalogue().SimilarChannelId(*song);
  const std::string artist = state().NowPlaying.artist;
  const long long waited = loop.waited_ms();
  station().ClearRequests();
  form().相似歌曲.Click();
  EXPECT_EQ(state().channel_id, similar);
  EXPECT_EQ(form().标签5.caption(), artist + " MHz");
  EXPECT_EQ(loop.waited_ms() - waited, 200);
  EXPECT_EQ(station().CountRequests("/j/v2/channel_info?id=" + similar), 1);
  EXPECT_EQ(station().CountRequests("/j/v2/playlist?channel=" + similar + "&"), 1);
  EXPECT_EQ(state().channel_mode, "豆瓣精选"_gbk);
}

}  // namespace
