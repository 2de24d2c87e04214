// The program-wide variables: everything that outlives one handler. Only the program thread
// touches them.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/media/player_engine.h"
#include "playback/media_player.h"
#include "web/web_request.h"

// The song now playing, its fields named after the keys of the playlist answer. The first seven,
// in this order, are the columns Title to Kbps of a favourites row.
struct NowPlayingSong {
  std::string title;
  std::string artist;
  std::string url;
  std::string picture;
  std::string sid;
  std::string ssid;
  std::string kbps;
  std::string album;
};

struct ProgramState {
  // `player_engine` is the media player component behind `player`; null leaves the player silent.
  explicit ProgramState(std::unique_ptr<media::PlayerEngine> player_engine);

  MediaPlayer player;
  WebRequest http;  // every request to the radio service goes through it

  int instance_mutex = 0;            // handle of the one-copy lock this process holds; 0: none
  int hotkey_id = 0;                 // id of the global hotkey; 0 when registration failed
  std::string desktop_lyrics_shown;  // "123" while the desktop lyrics are shown
  std::string channel_id;            // tuned channel; "-10" is the selected channel
  std::string channel_mode;          // "豆瓣精选" or "666": the channel family chosen last
  std::string channel_name;
  std::string channel_intro;
  int hotkey_window_state = 0;  // 0 before the first hotkey, 1 hidden by it, 2 shown again
  std::string album_path;
  std::string lyrics_text;
  std::string lyrics_status;
  std::string play_source;   // "正在播放" once a radio song or a random favourite started
  std::string random_state;  // "正在随机" or "不在随机"
  NowPlayingSong NowPlaying;
  // Fields of the last radio song. Position p (1 to 6) is song_fields[p - 1]: picture, album
  // title, picture, artist, url, title.
  std::array<std::string, 6> song_fields;
  std::string share_channel_id;
  std::string share_url;
};

// song_fields position p, counted from 1 as the program speaks of it.
inline std::string& SongField(ProgramState& state, int position) {
  return state.song_fields.at(static_cast<size_t>(position - 1));
}
