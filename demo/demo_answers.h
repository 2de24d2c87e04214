// The texts the demo station answers with, built from its catalogue. The JSON keys stand in the
// order the program's markers expect: every value the program cuts is followed directly by the
// key its end marker names, and no start marker occurs before the value it is meant for. Values
// are written without JSON escapes (the program takes them as they stand); texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "demo/demo_catalogue.h"

namespace demo {

// Where the station's pieces are reached, each "http://127.0.0.1:PORT" without a trailing slash;
// qr_image_host is "//127.0.0.1:PORT" of the HTTPS server, as the QR page writes it.
struct StationBases {
  std::string radio;
  std::string music;
  std::string qr;
  std::string qr_image_host;
};

std::string CoverUrl(const DemoSong& song, const StationBases& bases);
std::string AudioUrl(const DemoSong& song, const StationBases& bases);

// "/j/v2/playlist": one song, the next of its channel.
std::string PlaylistAnswer(const DemoSong& song, const StationBases& bases);
// The playlist of a channel the station does not have: no songs, so no fields.
std::string EmptyPlaylistAnswer();
// "/j/v2/channel_info": the channel's name and intro.
std::string ChannelInfoAnswer(const DemoChannel& channel, const StationBases& bases);
std::string UnknownChannelInfoAnswer();

// The lyric of a song as the service writes it inside its JSON string: time tags [mm:ss.xx]
// at the start of each line, and every line ended by the escape \r\n (four characters). A song
// without lyrics gives "暂无歌词".
std::string EscapedLyric(const DemoSong& song);
// "/j/v2/lyric": the lyric, then the song's name. `song` may be null (unknown ids).
std::string LyricAnswer(const DemoSong* song, std::string_view sid, std::string_view ssid);

// "/j/v2/song/<sid>g<ssid>/": the song with the channel it belongs to; that channel's id follows
// the first value ending in "jpg".
std::string SongPageAnswer(const DemoSong& song, std::string_view channel_name,
                           const StationBases& bases);
std::string UnknownSongPageAnswer();

// "/channel/<id>?start=<sid>": the share link's page.
std::string ChannelPage(const DemoChannel* channel, const DemoSong* start);
// The music site's page for an album path: a link to the album's similar-songs channel
// ("cid=<id>&amp;...").
std::string AlbumPage(const DemoSong& song, std::string_view similar_channel_id,
                      const StationBases& bases);
// The QR service's page: the image path follows `img ="` and ends before `";`.
std::string QrPage(std::string_view link, std::string_view image_path);

// A text written into a path and back: lower-case hex of every byte.
std::string HexEncode(std::string_view bytes);
// Empty when `hex` is not an even number of hex digits.
std::string HexDecode(std::string_view hex);

}  // namespace demo
