#include "demo/demo_answers.h"

#include <cstdio>

namespace demo {
namespace {

// The catalogue's texts need no escapes; this only keeps a stray quote or backslash from
// breaking the JSON.
std::string Json(std::string_view value) {
  std::string out;
  for (char c : value) {
    if (c == '"' || c == '\\')
      out += '\\';
    if (static_cast<unsigned char>(c) < 0x20)
      continue;
    out += c;
  }
  return out;
}

std::string Html(std::string_view value) {
  std::string out;
  for (char c : value) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string TimeTag(int ms) {
  char tag[24];
  std::snprintf(tag, sizeof tag, "[%02d:%02d.%02d]", ms / 60000, ms / 1000 % 60, ms / 10 % 100);
  return tag;
}

// A made-up digest in the form of the real field: 64 hex digits.
std::string FakeSha256(const DemoSong& song) {
  std::string hex;
  std::uint32_t x = song.seed;
  while (hex.size() < 64) {
    x = x * 1664525u + 1013904223u;
    char part[9];
    std::snprintf(part, sizeof part, "%08x", static_cast<unsigned>(x));
    hex += part;
  }
  return hex;
}

}  // namespace

std::string CoverUrl(const DemoSong& song, const StationBases& bases) {
  return bases.radio + "/view/subject/l/public/s" + std::to_string(song.album_number) + "." +
         song.cover_ext;
}

std::string AudioUrl(const DemoSong& song, const StationBases& bases) {
  return bases.radio + "/audio/" + song.sid + ".wav";
}

std::string PlaylistAnswer(const DemoSong& song, const StationBases& bases) {
  const int length_s = (song.length_ms + 500) / 1000;
  return "{\"warning\":\"user_is_ananymous\",\"r\":0,\"version_max\":100,"
         "\"is_show_quick_start\":0,\"song\":[{"
         "\"albumtitle\":\"" +
         Json(song.album_title) +
         "\","
         "\"url\":\"" +
         AudioUrl(song, bases) +
         "\","
         "\"file_ext\":\"wav\","
         "\"album\":\"" +
         song.album_path +
         "\","
         "\"ssid\":\"" +
         song.ssid +
         "\","
         "\"title\":\"" +
         Json(song.title) +
         "\","
         "\"sid\":\"" +
         song.sid +
         "\","
         "\"sha256\":\"" +
         FakeSha256(song) +
         "\","
         "\"status\":0,"
         "\"picture\":\"" +
         CoverUrl(song, bases) +
         "\","
         "\"update_time\":1700000000,"
         "\"alert_msg\":\"\",\"is_douban_playable\":true,\"public_time\":\"2023\","
         "\"singers\":[{\"style\":[],\"name\":\"" +
         Json(song.artist) +
         "\",\"region\":[],"
         "\"genre\":[],\"related_site_id\":0,\"is_site_artist\":false,\"id\":\"" +
         std::to_string(song.album_number + 50000) +
         "\"}],"
         "\"like\":0,"
         "\"artist\":\"" +
         Json(song.artist) +
         "\","
         "\"is_royal\":false,"
         "\"subtype\":\"\",\"length\":" +
         std::to_string(length_s) +
         ","
         "\"aid\":\"" +
         std::to_string(song.album_number) +
         "\","
         "\"kbps\":\"128\","
         "\"available_formats\":{\"128\":" +
         std::to_string(length_s * 16) + "}}]}";
}

std::string EmptyPlaylistAnswer() {
  return "{\"warning\":\"user_is_ananymous\",\"r\":0,\"version_max\":100,\"song\":[]}";
}

std::string ChannelInfoAnswer(const DemoChannel& channel, const StationBases& bases) {
  const std::string picture = bases.radio + "/view/channel/" + HexEncode(channel.id) + ".jpg";
  return "{\"status\":true,\"data\":{\"res\":{\"rec_chls\":[],\"chls\":[]},\"channels\":[{"
         "\"name\":\"" +
         Json(channel.name) +
         "\","
         "\"cover\":\"" +
         picture +
         "\","
         "\"id\":\"" +
         channel.id +
         "\","
         "\"intro\":\"" +
         Json(channel.intro) +
         "\","
         "\"song_num\":" +
         std::to_string(channel.songs.size()) +
         ","
         "\"banner\":\"" +
         picture + "\",\"collected\":\"false\"}]}}";
}

std::string UnknownChannelInfoAnswer() {
  return "{\"status\":false,\"data\":{\"channels\":[]}}";
}

std::string EscapedLyric(const DemoSong& song) {
  if (!song.has_lyrics)
    return "暂无歌词";
  std::string lyric = "[ti:" + Json(song.title) + "]\\r\\n[ar:" + Json(song.artist) + "]\\r\\n";
  std::vector<int> times = song.LyricTimesMs();
  for (std::size_t i = 0; i < song.lyric_lines.size(); ++i) {
    lyric += TimeTag(times[i]) + Json(song.lyric_lines[i]) + "\\r\\n";
  }
  return lyric;
}

std::string LyricAnswer(const DemoSong* song, std::string_view sid, std::string_view ssid) {
  const std::string lyric = song != nullptr ? EscapedLyric(*song) : "暂无歌词";
  const std::string name = song != nullptr ? Json(song->title) : "";
  return "{\"lyric\":\"" + lyric + "\",\"name\":\"" + name + "\",\"sid\":\"" + Json(sid) +
         "\",\"ssid\":\"" + Json(ssid) + "\"}";
}

std::string SongPageAnswer(const DemoSong& song, std::string_view channel_name,
                           const StationBases& bases) {
  return "{\"r\":0,\"song\":{\"sid\":\"" + song.sid + "\",\"ssid\":\"" + song.ssid +
         "\",\"name\":\"" + Json(song.title) + "\",\"singer\":\"" + Json(song.artist) +
         "\"},\"channels\":[{\"banner\":\"" + bases.radio + "/view/channel/" +
         HexEncode(song.channel_id) + ".jpg\",\"id\":" + song.channel_id + ",\"name\":\"" +
         Json(channel_name) + "\"}]}";
}

std::string UnknownSongPageAnswer() {
  return "{\"r\":1,\"err\":\"song not found\"}";
}

std::string ChannelPage(const DemoChannel* channel, const DemoSong* start) {
  std::string page =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>演示电台</title></head><body>\n";
  if (channel == nullptr)
    return page + "<p>没有这个频道。</p>\n</body></html>\n";
  page += "<h1>" + Html(channel->name) + " MHz</h1>\n<p>" + Html(channel->intro) + "</p>\n";
  if (start != nullptr) {
    page += "<p>从这首歌开始：" + Html(start->title) + " - " + Html(start->artist) + "</p>\n";
  }
  return page + "</body></html>\n";
}

std::string AlbumPage(const DemoSong& song, std::string_view similar_channel_id,
                      const StationBases& bases) {
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + Html(song.album_title) +
         "</title></head><body>\n<h1>" + Html(song.album_title) +
         "</h1>\n<p>表演者: " + Html(song.artist) + "</p>\n<ol><li>" + Html(song.title) +
         "</li></ol>\n<p><a href=\"" + bases.radio + "/?cid=" + std::string(similar_channel_id) +
         "&amp;context=album\">收听相似歌曲</a></p>\n</body></html>\n";
}

std::string QrPage(std::string_view link, std::string_view image_path) {
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>QR</title></head><body>\n"
         "<p>" +
         Html(link) + "</p>\n<img id=\"code\" alt=\"QR\">\n<script>\nvar img =\"" +
         std::string(image_path) +
         "\";\ndocument.getElementById(\"code\").src = img;\n"
         "</script>\n</body></html>\n";
}

std::string HexEncode(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

std::string HexDecode(std::string_view hex) {
  auto value = [](char c) {
    if (c >= '0' && c <= '9')
      return c - '0';
    if (c >= 'a' && c <= 'f')
      return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
      return c - 'A' + 10;
    return -1;
  };
  if (hex.size() % 2 != 0)
    return {};
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int high = value(hex[i]), low = value(hex[i + 1]);
    if (high < 0 || low < 0)
      return {};
    bytes += static_cast<char>(high << 4 | low);
  }
  return bytes;
}

}  // namespace demo
