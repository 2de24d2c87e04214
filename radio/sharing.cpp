#include "radio/sharing.h"

#include <algorithm>
#include <cctype>

#include "platform/image/picture_decoder.h"
#include "platform/image/qr_code.h"
#include "radio/channels.h"
#include "radio/marker_cut.h"
#include "radio/play_next_radio_song.h"
#include "shell/app.h"
#include "shell/panels.h"
#include "text/gbk.h"
#include "text/text_search.h"
#include "web/download_url.h"

namespace {

// "scheme://authority" of a URL, lower-cased: everything before the first "/", "?" or "#" after
// the scheme's "//". A backslash or an "@" stays inside it, so a URL whose path began with either
// has an authority of its own.
std::string Origin(const std::string& url) {
  size_t scheme_end = url.find("://");
  if (scheme_end == std::string::npos)
    return {};
  size_t end = url.find_first_of("/?#", scheme_end + 3);
  std::string origin = url.substr(0, end);
  std::transform(origin.begin(), origin.end(), origin.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return origin;
}

}  // namespace

bool IsUrlOnHostOf(const std::string& url, const std::string& base) {
  std::string origin = Origin(base);
  return !origin.empty() && Origin(url) == origin;
}

void OnShareSong(App& app) {
  MainForm& f = app.form;
  ProgramState& s = app.state;
  const std::string& radio = app.endpoints.radio_service_base;
  s.http.Open("GET", radio + "/j/v2/song/" + s.NowPlaying.sid + "g" + s.NowPlaying.ssid + "/");
  s.http.Send();
  const std::string answer = s.http.GetResponseText();
  s.share_channel_id = Cut(answer, R"(jpg","id":)", R"(,"name)");
  s.share_url = radio + "/channel/" + s.share_channel_id + "?start=" + s.NowPlaying.sid;

  const std::string page =
      PageText(DownloadUrl(app.endpoints.qr_service_base + "/api/qrcode/code?text=" + s.share_url));
  const std::string image_path = Cut(page, R"(img =")", R"(";)");
  ui::Picture code = image::DecodePicture(DownloadUrl("https:" + image_path));
  // Without a picture from the service the panel would open empty, as if sharing had worked:
  // the code of the same link is drawn here instead.
  if (code.empty())
    code = image::DrawQrCode(s.share_url, f.二维码图片框.width());
  f.二维码图片框.SetPicture(std::move(code));
  f.外形框3.Show();
}

void OnCopySongDetails(App& app) {
  MainForm& f = app.form;
  HidePopups(f);
  if (f.外形框1.left() != MainForm::kSettingsClosedLeft) {
    f.外形框1.SetLeft(MainForm::kSettingsClosedLeft);
    return;
  }
  // The song now playing, also while a favourite plays.
  const NowPlayingSong& song = app.state.NowPlaying;
  app.desktop.SetClipboardText(song.title + " " + song.artist);
  f.提示.SetCaption("歌曲信息已复制"_gbk);
  f.时钟2.SetPeriod(1000);
}

void OnCoverClicked(App& app) {
  MainForm& f = app.form;
  const ProgramState& s = app.state;
  f.滑块条1.Hide();
  f.组合框1.Hide();
  f.外形框1.Hide();
  f.标签5.Show();
  if (s.play_source != "正在播放"_gbk || !text::ContainsText(s.album_path, "subject"))
    return;
  const std::string url = app.endpoints.music_site_base + s.album_path;
  if (IsUrlOnHostOf(url, app.endpoints.music_site_base))
    app.desktop.OpenInBrowser(url);
}

void OnSimilarSongs(App& app) {
  ProgramState& s = app.state;
  const std::string page = PageText(DownloadUrl(app.endpoints.music_site_base + s.album_path));
  const std::string similar_channel = Cut(page, "cid=", "&amp");
  app.loop.WaitProcessingMessages(100);
  s.channel_id = similar_channel;
  RequestChannelInfo(app);
  app.loop.WaitProcessingMessages(100);
  app.form.标签5.SetCaption(s.NowPlaying.artist + " MHz");
  PlayNextRadioSong(app);
}
