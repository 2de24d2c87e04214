// The demo station's programme: its channels and their songs, all made up and generated at
// start, so the station needs no data files. Texts are UTF-8, as the station serves them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace demo {

struct DemoSong {
  std::string sid;          // digits, unique
  std::string ssid;         // four hex digits
  std::string title;        // unique in the catalogue
  std::string artist;       // unique in the catalogue
  std::string album_title;  // unique in the catalogue
  std::string album_path;   // "/subject/<n>/", or "/musician/<n>/" for a few songs
  int album_number = 0;     // the <n> of album_path, unique
  std::string cover_ext;    // "jpg" or "png"
  std::string channel_id;   // the channel the song belongs to
  int length_ms = 0;        // the audio's length
  bool has_lyrics = true;   // false for the instrumental channels: the lyric reads "暂无歌词"
  std::uint32_t seed = 0;   // drives the melody and the cover
  std::vector<std::string> lyric_lines;  // one per time tag, empty without lyrics

  // The time tag of each lyric line, in milliseconds from the start; lines are spread evenly over
  // the song and the last starts before it ends.
  std::vector<int> LyricTimesMs() const;
};

struct DemoChannel {
  std::string id;    // as the program sends it, e.g. "-10", "194", or a similar-songs channel
  std::string name;  // the channel list's item text, e.g. "华语"
  std::string intro;
  std::vector<int> songs;  // indexes into DemoCatalogue::songs, in playing order
};

struct DemoCatalogue {
  std::vector<DemoChannel> channels;  // the 29 channels in list order, then one per album
  std::vector<DemoSong> songs;

  const DemoChannel* FindChannel(std::string_view id) const;
  const DemoSong* FindSong(std::string_view sid) const;
  const DemoSong* FindSongByAlbum(int album_number) const;
  // The similar-songs channel that the album page of `song` names.
  std::string SimilarChannelId(const DemoSong& song) const;
};

// The ids of the 29 radio channels, in the order of the channel list.
extern const char* const kDemoChannelIds[29];

// Builds the catalogue. Every song's length is chosen between the two bounds (inclusive), varying
// from song to song; equal bounds give every song that length.
DemoCatalogue MakeDemoCatalogue(int min_song_length_ms, int max_song_length_ms);

}  // namespace demo
