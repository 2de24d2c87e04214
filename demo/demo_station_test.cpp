#include "demo/demo_station.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <openssl/pem.h>

#include <set>

#include "platform/image/picture_decoder.h"
#include "platform/image/picture_encoder.h"
#include "platform/image/qr_code.h"
#include "text/extract_between.h"
#include "text/gbk.h"
#include "text/text_search.h"

namespace demo {
namespace {

using text::ExtractBetween;
using text::Utf8ToGbk;

const std::string kPlaylistTail =
    "&kbps=128&client=s%3Amainsite%7Cy%3A3.0&app_name=radio_website&version=100&type=n";

struct Fetched {
  int status = 0;  // 0: no answer at all
  std::string body;
  std::string content_type;
  std::string content_length;
};

// A plain GET of `target`, sent as it stands (no escaping), as the program sends its URLs.
Fetched Fetch(const std::string& base, const std::string& target) {
  httplib::Client client(base);
  client.set_url_encode(false);
  Fetched fetched;
  if (auto result = client.Get(target.c_str())) {
    fetched = {result->status, result->body, result->get_header_value("Content-Type"),
               result->get_header_value("Content-Length")};
  }
  return fetched;
}

class DemoStationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(station_.Start()); }

  // The playlist answer for a channel, as the program holds it: a GBK text.
  std::string Playlist(const std::string& channel) {
    Fetched answer =
        Fetch(station_.radio_base(), "/j/v2/playlist?channel=" + channel + kPlaylistTail);
    EXPECT_EQ(answer.content_type, "application/json; charset=utf-8");
    return Utf8ToGbk(answer.body);
  }
  std::string Radio(const std::string& target) {
    return Utf8ToGbk(Fetch(station_.radio_base(), target).body);
  }

  DemoStation station_{DemoStationOptions{2, 3}};
};

