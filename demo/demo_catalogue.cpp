#include "demo/demo_catalogue.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace demo {

const char* const kDemoChannelIds[29] = {"-10", "1",   "2",   "3",   "4",   "5",   "6",   "17",
                                         "18",  "61",  "194", "7",   "8",   "9",   "10",  "13",
                                         "27",  "28",  "187", "188", "189", "153", "151", "152",
                                         "154", "155", "77",  "32",  "257"};

namespace {

// The language of a channel's songs: Chinese, Latin-script, Japanese, or Chinese and Latin in turn.
enum class Style { kChinese, kLatin, kJapanese, kMixed };

struct ChannelEntry {
  const char* name;
  Style style;
  bool instrumental;
  const char* intro;
};

// In the order of kDemoChannelIds.
const ChannelEntry kChannels[29] = {
    {"豆瓣精选", Style::kMixed, false, "编辑每天挑出的好歌，华语与外语轮流登场。"},
    {"华语", Style::kChinese, false, "华语流行与独立音乐，新歌老歌都有。"},
    {"欧美", Style::kLatin, false, "英语世界的流行、摇滚与灵魂乐。"},
    {"70s", Style::kLatin, false, "七十年代的唱片与电台金曲。"},
    {"80s", Style::kMixed, false, "合成器与霓虹灯的八十年代。"},
    {"90s", Style::kMixed, false, "卡带与随身听的九十年代。"},
    {"粤语", Style::kChinese, false, "港乐的旋律与故事。"},
    {"日语", Style::kJapanese, false, "日本的流行、城市流行与偶像歌曲。"},
    {"韩语", Style::kLatin, false, "韩国的流行与独立音乐。"},
    {"新歌", Style::kMixed, false, "这个月刚刚发行的新歌。"},
    {"流行", Style::kMixed, false, "耳熟能详的流行旋律。"},
    {"摇滚", Style::kLatin, false, "吉他、鼓和大声的合唱。"},
    {"民谣", Style::kChinese, false, "一把木吉他和一个故事。"},
    {"轻音乐", Style::kLatin, true, "没有歌词的钢琴与弦乐小品。"},
    {"电影原声", Style::kMixed, false, "银幕上的主题曲与配乐。"},
    {"爵士", Style::kLatin, false, "摇摆、即兴与深夜的萨克斯。"},
    {"古典", Style::kLatin, true, "奏鸣曲、协奏曲与小夜曲。"},
    {"动漫", Style::kJapanese, false, "动画的片头曲与片尾曲。"},
    {"世界音乐", Style::kMixed, false, "来自各地的民间旋律。"},
    {"布鲁斯", Style::kLatin, false, "十二小节里的喜怒哀乐。"},
    {"拉丁", Style::kLatin, false, "萨尔萨、波萨诺瓦与探戈。"},
    {"工作学习", Style::kMixed, false, "安静专注的背景音乐。"},
    {"户外", Style::kMixed, false, "适合在路上听的歌。"},
    {"休息", Style::kChinese, false, "放慢脚步，歇一歇。"},
    {"亢奋", Style::kLatin, false, "快节奏，大音量。"},
    {"舒缓", Style::kChinese, false, "柔和的旋律，舒展的心情。"},
    {"Easy", Style::kLatin, false, "轻松的午后小调。"},
    {"咖啡", Style::kMixed, false, "咖啡馆里的爵士与民谣。"},
    {"运动", Style::kLatin, false, "跟着节拍跑起来。"},
};

constexpr int kSongsPerChannel = 4;

// A two-part name pool; the k-th name drawn is distinct from every other draw while k stays
// below the pool's size, since the stride is prime to that size.
struct NamePool {
  std::vector<std::string_view> first;
  std::vector<std::string_view> second;
  std::string_view joint;
  int stride;
  int drawn = 0;

