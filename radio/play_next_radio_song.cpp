#include "radio/play_next_radio_song.h"

#include "platform/image/picture_decoder.h"
#include "playback/start_stream.h"
#include "radio/lyrics_request.h"
#include "radio/marker_cut.h"
#include "shell/app.h"
#include "text/gbk.h"
#include "text/text_search.h"
#include "web/download_url.h"

namespace {

constexpr char kPlaylistTail[] =
    "&kbps=128&client=s%3Amainsite%7Cy%3A3.0&app_name=radio_website&version=100&type=n";

// The album link and the favourite mark of the song that just started.
void MarkAlbumAndFavourite(App& app) {
  MainForm& f = app.form;
  const ProgramState& s = app.state;
  if (!text::ContainsText(s.NowPlaying.album, "subject")) {
    f.图片框1.SetCursor(ui::Cursor::kDefault);
    f.相似歌曲.Hide();
    return;
  }
  f.图片框1.SetCursor(ui::Cursor::kHand);
  f.相似歌曲.Show();
  const ui::ListView& list = f.收藏歌曲列表;
  for (int row = 0; row < list.RowCount(); ++row) {
    if (list.Cell(row, static_cast<int>(FavouriteColumn::AlbumPath)) == s.album_path) {
      f.收藏歌曲.Hide();
      f.红心歌曲.Show();
      return;
    }
    f.收藏歌曲.Show();
    f.红心歌曲.Hide();
  }
}

}  // namespace

void PlayNextRadioSong(App& app) {
  MainForm& f = app.form;
  ProgramState& s = app.state;
  f.收藏歌曲时钟.SetPeriod(0);

  s.http.Open("GET", app.endpoints.radio_service_base + "/j/v2/playlist?channel=" + s.channel_id +
                         kPlaylistTail);
  s.http.Send();
  const std::string answer = s.http.GetResponseText();

  const std::string album_title = Cut(answer, R"("albumtitle":")", R"(","url)");
  const std::string title = Cut(answer, R"("title":")", R"(","sid)");
  const std::string artist = Cut(answer, R"("artist":")", R"(","is_royal)");
  const std::string url = Cut(answer, R"("url":")", R"(","file_ext)");
  const std::string picture = Cut(answer, R"("picture":")", R"(","update_time)");
  s.NowPlaying.sid = Cut(answer, R"("sid":")", R"(","sha256)");
  s.NowPlaying.ssid = Cut(answer, R"("ssid":")", R"(","title)");
  s.NowPlaying.kbps = Cut(answer, R"("kbps":")", R"(","available_formats)");
  s.NowPlaying.album = Cut(answer, R"("album":")", R"(","ssid)");

  s.song_fields = {picture, album_title, picture, artist, url, title};
  s.NowPlaying.title = title;
  s.NowPlaying.artist = artist;
  s.NowPlaying.url = url;
  s.NowPlaying.picture = picture;
  s.album_path = s.NowPlaying.album;
  s.play_source = "正在播放"_gbk;

  const std::string heading = title + " - " + artist;
  f.标签1.SetCaption(title);
  f.标签2.SetCaption(heading);
  f.标签4.SetCaption(s.NowPlaying.kbps + "Kbps");
  f.window.SetCaption(heading);

  f.图片框1.SetPicture(image::DecodePicture(DownloadUrl(picture)));
  StartStream(app, url);
  f.图片框2.SetAnimating(true);
  RequestLyrics(app);
  f.times.SetPeriod(500);
  MarkAlbumAndFavourite(app);
}