// Each of the nine markers cuts exactly its own song's value out of the answer, converted to GBK
// as the program converts it, on every channel; the values lead to the song's audio and cover.
TEST_F(DemoStationTest, PlaylistMarkersCutTheSongsFields) {
  for (const char* channel : kDemoChannelIds) {
    SCOPED_TRACE(channel);
    const DemoSong* song = station_.PeekNextSong(channel);
    ASSERT_NE(song, nullptr);
    std::string answer = Playlist(channel);
    EXPECT_EQ(ExtractBetween(answer, R"("albumtitle":")", R"(","url)"),
              Utf8ToGbk(song->album_title));
    EXPECT_EQ(ExtractBetween(answer, R"("title":")", R"(","sid)"), Utf8ToGbk(song->title));
    EXPECT_EQ(ExtractBetween(answer, R"("artist":")", R"(","is_royal)"), Utf8ToGbk(song->artist));
    std::string url = ExtractBetween(answer, R"("url":")", R"(","file_ext)");
    std::string picture = ExtractBetween(answer, R"("picture":")", R"(","update_time)");
    EXPECT_EQ(ExtractBetween(answer, R"("sid":")", R"(","sha256)"), song->sid);
    EXPECT_EQ(ExtractBetween(answer, R"("ssid":")", R"(","title)"), song->ssid);
    EXPECT_EQ(ExtractBetween(answer, R"("kbps":")", R"(","available_formats)"), "128");
    EXPECT_EQ(ExtractBetween(answer, R"("album":")", R"(","ssid)"), song->album_path);
    ASSERT_TRUE(url.starts_with(station_.radio_base() + "/")) << url;
    ASSERT_TRUE(picture.starts_with(station_.radio_base() + "/")) << picture;
    EXPECT_TRUE(picture.ends_with("." + song->cover_ext));
    EXPECT_TRUE(picture.ends_with(".jpg") || picture.ends_with(".png"));
  }
}

// Each playlist request gives the channel's next song, round and round; channels rotate apart.
TEST_F(DemoStationTest, PlaylistRotatesThroughTheChannelsSongs) {
  const DemoChannel* channel = station_.catalogue().FindChannel("194");
  ASSERT_NE(channel, nullptr);
  std::vector<std::string> titles;
  for (std::size_t i = 0; i < channel->songs.size() + 1; ++i) {
    titles.push_back(ExtractBetween(Playlist("194"), R"("title":")", R"(","sid)"));
    if (i == 0)
      Playlist("1");  // another channel does not move this one
  }
  std::set<std::string> distinct(titles.begin(), titles.end() - 1);
  EXPECT_EQ(distinct.size(), channel->songs.size());
  EXPECT_EQ(titles.back(), titles.front());
  // A channel the station does not have answers without fields.
  EXPECT_EQ(ExtractBetween(Playlist("99999"), R"("title":")", R"(","sid)"), "");
}

// The channel information names each channel as the channel list does.
TEST_F(DemoStationTest, ChannelInfoNamesEveryChannel) {
  const std::pair<const char*, const char*> names[] = {
      {"-10", "豆瓣精选"}, {"1", "华语"},       {"2", "欧美"},       {"3", "70s"},
      {"4", "80s"},        {"5", "90s"},        {"6", "粤语"},       {"17", "日语"},
      {"18", "韩语"},      {"61", "新歌"},      {"194", "流行"},     {"7", "摇滚"},
      {"8", "民谣"},       {"9", "轻音乐"},     {"10", "电影原声"},  {"13", "爵士"},
      {"27", "古典"},      {"28", "动漫"},      {"187", "世界音乐"}, {"188", "布鲁斯"},
      {"189", "拉丁"},     {"153", "工作学习"}, {"151", "户外"},     {"152", "休息"},
      {"154", "亢奋"},     {"155", "舒缓"},     {"77", "Easy"},      {"32", "咖啡"},
      {"257", "运动"},
  };
  for (auto [id, name] : names) {
    std::string answer = Radio("/j/v2/channel_info?id=" + std::string(id));
    EXPECT_EQ(ExtractBetween(answer, R"("name":")", R"(","cover)"), Utf8ToGbk(name)) << id;
    EXPECT_NE(ExtractBetween(answer, R"("intro":")", R"(","song_num)"), "") << id;
  }
  std::string unknown = Radio("/j/v2/channel_info?id=99999");
  EXPECT_EQ(ExtractBetween(unknown, R"("name":")", R"(","cover)"), "");
}

// The lyric is time-tagged, its line breaks are the escape \r\n (never real CR or LF), and its
// tags fit within the song; instrumental songs say "暂无歌词".
TEST_F(DemoStationTest, LyricsAreTimeTaggedWithEscapedLineBreaks) {
  const DemoCatalogue& catalogue = station_.catalogue();
  int checked = 0;
  for (const DemoSong& song : catalogue.songs) {
    if (song.channel_id != "1" && song.channel_id != "17" && song.channel_id != "9")
      continue;
    SCOPED_TRACE(song.sid);
    std::string answer = Radio("/j/v2/lyric?sid=" + song.sid + "&ssid=" + song.ssid);
    std::string lyric = ExtractBetween(answer, R"("lyric":")", R"(","name)");
    EXPECT_EQ(answer.find_first_of("\r\n"), std::string::npos);
    if (!song.has_lyrics) {
      EXPECT_EQ(lyric, Utf8ToGbk("暂无歌词"));
      continue;
    }
    ++checked;
    EXPECT_TRUE(lyric.ends_with("\\r\\n"));
    // Every tag [mm:ss.xx] starts a line and lies before the song's end.
    int tags = 0;
    for (std::size_t at = lyric.find("[0"); at != std::string::npos;
         at = lyric.find("[0", at + 1)) {
      ASSERT_EQ(lyric[at + 3], ':');
      ASSERT_EQ(lyric[at + 6], '.');
      ASSERT_EQ(lyric[at + 9], ']');
      int ms = std::stoi(lyric.substr(at + 1, 2)) * 60000 +
               std::stoi(lyric.substr(at + 4, 2)) * 1000 + std::stoi(lyric.substr(at + 7, 2)) * 10;
      EXPECT_LT(ms, song.length_ms);
      EXPECT_TRUE(at == 0 || lyric.substr(at - 4, 4) == "\\r\\n");
      ++tags;
    }
    EXPECT_GE(tags, 2);
    EXPECT_TRUE(text::ContainsText(lyric, "[00:00.00]" + Utf8ToGbk(song.title)));
  }
  EXPECT_GT(checked, 4);
  // Wrong ids still get an answer of the same form.
  EXPECT_EQ(ExtractBetween(Radio("/j/v2/lyric?sid=&ssid="), R"("lyric":")", R"(","name)"),
            Utf8ToGbk("暂无歌词"));
}

// The song page names the song's channel after a value ending in "jpg"; the share link built from
// it is a page of the station; the album page leads to a similar-songs channel that the station
// serves like any other.
TEST_F(DemoStationTest, SharingAndSimilarSongsLinksLeadSomewhere) {
  const DemoSong* song = station_.PeekNextSong("6");
  ASSERT_NE(song, nullptr);
  std::string page = Radio("/j/v2/song/" + song->sid + "g" + song->ssid + "/");
  std::string share_channel = ExtractBetween(page, R"(jpg","id":)", R"(,"name)");
  EXPECT_EQ(share_channel, "6");
  Fetched share = Fetch(station_.radio_base(), "/channel/" + share_channel + "?start=" + song->sid);
  EXPECT_EQ(share.status, 200);
  EXPECT_NE(share.body.find(song->title), std::string::npos);
  // "-10" stands unquoted too.
  const DemoSong* selected = station_.PeekNextSong("-10");
  EXPECT_EQ(ExtractBetween(Radio("/j/v2/song/" + selected->sid + "g" + selected->ssid + "/"),
                           R"(jpg","id":)", R"(,"name)"),
            "-10");

  Fetched album = Fetch(station_.music_base(), song->album_path);
  ASSERT_EQ(album.status, 200);
  std::string similar = ExtractBetween(album.body, "cid=", "&amp");
  ASSERT_NE(similar, "");
  std::string info = Radio("/j/v2/channel_info?id=" + similar);
  EXPECT_NE(ExtractBetween(info, R"("name":")", R"(","cover)"), "");
  std::string next = ExtractBetween(Playlist(similar), R"("title":")", R"(","sid)");
  EXPECT_NE(next, "");
  EXPECT_NE(next, Utf8ToGbk(song->title));  // the similar channel starts after this song
}

// Covers are real pictures of the format their URL names, 240 x 240, different per album.
TEST_F(DemoStationTest, CoversDecodeInTheirFormats) {
  std::set<std::string> formats;
  std::vector<ui::Picture> covers;
  for (const char* channel : {"1", "2", "-10"}) {
    std::string answer = Playlist(channel);
    std::string picture = ExtractBetween(answer, R"("picture":")", R"(","update_time)");
    Fetched file = Fetch(station_.radio_base(), picture.substr(station_.radio_base().size()));
    ASSERT_EQ(file.status, 200) << picture;
    formats.insert(file.content_type);
    EXPECT_EQ(file.content_type, picture.ends_with(".png") ? "image/png" : "image/jpeg");
    ui::Picture cover = image::DecodePicture(file.body);
    EXPECT_EQ(cover.width, 240);
    EXPECT_EQ(cover.height, 240);
    covers.push_back(cover);
  }
  EXPECT_EQ(formats.size(), 2u);
  EXPECT_NE(covers[0], covers[2]);
  // The channel picture named by the channel information is served as well.
  std::string info = Radio("/j/v2/channel_info?id=1");
  std::string cover = ExtractBetween(info, R"("cover":")", R"(",")");
  EXPECT_FALSE(image::DecodePicture(
                   Fetch(station_.radio_base(), cover.substr(station_.radio_base().size())).body)
                   .empty());
}

// The audio is a WAV of the song's length with a Content-Length, and songs sound different.
TEST_F(DemoStationTest, AudioIsAWavOfTheSongsLength) {
  std::vector<std::string> bodies;
  for (const char* channel : {"2", "2"}) {
    const DemoSong* song = station_.PeekNextSong(channel);
    std::string url = ExtractBetween(Playlist(channel), R"("url":")", R"(","file_ext)");
    Fetched wav = Fetch(station_.radio_base(), url.substr(station_.radio_base().size()));
    ASSERT_EQ(wav.status, 200);
    EXPECT_EQ(wav.content_length, std::to_string(wav.body.size()));
    ASSERT_GT(wav.body.size(), 44u);
    EXPECT_EQ(wav.body.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.body.size(), 44u + static_cast<std::size_t>(song->length_ms) * 22050 / 1000 * 2);
    // A player that seeks asks for a range and must get exactly that part.
    httplib::Client client(station_.radio_base());
    auto part =
        client.Get(url.substr(station_.radio_base().size()).c_str(), {{"Range", "bytes=40-59"}});
    ASSERT_TRUE(part);
    EXPECT_EQ(part->status, 206);
    EXPECT_EQ(part->body, wav.body.substr(40, 20));
    EXPECT_GE(song->length_ms, 2000);
    EXPECT_LE(song->length_ms, 3000);
    bodies.push_back(wav.body);
  }
  EXPECT_NE(bodies[0], bodies[1]);
}

// The QR page points at an HTTPS image that a client verifies with the station's certificate
// (and only with it), and the image is the QR code of the link in the page's request.
TEST_F(DemoStationTest, QrImageIsServedOverHttpsWithTheStationsCertificate) {
  const std::string link = station_.radio_base() + "/channel/1?start=1460003";
  Fetched page = Fetch(station_.qr_base(), "/api/qrcode/code?text=" + link);
  std::string path = ExtractBetween(page.body, "img =\"", "\";");
  ASSERT_EQ(page.status, 200) << page.body;
  const std::string host = "//127.0.0.1:";
  ASSERT_TRUE(path.starts_with(host)) << path;
  ASSERT_TRUE(path.ends_with(".png")) << path;
  EXPECT_EQ("https:" + path.substr(0, path.find('/', host.size())), station_.qr_image_base());
  const int port = std::stoi(path.substr(host.size()));
  const std::string target = path.substr(path.find('/', host.size()));

  httplib::SSLClient trusting("127.0.0.1", port);
  X509_STORE* store = X509_STORE_new();
  BIO* bio = BIO_new_mem_buf(station_.certificate_pem().data(),
                             static_cast<int>(station_.certificate_pem().size()));
  X509* cert = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr);
  ASSERT_NE(cert, nullptr);
  X509_STORE_add_cert(store, cert);
  X509_free(cert);
  BIO_free(bio);
  trusting.set_ca_cert_store(store);  // the client owns the store from here
  trusting.enable_server_certificate_verification(true);
  auto result = trusting.Get(target.c_str());
  ASSERT_TRUE(result) << httplib::to_string(result.error());
  EXPECT_EQ(result->status, 200);
  EXPECT_EQ(result->get_header_value("Content-Type"), "image/png");
  EXPECT_EQ(image::DecodePicture(result->body), image::DrawQrCode(link, 200));

  httplib::SSLClient untrusting("127.0.0.1", port);
  untrusting.enable_server_certificate_verification(true);
  EXPECT_FALSE(untrusting.Get(target.c_str()));
}

// Tests can replace answers, read what was asked exactly as sent, and stop the station.
TEST_F(DemoStationTest, HooksLogAndStop) {
  station_.SetPlaylistOverride([](const std::string& channel) -> std::optional<std::string> {
    if (channel != "7")
      return std::nullopt;
    return R"({"song":[{"title":"a","sid"}]})";
  });
  station_.SetAnswerOverride([](const StationRequest& request) -> std::optional<StationAnswer> {
    if (request.server != "music")
      return std::nullopt;
    return StationAnswer{503, "text/plain", "busy"};
  });
  EXPECT_EQ(ExtractBetween(Playlist("7"), R"("title":")", R"(","sid)"), "a");
  EXPECT_NE(ExtractBetween(Playlist("8"), R"("title":")", R"(","sid)"), "");
  Fetched music = Fetch(station_.music_base(), "/subject/26001/");
  EXPECT_EQ(music.status, 503);
  EXPECT_EQ(music.body, "busy");

  std::vector<StationRequest> log = station_.requests();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].server, "radio");
  EXPECT_EQ(log[0].target, "/j/v2/playlist?channel=7" + kPlaylistTail);
  EXPECT_EQ(log[2].server, "music");
  EXPECT_EQ(station_.CountRequests("/j/v2/playlist?"), 2);
  station_.ClearRequests();
  EXPECT_EQ(station_.CountRequests(""), 0);

  EXPECT_TRUE(station_.running());
  station_.Stop();
  EXPECT_FALSE(station_.running());
  EXPECT_EQ(Fetch(station_.radio_base(), "/j/v2/channel_info?id=1").status, 0);
  station_.Stop();
}

}  // namespace
}  // namespace demo
