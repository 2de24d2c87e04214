#include "platform/ui/control.h"

#include <utility>

namespace ui {

Control::Control(ControlKind kind, std::string name, Control* parent)
    : kind_(kind), name_(std::move(name)), parent_(parent) {
  if (parent_)
    parent_->children_.push_back(this);
}

void Control::SetCaption(std::string caption) {
  if (caption == caption_)
    return;
  caption_ = std::move(caption);
  Changed(Property::kCaption);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  visible_ = visible;
  Changed(Property::kVisible);
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  Changed(Property::kEnabled);
}

void Control::SetGeometry(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_)
    return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed(Property::kGeometry);
}

void Control::SetFont(Font font) {
  if (font == font_)
    return;
  font_ = std::move(font);
  Changed(Property::kFont);
}

void Control::SetCursor(Cursor cursor) {
  if (cursor == cursor_)
    return;
  cursor_ = cursor;
  Changed(Property::kCursor);
}

}  // namespace ui
