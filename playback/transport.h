// The pause/resume pair, the volume button and slider, and the status label's timer. Handlers of
// the form's events; they run on the program thread.
#pragma once

#include <string>

class App;

// Click on 暂停按钮: pauses the player and swaps the pair to 继续播放.
void OnPause(App& app);
// Click on 继续播放: plays again and swaps the pair back.
void OnResume(App& app);
// Click on 音量: shows or hides the volume slider.
void OnVolumeButton(App& app);
// The slider's position changed: the player gets it as its volume, 提示 shows the volume text.
void OnVolumeChanged(App& app);
// The mouse button was released over the slider: it hides.
void OnVolumeReleased(App& app);
// The wheel turned over the slider by `notches` (positive away from the user): 6 per notch.
void OnVolumeWheel(App& app, int notches);
// Tick of 时钟2: puts the volume text back into 提示 and stops the timer.
void OnStatusTimer(App& app);

// "音量：" and the slider's position.
std::string VolumeText(App& app);
