// The control kinds of the form beyond what every control has: lists, check boxes, colour
// pickers, the slider, the list view, picture boxes, shapes, the menu and the window itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/picture.h"

namespace ui {

// Colours are COLORREF values, 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(int r, int g, int b) {
  return static_cast<ColorRef>(r) | static_cast<ColorRef>(g) << 8 | static_cast<ColorRef>(b) << 16;
}

class Window : public Control {
 public:
  explicit Window(std::string name) : Control(ControlKind::kWindow, std::move(name)) {}

  // The front end reports where the window manager or the user put the outer frame.
  void SyncGeometryFromSystem(int left, int top, int width, int height) {
    StoreGeometry(left, top, width, height);
  }
};

class Label : public Control {
 public:
  Label(std::string name, Control* parent, bool transparent = false)
      : Control(transparent ? ControlKind::kTransparentLabel : ControlKind::kLabel, std::move(name),
                parent) {}
};

class Button : public Control {
 public:
  Button(std::string name, Control* parent)
      : Control(ControlKind::kButton, std::move(name), parent) {}
};

class GroupBox : public Control {
 public:
  GroupBox(std::string name, Control* parent)
      : Control(ControlKind::kGroupBox, std::move(name), parent) {}
};

// A filled or framed rectangle; panels are shapes with children.
class Shape : public Control {
 public:
  Shape(std::string name, Control* parent, ColorRef fill, ColorRef border)
      : Control(ControlKind::kShape, std::move(name), parent), fill_(fill), border_(border) {}
  ColorRef fill() const { return fill_; }
  ColorRef border() const { return border_; }

 private:
  ColorRef fill_;
  ColorRef border_;
};

// What a picture button shows; the front end draws each as a vector icon.
enum class Icon {
  kNone,
  kSettings,
  kShare,
  kResume,
  kPause,
  kNext,
  kHeart,
  kHeartOutline,
  kFavouritesTab,
  kSimilar,
  kLyrics,
  kVolume,
};

class PictureButton : public Control {
 public:
  PictureButton(std::string name, Control* parent, Icon icon)
      : Control(ControlKind::kPictureButton, std::move(name), parent), icon_(icon) {}
  Icon icon() const { return icon_; }

 private:
  Icon icon_;
};

class PictureBox : public Control {
 public:
  PictureBox(std::string name, Control* parent)
      : Control(ControlKind::kPictureBox, std::move(name), parent) {}

  const Picture& picture() const { return picture_; }
  void SetPicture(Picture picture);
  // The animated playing indicator runs while this is set.
  bool animating() const { return animating_; }
  void SetAnimating(bool animating);

 private:
  Picture picture_;
  bool animating_ = false;
};

class ComboBox : public Control {
 public:
  ComboBox(std::string name, Control* parent)
      : Control(ControlKind::kComboBox, std::move(name), parent) {}

  const std::vector<std::string>& items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  int selected() const { return selected_; }  // -1: none
  // Changes the selection without raising `on_item_selected`, as code does.
  void SetSelected(int index);
  std::string SelectedText() const;
  // A user's choice: selects and raises the event.
  void Choose(int index);

  Handler on_item_selected;

 private:
  std::vector<std::string> items_;
  int selected_ = -1;
};

class CheckBox : public Control {
 public:
  CheckBox(std::string name, Control* parent)
      : Control(ControlKind::kCheckBox, std::move(name), parent) {}
  bool checked() const { return checked_; }
  void SetChecked(bool checked);

 private:
  bool checked_ = false;
};

class ColorPicker : public Control {
 public:
  ColorPicker(std::string name, Control* parent)
      : Control(ControlKind::kColorPicker, std::move(name), parent) {}
  ColorRef color() const { return color_; }
  void SetColor(ColorRef color);

 private:
  ColorRef color_ = 0;
};

class Slider : public Control {
 public:
  Slider(std::string name, Control* parent)
      : Control(ControlKind::kSlider, std::move(name), parent) {}

  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  void SetRange(int minimum, int maximum);
  int position() const { return position_; }
  // Clamps to the range; raises `on_position_changed` when the position really changed.
  void SetPosition(int position);
  int page_step() const { return page_step_; }
  int line_step() const { return line_step_; }
  void SetSteps(int page_step, int line_step) {
    page_step_ = page_step;
    line_step_ = line_step;
  }

  Handler on_position_changed;

 private:
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  int page_step_ = 5;
  int line_step_ = 1;
};

struct ListColumn {
  std::string title;  // GBK
  int width = 0;
  bool operator==(const ListColumn&) const = default;
};

// A report-style list view: columns and rows of GBK cell texts.
class ListView : public Control {
 public:
  ListView(std::string name, Control* parent)
      : Control(ControlKind::kListView, std::move(name), parent) {}

  const std::vector<ListColumn>& columns() const { return columns_; }
  void SetColumns(std::vector<ListColumn> columns);
  void SetColumnWidth(int column, int width);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  const std::vector<std::string>& Row(int row) const { return rows_.at(row); }
  // The cell's text, empty for a row or column that does not exist.
  std::string Cell(int row, int column) const;
  void SetCell(int row, int column, std::string value);
  // Appends a row; missing cells are empty, extra cells are dropped. Returns its index.
  int AddRow(std::vector<std::string> cells);
  void RemoveRow(int row);
  void ClearRows();

  int selected() const { return selected_; }  // -1: none
  void SetSelected(int row);

 private:
  std::vector<ListColumn> columns_;
  std::vector<std::vector<std::string>> rows_;
  int selected_ = -1;
};

struct MenuItem {
  std::string caption;  // GBK
  Handler on_command;
};

// A pop-up menu; `Popup` asks the front end to show it at the mouse.
class Menu : public Control {
 public:
  Menu(std::string name, Control* parent) : Control(ControlKind::kMenu, std::move(name), parent) {
    SetVisible(false);
  }
  std::vector<MenuItem>& items() { return items_; }
  const std::vector<MenuItem>& items() const { return items_; }
  void Popup() { Changed(Property::kPopup); }
  void Command(int index) {
    if (index >= 0 && index < static_cast<int>(items_.size()))
      Raise(items_[index].on_command);
  }

 private:
  std::vector<MenuItem> items_;
};

}  // namespace ui
