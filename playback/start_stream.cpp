#include "playback/start_stream.h"

#include "shell/app.h"
#include "text/number_text.h"

void StartStream(App& app, const std::string& url) {
  app.state.player.OpenUrl(url);
  app.state.player.SetVolume(text::DecimalText(app.form.滑块条1.position()));
}
