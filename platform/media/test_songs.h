// Songs made on the spot for the player's tests and benchmark: a steady tone, so that decoding
// costs what a real song costs, with no data files.
#pragma once

#include <string>

namespace media {

// A WAV file (44.1 kHz, 16-bit stereo PCM) of `seconds` of a 440 Hz tone.
std::string MakeWavSong(double seconds);

// An MP3 file of `seconds` of a tone at a constant `kbps`, with an ID3v2 title and artist (UTF-8)
// when they are not empty. Empty when GStreamer has no MP3 encoder.
std::string MakeMp3Song(double seconds, int kbps, const std::string& title = {},
                        const std::string& artist = {});

}  // namespace media
