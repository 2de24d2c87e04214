#include "platform/ui/controls.h"

#include <algorithm>
#include <utility>

namespace ui {

void PictureBox::SetPicture(Picture picture) {
  if (picture == picture_)
    return;
  picture_ = std::move(picture);
  Changed(Property::kPicture);
}

void PictureBox::SetAnimating(bool animating) {
  if (animating == animating_)
    return;
  animating_ = animating;
  Changed(Property::kAnimation);
}

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (selected_ >= static_cast<int>(items_.size()))
    selected_ = -1;
  Changed(Property::kItems);
}

void ComboBox::SetSelected(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size()))
    index = -1;
  if (index == selected_)
    return;
  selected_ = index;
  Changed(Property::kSelection);
}

std::string ComboBox::SelectedText() const {
  return selected_ >= 0 ? items_[static_cast<size_t>(selected_)] : std::string();
}

void ComboBox::Choose(int index) {
  SetSelected(index);
  Raise(on_item_selected);
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_)
    return;
  checked_ = checked;
  Changed(Property::kChecked);
}

void ColorPicker::SetColor(ColorRef color) {
  if (color == color_)
    return;
  color_ = color;
  Changed(Property::kColor);
}

void Slider::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  Changed(Property::kRange);
  SetPosition(position_);
}

void Slider::SetPosition(int position) {
  position = std::clamp(position, minimum_, maximum_);
  if (position == position_)
    return;
  position_ = position;
  Changed(Property::kPosition);
  Raise(on_position_changed);
}

void ListView::SetColumns(std::vector<ListColumn> columns) {
  columns_ = std::move(columns);
  for (auto& row : rows_)
    row.resize(columns_.size());
  Changed(Property::kColumns);
}

void ListView::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= static_cast<int>(columns_.size()))
    return;
  columns_[static_cast<size_t>(column)].width = width;
  Changed(Property::kColumns);
}

std::string ListView::Cell(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0)
    return {};
  const auto& cells = rows_[static_cast<size_t>(row)];
  return column < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(column)]
                                                 : std::string();
}

void ListView::SetCell(int row, int column, std::string value) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= static_cast<int>(columns_.size()))
    return;
  rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] = std::move(value);
  Changed(Property::kRows);
}

int ListView::AddRow(std::vector<std::string> cells) {
  cells.resize(columns_.size());
  rows_.push_back(std::move(cells));
  Changed(Property::kRows);
  return RowCount() - 1;
}

void ListView::RemoveRow(int row) {
  if (row < 0 || row >= RowCount())
    return;
  rows_.erase(rows_.begin() + row);
  if (selected_ >= RowCount())
    selected_ = -1;
  Changed(Property::kRows);
}

void ListView::ClearRows() {
  rows_.clear();
  selected_ = -1;
  Changed(Property::kRows);
}

void ListView::SetSelected(int row) {
  if (row < -1 || row >= RowCount())
    row = -1;
  if (row == selected_)
    return;
  selected_ = row;
  Changed(Property::kSelection);
}

}  // namespace ui
