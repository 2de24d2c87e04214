#include "shell/main_form.h"

#include "text/gbk.h"

namespace {

void Place(ui::Control& c, int left, int top, int width, int height) {
  c.SetGeometry(left, top, width, height);
}

ui::Font Yahei(int pixel_size) {
  return ui::Font{"微软雅黑"_gbk, pixel_size, false, false, false};
}

std::vector<std::string> Gbk(std::initializer_list<const char*> utf8) {
  std::vector<std::string> out;
  for (const char* s : utf8)
    out.push_back(text::Utf8ToGbk(s));
  return out;
}

}  // namespace

MainForm::MainForm() {
  window.SetCaption("TovaselV1.6");
  Place(window, 50, 50, kNormalWidth, kHeight);

  Place(标签6, 200, 256, 176, 24);

  Place(外形框3, 250, 0, 176, 210);
  外形框3.Hide();
  Place(透明标签1, 16, 160, 144, 24);
  透明标签1.SetFont(Yahei(14));
  透明标签1.SetCaption("微信扫码分享"_gbk);
  Place(二维码图片框, 16, 16, 144, 144);

  菜单.SetCaption("菜单"_gbk);
  for (const char* command : {"随机播放", "删除选中", "清空全部"}) {
    菜单.items().push_back({text::Utf8ToGbk(command), nullptr});
  }

  Place(外形框2, 427, -4, 228, 216);
  Place(设置分组框2, 11, 8, 208, 197);
  设置分组框2.SetCaption("收藏列表"_gbk);
  Place(收藏歌曲列表, 4, 17, 199, 170);
  收藏歌曲列表.SetFont(Yahei(12));
  收藏歌曲列表.SetColumns({{"歌曲名称"_gbk, 90},
                           {"歌手名称"_gbk, 90},
                           {"1", 0},
                           {"2", 0},
                           {"3", 0},
                           {"4", 0},
                           {"5", 0},
                           {"6", 0}});

  Place(外形框1, kSettingsClosedLeft, -3, 248, 216);
  外形框1.Hide();
  Place(设置分组框1, 8, 11, 234, 197);
  设置分组框1.SetCaption("歌词设置"_gbk);
  // The settings controls inside the group box: fonts on the first rows, colours below them.
  Place(设置标签, 10, 22, 60, 20);
  设置标签.SetCaption("字体设置："_gbk);
  Place(字体型号, 72, 20, 80, 22);
  字体型号.SetItems(Gbk({"黑体", "楷体", "微软雅黑"}));
  字体型号.SetSelected(1);
  Place(字体大小, 158, 20, 66, 22);
  字体大小.SetItems({"30", "40", "45", "50", "55", "60"});
  字体大小.SetSelected(1);
  Place(字体加粗, 10, 48, 70, 20);
  字体加粗.SetCaption("加粗"_gbk);
  字体加粗.SetChecked(true);
  Place(字体倾斜, 82, 48, 70, 20);
  字体倾斜.SetCaption("倾斜"_gbk);
  Place(字体下划线, 154, 48, 74, 20);
  字体下划线.SetCaption("下划线"_gbk);
  Place(设置标签2, 10, 70, 70, 124);
  设置标签2.SetFont(Yahei(10));
  设置标签2.SetCaption(
      "文字颜色：\n\n文字边框：\n\n文字渐变：\n\n高亮颜色：\n\n高亮边框：\n\n高亮渐变："_gbk);
  Place(颜色选择器1, 80, 70, 40, 14);
  颜色选择器1.SetColor(255);
  Place(颜色选择器2, 126, 70, 40, 14);
  颜色选择器2.SetColor(65535);
  Place(颜色选择器3, 80, 92, 40, 14);
  Place(文字渐变, 80, 110, 86, 22);
  文字渐变.SetItems(Gbk({"无渐变", "两色渐变", "三色渐变"}));
  文字渐变.SetSelected(1);
  Place(设置2, 165, 160, 69, 35);
  设置2.SetCaption("设置"_gbk);

  Place(设置, 236, 118, 20, 20);
  Place(微信分享, 263, 117, 20, 20);
  微信分享.SetEnabled(false);
  Place(继续播放, 310, 156, 30, 30);
  继续播放.Hide();
  Place(音乐播放外形框, -16, -1, 649, 217);

  Place(红心歌曲, 39, 156, 30, 30);
  红心歌曲.Hide();
  Place(收藏歌曲, 39, 156, 30, 30);
  收藏歌曲.Hide();
  Place(收藏按钮, 430, 81, 12, 40);
  Place(相似歌曲, 272, 157, 30, 30);
  相似歌曲.Hide();
  Place(滑块条1, 136, 120, 112, 19);
  滑块条1.Hide();
  滑块条1.SetRange(1, 100);
  滑块条1.SetSteps(5, 1);
  滑块条1.SetPosition(100);
  Place(图片框2, 32, 17, 20, 20);
  Place(歌词显示, 226, 120, 20, 19);
  Place(标签5, 55, 15, 225, 24);
  标签5.SetFont(Yahei(14));
  标签5.SetCaption("豆瓣精选 MHz"_gbk);
  Place(音量, 111, 118, 20, 20);
  Place(标签4, 163, 120, 56, 20);
  标签4.SetFont(Yahei(12));
  标签4.SetCaption("128kbs");
  Place(提示, 36, 188, 144, 20);
  提示.SetFont(Yahei(12));
  提示.SetCaption("TovaselV1.6");
  Place(下一曲, 379, 157, 30, 30);
  Place(暂停按钮, 326, 157, 30, 30);
  Place(组合框1, 56, 18, 99, 20);
  组合框1.Hide();
  组合框1.SetItems(
      Gbk({"豆瓣精选", "-------", "华语", "欧美",    "70s",      "80s",    "90s",  "粤语",
           "日语",     "韩语",    "新歌", "-------", "流行",     "摇滚",   "民谣", "轻音乐",
           "电影原声", "爵士",    "古典", "动漫",    "世界音乐", "布鲁斯", "拉丁", "-------",
           "工作学习", "户外",    "休息", "亢奋",    "舒缓",     "Easy",   "咖啡", "运动"}));
  Place(标签3, 35, 119, 80, 20);
  标签3.SetFont(Yahei(12));
  标签3.SetCaption("00:00/00:00");
  Place(进度条_绿, 36, 142, 0, 3);
  Place(进度条_灰, 36, 142, 390, 3);
  Place(标签2, 34, 86, 263, 24);
  标签2.SetFont(Yahei(14));
  标签2.SetCaption("当前暂无歌词"_gbk);
  Place(标签1, 34, 41, 263, 46);
  标签1.SetFont(Yahei(21));
  标签1.SetCaption("Tovasel");
  Place(图片框1, 306, 16, 120, 120);
}
