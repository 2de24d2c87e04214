// The main window's form: every control with its form name, place, font, first state and caption.
// Places are relative to the parent; the player panel stands at (-16, -1), so its controls appear
// 16 pixels further left and 1 pixel higher in the window than their own coordinates say.
#pragma once

#include <array>

#include "platform/ui/controls.h"
#include "platform/ui/timer.h"

// The scoped columns of a favourites row.
enum class FavouriteColumn { Title = 0, Artist, Url, Picture, Sid, Ssid, Kbps, AlbumPath };

class MainForm {
 public:
  static constexpr int kNormalWidth = 432;
  static constexpr int kWideWidth = 658;
  static constexpr int kHeight = 240;
  static constexpr int kSettingsOpenLeft = 182;
  static constexpr int kSettingsClosedLeft = 430;

  MainForm();
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // Every timer of the form, for binding them to a loop.
  std::array<ui::Timer*, 4> Timers() { return {&收藏歌曲时钟, &时钟2, &时钟1, &times}; }

  ui::Window window{"主窗口"};

  // Controls placed directly on the window, in the form's order.
  ui::Timer 收藏歌曲时钟{"收藏歌曲时钟", &window, 0};
  ui::Label 标签6{"标签6", &window};
  ui::Shape 外形框3{"外形框3", &window, ui::Rgb(255, 255, 255), ui::Rgb(192, 192, 192)};
  ui::Label 透明标签1{"透明标签1", &外形框3, true};
  ui::PictureBox 二维码图片框{"二维码图片框", &外形框3};
  ui::Menu 菜单{"菜单", &window};
  ui::Shape 外形框2{"外形框2", &window, ui::Rgb(255, 255, 255), ui::Rgb(236, 236, 236)};
  ui::GroupBox 设置分组框2{"设置分组框2", &外形框2};
  ui::ListView 收藏歌曲列表{"收藏歌曲列表", &设置分组框2};
  ui::Timer 时钟2{"时钟2", &window, 0};
  ui::Timer 时钟1{"时钟1", &window, 100};
  ui::Shape 外形框1{"外形框1", &window, ui::Rgb(255, 255, 255), ui::Rgb(236, 236, 236)};
  ui::GroupBox 设置分组框1{"设置分组框1", &外形框1};
  ui::Label 设置标签{"设置标签", &设置分组框1};
  ui::ComboBox 字体型号{"字体型号", &设置分组框1};
  ui::ComboBox 字体大小{"字体大小", &设置分组框1};
  ui::CheckBox 字体加粗{"字体加粗", &设置分组框1};
  ui::CheckBox 字体倾斜{"字体倾斜", &设置分组框1};
  ui::CheckBox 字体下划线{"字体下划线", &设置分组框1};
  ui::Label 设置标签2{"设置标签2", &设置分组框1};
  ui::ColorPicker 颜色选择器1{"颜色选择器1", &设置分组框1};
  ui::ColorPicker 颜色选择器2{"颜色选择器2", &设置分组框1};
  ui::ColorPicker 颜色选择器3{"颜色选择器3", &设置分组框1};
  ui::ComboBox 文字渐变{"文字渐变", &设置分组框1};
  ui::Button 设置2{"设置2", &外形框1};
  ui::PictureButton 设置{"设置", &window, ui::Icon::kSettings};
  ui::PictureButton 微信分享{"微信分享", &window, ui::Icon::kShare};
  ui::PictureButton 继续播放{"继续播放", &window, ui::Icon::kResume};
  ui::Shape 音乐播放外形框{"音乐播放外形框", &window, ui::Rgb(255, 255, 255),
                           ui::Rgb(255, 255, 255)};
  ui::Timer times{"times", &window, 0};

  // Controls on the player panel.
  ui::PictureButton 红心歌曲{"红心歌曲", &音乐播放外形框, ui::Icon::kHeart};
  ui::PictureButton 收藏歌曲{"收藏歌曲", &音乐播放外形框, ui::Icon::kHeartOutline};
  ui::PictureButton 收藏按钮{"收藏按钮", &音乐播放外形框, ui::Icon::kFavouritesTab};
  ui::PictureButton 相似歌曲{"相似歌曲", &音乐播放外形框, ui::Icon::kSimilar};
  ui::Slider 滑块条1{"滑块条1", &音乐播放外形框};
  ui::PictureBox 图片框2{"图片框2", &音乐播放外形框};
  ui::PictureButton 歌词显示{"歌词显示", &音乐播放外形框, ui::Icon::kLyrics};
  ui::Label 标签5{"标签5", &音乐播放外形框};
  ui::PictureButton 音量{"音量", &音乐播放外形框, ui::Icon::kVolume};
  ui::Label 标签4{"标签4", &音乐播放外形框};
  ui::Label 提示{"提示", &音乐播放外形框};
  ui::PictureButton 下一曲{"下一曲", &音乐播放外形框, ui::Icon::kNext};
  ui::PictureButton 暂停按钮{"暂停按钮", &音乐播放外形框, ui::Icon::kPause};
  ui::ComboBox 组合框1{"组合框1", &音乐播放外形框};
  ui::Label 标签3{"标签3", &音乐播放外形框};
  ui::Shape 进度条_绿{"进度条_绿", &音乐播放外形框, ui::Rgb(26, 213, 152), ui::Rgb(26, 213, 152)};
  ui::Shape 进度条_灰{"进度条_灰", &音乐播放外形框, ui::Rgb(236, 236, 236), ui::Rgb(236, 236, 236)};
  ui::Label 标签2{"标签2", &音乐播放外形框};
  ui::Label 标签1{"标签1", &音乐播放外形框};
  ui::PictureBox 图片框1{"图片框1", &音乐播放外形框};
};
