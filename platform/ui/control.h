// The control model: the main window's form as plain data. Handlers read and write controls here;
// a front end (the Qt one, or none in tests) mirrors them on screen and turns user input into the
// events below. Everything runs on the one program thread.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ui {

enum class ControlKind {
  kWindow,
  kLabel,
  kTransparentLabel,
  kButton,
  kPictureButton,
  kPictureBox,
  kShape,
  kGroupBox,
  kComboBox,
  kCheckBox,
  kColorPicker,
  kSlider,
  kListView,
  kMenu,
  kTimer,
};

enum class Cursor { kDefault, kHand };

// What changed on a control, so that a front end can mirror just that.
enum class Property {
  kCaption,
  kVisible,
  kEnabled,
  kGeometry,
  kFont,
  kCursor,
  kItems,
  kSelection,
  kChecked,
  kColor,
  kRange,
  kPosition,
  kColumns,
  kRows,
  kPicture,
  kAnimation,
  kPeriod,
  kPopup,
};

struct Font {
  std::string family;  // GBK, as the form names it ("微软雅黑")
  int pixel_size = 0;  // 0: the front end's default font
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const Font&) const = default;
};

class Control;

// Told after a property of a control changed value. At most one per control: the front end.
class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void OnControlChanged(Control& control, Property what) = 0;
};

using Handler = std::function<void()>;

class Control {
 public:
  // `name` is the control's form name in UTF-8 (标签1). Children stand relative to `parent`.
  Control(ControlKind kind, std::string name, Control* parent = nullptr);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  Control* parent() const { return parent_; }
  const std::vector<Control*>& children() const { return children_; }

  const std::string& caption() const { return caption_; }  // GBK
  void SetCaption(std::string caption);
  bool visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void SetLeft(int left) { SetGeometry(left, top_, width_, height_); }
  void SetTop(int top) { SetGeometry(left_, top, width_, height_); }
  void SetWidth(int width) { SetGeometry(left_, top_, width, height_); }
  void SetHeight(int height) { SetGeometry(left_, top_, width_, height); }
  void SetGeometry(int left, int top, int width, int height);

  const Font& font() const { return font_; }
  void SetFont(Font font);
  Cursor cursor() const { return cursor_; }
  void SetCursor(Cursor cursor);

  // Events a front end raises; each calls its handler when one is connected.
  Handler on_click;
  Handler on_left_press;
  Handler on_release;
  Handler on_double_click;
  Handler on_right_press;
  std::function<void(int notches)> on_wheel;

  void Click() { Raise(on_click); }
  void LeftPress() { Raise(on_left_press); }
  void Release() { Raise(on_release); }
  void DoubleClick() { Raise(on_double_click); }
  void RightPress() { Raise(on_right_press); }
  void Wheel(int notches) {
    if (on_wheel)
      on_wheel(notches);
  }

  void SetObserver(ControlObserver* observer) { observer_ = observer; }
  ControlObserver* observer() const { return observer_; }

 protected:
  void Changed(Property what) {
    if (observer_)
      observer_->OnControlChanged(*this, what);
  }
  // Records a geometry that the platform already has, without telling the observer.
  void StoreGeometry(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
  }
  static void Raise(const Handler& handler) {
    if (handler)
      handler();
  }

 private:
  ControlKind kind_;
  std::string name_;
  Control* parent_;
  std::vector<Control*> children_;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  Font font_;
  Cursor cursor_ = Cursor::kDefault;
  ControlObserver* observer_ = nullptr;
};

}  // namespace ui
