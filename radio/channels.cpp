#include "radio/channels.h"

#include <array>

#include "radio/marker_cut.h"
#include "radio/play_next_radio_song.h"
#include "shell/app.h"
#include "text/gbk.h"

namespace {

// The channel list's 32 items by index: the id each tunes, empty for the three separators.
constexpr std::array<const char*, 32> kChannelIds = {
    "-10", "",    "1",   "2",   "3",   "4",   "5",   "6",  "17", "18",  "61",
    "",    "194", "7",   "8",   "9",   "10",  "13",  "27", "28", "187", "188",
    "189", "",    "153", "151", "152", "154", "155", "77", "32", "257"};

// Items 2 to 22 are the named channels of the first two groups; choosing one of them makes "666"
// the channel family. The third group leaves the family as it was.
bool SetsNamedFamily(int index) {
  return index >= 2 && index <= 22;
}

void ShowPlayingTransport(MainForm& f) {
  if (f.继续播放.visible()) {
    f.暂停按钮.Show();
    f.继续播放.Hide();
  }
}

}  // namespace

std::string ChannelIdOfItem(int index) {
  if (index < 0 || index >= static_cast<int>(kChannelIds.size()))
    return {};
  return kChannelIds[static_cast<size_t>(index)];
}

void RequestChannelInfo(App& app) {
  ProgramState& s = app.state;
  s.http.Open("GET", app.endpoints.radio_service_base + "/j/v2/channel_info?id=" + s.channel_id);
  s.http.Send();
  const std::string answer = s.http.GetResponseText();
  s.channel_name = Cut(answer, R"("name":")", R"(","cover)");
  s.channel_intro = Cut(answer, R"("intro":")", R"(","song_num)");
}

void OnChannelSelected(App& app) {
  MainForm& f = app.form;
  ProgramState& s = app.state;
  f.滑块条1.Hide();
  f.组合框1.Hide();
  f.标签5.Show();
  ShowPlayingTransport(f);

  const int index = f.组合框1.selected();
  const std::string id = ChannelIdOfItem(index);
  if (id.empty())
    return;
  s.channel_id = id;
  RequestChannelInfo(app);
  if (index == 0) {
    f.标签5.SetCaption("豆瓣精选 MHz"_gbk);
    s.channel_mode = "豆瓣精选"_gbk;
  } else {
    f.标签5.SetCaption(s.channel_name + " MHz");
    if (SetsNamedFamily(index))
      s.channel_mode = "666";
  }
  PlayNextRadioSong(app);
}

void OnNextSong(App& app) {
  MainForm& f = app.form;
  ProgramState& s = app.state;
  PlayNextRadioSong(app);

  f.滑块条1.Hide();
  f.微信分享.SetEnabled(true);
  f.收藏歌曲.Show();
  f.window.SetWidth(MainForm::kNormalWidth);

  // Leaving random favourites play: the song above still came from the channel tuned before.
  if (s.random_state == "正在随机"_gbk) {
    if (s.channel_mode == "豆瓣精选"_gbk) {
      s.channel_id = "-10";
      f.标签5.SetCaption("豆瓣精选 MHz"_gbk);
    }
    if (s.channel_mode == "666")
      f.标签5.SetCaption(s.channel_name + " MHz");
    RequestChannelInfo(app);
    s.random_state = "不在随机"_gbk;
  }

  ShowPlayingTransport(f);
  if (f.外形框1.left() == MainForm::kSettingsOpenLeft)
    f.外形框1.SetLeft(MainForm::kSettingsClosedLeft);
}
