#include "demo/demo_catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "text/gbk.h"
#include "text/text_search.h"

namespace demo {
namespace {

// Every text the station serves must survive the program's conversion to GBK: a character GBK
// lacks would show as "?" in the labels.
bool FitsGbk(const std::string& utf8) {
  return text::GbkToUtf8(text::Utf8ToGbk(utf8)) == utf8;
}

// The catalogue keeps its promises: 29 channels in list order with names, intros and songs of
// their own; titles, artists, albums and ids unique; all texts expressible in GBK.
TEST(DemoCatalogueTest, ChannelsAndSongsAreDistinctAndFitGbk) {
  DemoCatalogue catalogue = MakeDemoCatalogue(20000, 40000);
  ASSERT_GE(catalogue.channels.size(), 29u);
  std::set<std::string> titles, artists, albums, sids, channel_ids;
  std::set<int> owners;
  for (int c = 0; c < 29; ++c) {
    const DemoChannel& channel = catalogue.channels[c];
    EXPECT_EQ(channel.id, kDemoChannelIds[c]);
    EXPECT_TRUE(FitsGbk(channel.name) && FitsGbk(channel.intro)) << channel.id;
    EXPECT_FALSE(channel.intro.empty()) << channel.id;
    EXPECT_FALSE(channel.songs.empty()) << channel.id;
    for (int s : channel.songs) {
      EXPECT_TRUE(owners.insert(s).second) << "song " << s << " in two radio channels";
      EXPECT_EQ(catalogue.songs[s].channel_id, channel.id);
    }
  }
  for (const DemoChannel& channel : catalogue.channels) {
    EXPECT_TRUE(channel_ids.insert(channel.id).second) << channel.id;
  }
  for (const DemoSong& song : catalogue.songs) {
    EXPECT_TRUE(titles.insert(song.title).second) << song.title;
    EXPECT_TRUE(artists.insert(song.artist).second) << song.artist;
    EXPECT_TRUE(albums.insert(song.album_title).second) << song.album_title;
    EXPECT_TRUE(sids.insert(song.sid).second) << song.sid;
    for (const std::string& t : {song.title, song.artist, song.album_title}) {
      EXPECT_TRUE(FitsGbk(t)) << t;
    }
    for (const std::string& line : song.lyric_lines)
      EXPECT_TRUE(FitsGbk(line)) << line;
    EXPECT_EQ(song.ssid.size(), 4u);
    EXPECT_NE(catalogue.FindChannel(catalogue.SimilarChannelId(song)), nullptr) << song.sid;
  }
}

// Most albums have a "subject" path (album link and similar songs), a few do not, so both ways
// of the song start can be met.
TEST(DemoCatalogueTest, SomeAlbumPathsLackSubject) {
  DemoCatalogue catalogue = MakeDemoCatalogue(20000, 40000);
  int with = 0, without = 0;
  for (const DemoSong& song : catalogue.songs) {
    (text::ContainsText(song.album_path, "subject") ? with : without)++;
  }
  EXPECT_GT(without, 0);
  EXPECT_GT(with, 4 * without);
  // The first song of every channel has an album page.
  for (int c = 0; c < 29; ++c) {
    EXPECT_TRUE(
        text::ContainsText(catalogue.songs[catalogue.channels[c].songs[0]].album_path, "subject"));
  }
}

// Song lengths stay within the asked bounds and vary; lyric lines start inside the song, one
// per second at most (the program finds lines by the second), at least two when the song is
// two seconds long.
TEST(DemoCatalogueTest, LengthsAndLyricTimesFitTheBounds) {
  struct Case {
    int min_ms, max_ms;
  };
  for (Case c : {Case{20000, 40000}, Case{2000, 3000}, Case{2000, 2000}, Case{500, 500}}) {
    DemoCatalogue catalogue = MakeDemoCatalogue(c.min_ms, c.max_ms);
    std::set<int> lengths;
    for (const DemoSong& song : catalogue.songs) {
      ASSERT_GE(song.length_ms, c.min_ms);
      ASSERT_LE(song.length_ms, c.max_ms);
      lengths.insert(song.length_ms);
      if (!song.has_lyrics)
        continue;
      std::vector<int> times = song.LyricTimesMs();
      ASSERT_EQ(times.size(), song.lyric_lines.size());
      ASSERT_FALSE(times.empty());
      if (song.length_ms >= 2000) {
        EXPECT_GE(times.size(), 2u);
      }
      for (std::size_t i = 0; i < times.size(); ++i) {
        EXPECT_LT(times[i], song.length_ms);
        if (i > 0) {
          EXPECT_GT(times[i] / 1000, times[i - 1] / 1000) << song.sid;
        }
      }
    }
    EXPECT_GT(lengths.size(), c.max_ms > c.min_ms ? 20u : 0u);
  }
}

}  // namespace
}  // namespace demo
