#include "radio/lyrics_request.h"

#include "radio/marker_cut.h"
#include "shell/app.h"

void RequestLyrics(App& app) {
  ProgramState& s = app.state;
  s.http.Open("GET", app.endpoints.radio_service_base + "/j/v2/lyric?sid=" + s.NowPlaying.sid +
                         "&ssid=" + s.NowPlaying.ssid);
  s.http.Send();
  // The answer is read twice: once to search, once to keep.
  const std::string searched = s.http.GetResponseText();
  s.lyrics_text = s.http.GetResponseText();
  s.lyrics_status = Cut(searched, R"("lyric":")", R"(","name)");
}