  std::string Draw() {
    const int size = static_cast<int>(first.size() * second.size());
    const int p = (drawn++ * stride) % size;
    const int n = static_cast<int>(first.size());
    return std::string(first[p % n]) + std::string(joint) + std::string(second[p / n]);
  }
};

NamePool ChineseTitles() {
  return {{"夜空", "海风",   "旧城", "晨光", "雨季", "星河", "远方", "灯火", "山谷", "月台",
           "街角", "纸飞机", "白昼", "云端", "落日", "潮汐", "麦田", "长夜", "微光", "故乡"},
          {"之歌", "的回声", "里的你", "慢板", "序曲", "往事", "小夜曲", "来信", "日记", "漫步",
           "之旅", "与我"},
          "",
          7};
}
NamePool LatinTitles() {
  return {{"Midnight", "Paper",  "Silver", "Golden", "Blue",   "Northern", "Quiet",
           "Electric", "Velvet", "Summer", "Neon",   "Wild",   "Hollow",   "Crystal",
           "Distant",  "Broken", "Lucky",  "Winter", "Secret", "Ocean"},
          {"Avenue", "Lights", "Rain", "Harbor", "Dream", "Echoes", "Train", "Garden", "Waltz",
           "Letters", "Skyline", "Radio"},
          " ",
          7};
}
NamePool JapaneseTitles() {
  return {{"桜の", "夏の", "青い", "遠い", "夜明けの", "春の", "星の", "雪の"},
          {"うた", "ひかり", "ノート", "きせき", "ワルツ", "ものがたり"},
          "",
          5};
}
NamePool ChineseArtists() {
  return {{"林", "陈", "周", "王", "李", "张", "吴", "许", "苏", "郑"},
          {"晓月", "子墨", "一凡", "嘉文", "若溪", "思远", "雨桐", "浩然", "静怡", "明轩"},
          "",
          3};
}
NamePool LatinArtists() {
  return {{"Ava", "Leo", "Mia", "Noah", "Iris", "Felix", "Nora", "Oscar", "Ruby", "Hugo"},
          {"Stone", "Rivers", "Hale", "Marsh", "Vale", "Quinn", "Frost", "Lane", "Moreau", "Berg"},
          " ",
          3};
}
NamePool JapaneseArtists() {
  return {{"佐藤", "鈴木", "高橋", "中村", "小林"}, {"ゆい", "はると", "あおい", "そら"}, "", 3};
}

const std::string_view kChineseLines[] = {"风吹过安静的街", "我把心事写进歌里", "灯火一盏一盏亮起",
                                          "你说明天会更好", "雨停在窗前",       "我们走过的路",
                                          "时间慢慢地流",   "月光落在肩上",     "把今天唱给你听",
                                          "远方有人在等",   "心跳跟着节拍",     "再唱一遍这首歌"};
const std::string_view kLatinLines[] = {
    "Hold on to the night",   "Every light is calling",   "We ride until the morning",
    "Sing it one more time",  "The city hums along",      "Keep your hand in mine",
    "Over the hills and far", "Rain on the window pane",  "All the roads lead home",
    "Turn the radio up",      "Dancing in the slow lane", "Here comes the sun again"};
const std::string_view kJapaneseLines[] = {"さくらの下で", "ひかりを見つけて",
                                           "夜空にうたう", "きみとあるいた道",
                                           "ゆめの続きへ", "かぜがふいている"};

std::uint32_t Mix(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

struct Pools {
  NamePool chinese_titles = ChineseTitles();
  NamePool latin_titles = LatinTitles();
  NamePool japanese_titles = JapaneseTitles();
  NamePool chinese_artists = ChineseArtists();
  NamePool latin_artists = LatinArtists();
  NamePool japanese_artists = JapaneseArtists();
};

template <std::size_t N>
std::vector<std::string> PickLines(const std::string_view (&pool)[N], std::uint32_t seed,
                                   std::size_t count) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < count; ++i)
    lines.emplace_back(pool[(seed + i) % N]);
  return lines;
}

// As many lines as fit one every three seconds, between 2 and 12, but never two in one second:
// the program looks lines up by the second.
std::size_t LyricLineCount(int length_ms) {
  std::size_t count = std::clamp(length_ms / 3000, 2, 12);
  return std::max<std::size_t>(1, std::min<std::size_t>(count, length_ms / 1000));
}

}  // namespace

std::vector<int> DemoSong::LyricTimesMs() const {
  std::vector<int> times;
  const int count = static_cast<int>(lyric_lines.size());
  for (int i = 0; i < count; ++i) {
    times.push_back(static_cast<int>(static_cast<long long>(i) * length_ms / count));
  }
  return times;
}

const DemoChannel* DemoCatalogue::FindChannel(std::string_view id) const {
  for (const DemoChannel& channel : channels) {
    if (channel.id == id)
      return &channel;
  }
  return nullptr;
}

const DemoSong* DemoCatalogue::FindSong(std::string_view sid) const {
  for (const DemoSong& song : songs) {
    if (song.sid == sid)
      return &song;
  }
  return nullptr;
}

const DemoSong* DemoCatalogue::FindSongByAlbum(int album_number) const {
  for (const DemoSong& song : songs) {
    if (song.album_number == album_number)
      return &song;
  }
  return nullptr;
}

std::string DemoCatalogue::SimilarChannelId(const DemoSong& song) const {
  return std::to_string(1000000 + song.album_number);
}

DemoCatalogue MakeDemoCatalogue(int min_song_length_ms, int max_song_length_ms) {
  if (max_song_length_ms < min_song_length_ms)
    max_song_length_ms = min_song_length_ms;
  DemoCatalogue catalogue;
  Pools pools;
  for (int c = 0; c < 29; ++c) {
    const ChannelEntry& entry = kChannels[c];
    DemoChannel channel{kDemoChannelIds[c], entry.name, entry.intro, {}};
    for (int s = 0; s < kSongsPerChannel; ++s) {
      const int index = static_cast<int>(catalogue.songs.size());
      DemoSong song;
      song.seed = Mix(static_cast<std::uint32_t>(index) * 2654435761U + 12345U);
      song.sid = std::to_string(1460003 + index * 17);
      char ssid[8];
      std::snprintf(ssid, sizeof ssid, "%04x", static_cast<unsigned>(song.seed >> 16));
      song.ssid = ssid;
      Style style = entry.style;
      if (style == Style::kMixed)
        style = s % 2 == 0 ? Style::kChinese : Style::kLatin;
      switch (style) {
        case Style::kJapanese:
          song.title = pools.japanese_titles.Draw();
          song.artist = pools.japanese_artists.Draw();
          song.album_title = song.title + " EP";
          break;
        case Style::kLatin:
          song.title = pools.latin_titles.Draw();
          song.artist = pools.latin_artists.Draw();
          song.album_title = song.title + " (Deluxe)";
          break;
        default:
          song.title = pools.chinese_titles.Draw();
          song.artist = pools.chinese_artists.Draw();
          song.album_title = "《" + song.title + "》专辑";
          break;
      }
      song.album_number = 26001 + index;
      // The fourth song of every third channel has an artist page instead of an album page.
      const bool no_album = s == 3 && c % 3 == 0;
      song.album_path =
          (no_album ? "/musician/" : "/subject/") + std::to_string(song.album_number) + "/";
      song.cover_ext = c % 2 == 0 ? "jpg" : "png";
      song.channel_id = channel.id;
      song.length_ms =
          min_song_length_ms +
          static_cast<int>(song.seed %
                           static_cast<std::uint32_t>(max_song_length_ms - min_song_length_ms + 1));
      song.has_lyrics = !entry.instrumental;
      if (song.has_lyrics) {
        const std::size_t count = LyricLineCount(song.length_ms);
        std::vector<std::string> lines;
        lines.push_back(song.title + " - " + song.artist);
        std::vector<std::string> words =
            style == Style::kJapanese ? PickLines(kJapaneseLines, song.seed, count)
            : style == Style::kLatin  ? PickLines(kLatinLines, song.seed, count)
                                      : PickLines(kChineseLines, song.seed, count);
        lines.insert(lines.end(), words.begin(), words.begin() + static_cast<long>(count - 1));
        song.lyric_lines = std::move(lines);
      }
      channel.songs.push_back(index);
      catalogue.songs.push_back(std::move(song));
    }
    catalogue.channels.push_back(std::move(channel));
  }
  // One similar-songs channel per album: the songs of the album's channel, from the next one on.
  for (std::size_t c = 0; c < 29; ++c) {
    const std::vector<int> own = catalogue.channels[c].songs;
    for (std::size_t s = 0; s < own.size(); ++s) {
      const DemoSong& song = catalogue.songs[own[s]];
      DemoChannel similar{catalogue.SimilarChannelId(song),
                          "与" + song.album_title + "相似的歌曲",
                          "和" + song.artist + "的这张唱片风格相近的歌。",
                          {}};
      for (std::size_t k = 1; k <= own.size(); ++k)
        similar.songs.push_back(own[(s + k) % own.size()]);
      catalogue.channels.push_back(std::move(similar));
    }
  }
  return catalogue;
}

}  // namespace demo
