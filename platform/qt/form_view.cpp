#include "platform/qt/form_view.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTreeWidget>
#include <QWheelEvent>

#include "platform/qt/qt_text.h"
#include "text/gbk.h"

namespace qt {
namespace {

// The form's fonts do not exist here; a CJK font that does stands in for them.
QFont ToQFont(const ui::Font& font, const QFont& base) {
  QFont f = base;
  if (font.pixel_size <= 0)
    return f;
  QString family = ToQString(font.family);
  f.setFamilies({family, "Microsoft YaHei", "WenQuanYi Micro Hei", "Noto Sans CJK SC",
                 "Droid Sans Fallback"});
  f.setPixelSize(font.pixel_size);
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  return f;
}

// Controls whose own widget handles the mouse (they open, drag or toggle): the model hears of
// their presses, and the widget still gets them.
bool HandlesMouseItself(ui::ControlKind kind) {
  switch (kind) {
    case ui::ControlKind::kComboBox:
    case ui::ControlKind::kCheckBox:
    case ui::ControlKind::kSlider:
    case ui::ControlKind::kButton:
    case ui::ControlKind::kPictureButton:
    case ui::ControlKind::kColorPicker:
    case ui::ControlKind::kListView:
      return true;
    default:
      return false;
  }
}

}  // namespace

FormView::FormView(ui::Window& window, std::function<void()> on_close) : window_(window) {
  window_widget_ = new MainWindowWidget();
  window_widget_->on_close = std::move(on_close);
  window_widget_->on_moved = [this] {
    if (applying_geometry_)
      return;
    QRect frame = window_widget_->frameGeometry();
    window_.SyncGeometryFromSystem(frame.x(), frame.y(), frame.width(), frame.height());
  };
  // The frame's size is known only once the window is mapped: size the inside again then.
  window_widget_->on_first_show = [this] { ApplyWindowGeometry(); };
  widgets_[&window_] = window_widget_;
  controls_[window_widget_] = &window_;
  window_.SetObserver(this);
  // Later siblings lie below earlier ones, so that the panels and the buttons placed on the
  // window stay above the player panel, and the green bar above the grey track.
  const auto& children = window_.children();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    Build(**it, window_widget_);
  window_widget_->setWindowTitle(ToQString(window_.caption()));
  ApplyWindowGeometry();
}

FormView::~FormView() {
  Detach(window_);
  delete window_widget_;
}

void FormView::Detach(ui::Control& control) {
  control.SetObserver(nullptr);
  for (ui::Control* child : control.children())
    Detach(*child);
}

QWidget* FormView::Build(ui::Control& control, QWidget* parent) {
  QWidget* w = nullptr;
  switch (control.kind()) {
    case ui::ControlKind::kTimer:
      return nullptr;
    case ui::ControlKind::kMenu:
      control.SetObserver(this);
      return nullptr;
    case ui::ControlKind::kWindow:
      return nullptr;
    case ui::ControlKind::kLabel:
    case ui::ControlKind::kTransparentLabel: {
      auto* label = new QLabel(parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      label->setTextFormat(Qt::PlainText);
      if (control.kind() == ui::ControlKind::kLabel)
        label->setAutoFillBackground(false);
      w = label;
      break;
    }
    case ui::ControlKind::kButton: {
      auto* button = new QPushButton(parent);
      QObject::connect(button, &QPushButton::clicked, [&control] { control.Click(); });
      w = button;
      break;
    }
    case ui::ControlKind::kPictureButton: {
      auto& model = static_cast<ui::PictureButton&>(control);
      auto* button = new PictureButtonWidget(model.icon(), parent);
      QObject::connect(button, &QAbstractButton::clicked, [&control] { control.Click(); });
      w = button;
      break;
    }
    case ui::ControlKind::kPictureBox: {
      auto* box = new PictureBoxWidget(parent);
      box->SetIndicator(control.name() == "图片框2");
      w = box;
      break;
    }
    case ui::ControlKind::kShape: {
      auto& model = static_cast<ui::Shape&>(control);
      w = new ShapeWidget(model.fill(), model.border(), parent);
      break;
    }
    case ui::ControlKind::kGroupBox:
      w = new QGroupBox(parent);
      break;
    case ui::ControlKind::kComboBox: {
      auto& model = static_cast<ui::ComboBox&>(control);
      auto* combo = new QComboBox(parent);
      QObject::connect(combo, &QComboBox::activated, [&model](int index) { model.Choose(index); });
      w = combo;
      break;
    }
    case ui::ControlKind::kCheckBox: {
      auto& model = static_cast<ui::CheckBox&>(control);
      auto* check = new QCheckBox(parent);
      QObject::connect(check, &QCheckBox::toggled, [&model](bool on) { model.SetChecked(on); });
      w = check;
      break;
    }
    case ui::ControlKind::kColorPicker: {
      auto& model = static_cast<ui::ColorPicker&>(control);
      auto* picker = new ColorPickerWidget(parent);
      QObject::connect(picker, &QAbstractButton::clicked, [&model, picker] {
        QColor chosen = QColorDialog::getColor(ToQColor(model.color()), picker->window());
        if (chosen.isValid())
          model.SetColor(FromQColor(chosen));
      });
      w = picker;
      break;
    }
    case ui::ControlKind::kSlider: {
      auto& model = static_cast<ui::Slider&>(control);
      auto* slider = new QSlider(Qt::Horizontal, parent);
      slider->setTickPosition(QSlider::NoTicks);
      slider->setFocusPolicy(Qt::NoFocus);
      QObject::connect(slider, &QSlider::valueChanged,
                       [&model](int value) { model.SetPosition(value); });
      w = slider;
      break;
    }
    case ui::ControlKind::kListView: {
      auto& model = static_cast<ui::ListView&>(control);
      auto* list = new QTreeWidget(parent);
      list->setRootIsDecorated(false);
      list->setUniformRowHeights(true);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->header()->setStretchLastSection(false);
      list->header()->setMinimumSectionSize(0);
      QObject::connect(list, &QTreeWidget::itemSelectionChanged, [&model, list] {
        QTreeWidgetItem* item = list->currentItem();
        model.SetSelected(item && item->isSelected() ? list->indexOfTopLevelItem(item) : -1);
      });
      QObject::connect(list, &QTreeWidget::itemDoubleClicked,
                       [&control](QTreeWidgetItem*, int) { control.DoubleClick(); });
      list->viewport()->installEventFilter(this);
      controls_[list->viewport()] = &control;
      w = list;
      break;
    }
  }
  widgets_[&control] = w;
  controls_[w] = &control;
  w->installEventFilter(this);
  control.SetObserver(this);
  ApplyAll(control);
  const auto& children = control.children();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    Build(**it, w);
  return w;
}

void FormView::ApplyAll(ui::Control& control) {
  for (ui::Property p :
       {ui::Property::kFont, ui::Property::kCaption, ui::Property::kGeometry,
        ui::Property::kEnabled, ui::Property::kCursor, ui::Property::kItems,
        ui::Property::kSelection, ui::Property::kChecked, ui::Property::kColor,
        ui::Property::kRange, ui::Property::kPosition, ui::Property::kColumns, ui::Property::kRows,
        ui::Property::kPicture, ui::Property::kAnimation, ui::Property::kVisible}) {
    OnControlChanged(control, p);
  }
}

void FormView::ApplyWindowGeometry() {
  // The model holds the outer frame; Qt sizes the inside and moves the frame.
  QRect frame = window_widget_->frameGeometry();
  QRect inside = window_widget_->geometry();
  int extra_w = window_widget_->isVisible() ? frame.width() - inside.width() : 0;
  int extra_h = window_widget_->isVisible() ? frame.height() - inside.height() : 0;
  applying_geometry_ = true;
  window_widget_->setFixedSize(std::max(1, window_.width() - extra_w),
                               std::max(1, window_.height() - extra_h));
  window_widget_->move(window_.left(), window_.top());
  applying_geometry_ = false;
}

void FormView::ApplyWindow() {
  window_widget_->setVisible(window_.visible());
  ApplyWindowGeometry();
}

void FormView::OnControlChanged(ui::Control& control, ui::Property what) {
  if (&control == &window_) {
    if (what == ui::Property::kCaption)
      window_widget_->setWindowTitle(ToQString(control.caption()));
    if (what == ui::Property::kGeometry)
      ApplyWindowGeometry();
    if (what == ui::Property::kVisible)
      window_widget_->setVisible(control.visible());
    return;
  }
  if (control.kind() == ui::ControlKind::kMenu) {
    if (what != ui::Property::kPopup)
      return;
    auto& menu_model = static_cast<ui::Menu&>(control);
    QMenu menu;
    for (size_t i = 0; i < menu_model.items().size(); ++i) {
      menu.addAction(ToQString(menu_model.items()[i].caption))->setData(static_cast<int>(i));
    }
    QAction* chosen = menu.exec(QCursor::pos());
    if (chosen)
      menu_model.Command(chosen->data().toInt());
    return;
  }
  auto found = widgets_.find(&control);
  if (found == widgets_.end() || !found->second)
    return;
  QWidget* w = found->second;
  switch (what) {
    case ui::Property::kCaption: {
      QString caption = ToQString(control.caption());
      if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(caption);
        // A caption of several lines reads from the top; one line stays centred.
        label->setAlignment(Qt::AlignLeft |
                            (caption.contains('\n') ? Qt::AlignTop : Qt::AlignVCenter));
      }
      if (auto* group = qobject_cast<QGroupBox*>(w))
        group->setTitle(caption);
      if (auto* check = qobject_cast<QCheckBox*>(w))
        check->setText(caption);
      if (auto* button = qobject_cast<QPushButton*>(w))
        button->setText(caption);
      break;
    }
    case ui::Property::kVisible:
      w->setVisible(control.visible());
      break;
    case ui::Property::kEnabled:
      w->setEnabled(control.enabled());
      break;
    case ui::Property::kGeometry:
      w->setGeometry(control.left(), control.top(), std::max(0, control.width()),
                     std::max(0, control.height()));
      break;
    case ui::Property::kFont:
      w->setFont(ToQFont(control.font(), w->font()));
      break;
    case ui::Property::kCursor:
      if (control.kind() != ui::ControlKind::kPictureButton) {
        w->setCursor(control.cursor() == ui::Cursor::kHand ? Qt::PointingHandCursor
                                                           : Qt::ArrowCursor);
      }
      break;
    case ui::Property::kItems:
    case ui::Property::kSelection:
      if (auto* combo = qobject_cast<QComboBox*>(w)) {
        auto& model = static_cast<ui::ComboBox&>(control);
        QSignalBlocker block(combo);
        if (what == ui::Property::kItems) {
          combo->clear();
          for (const std::string& item : model.items())
            combo->addItem(ToQString(item));
        }
        combo->setCurrentIndex(model.selected());
      } else if (auto* list = qobject_cast<QTreeWidget*>(w)) {
        auto& model = static_cast<ui::ListView&>(control);
        QSignalBlocker block(list);
        if (model.selected() >= 0 && model.selected() < list->topLevelItemCount()) {
          list->setCurrentItem(list->topLevelItem(model.selected()));
        } else {
          list->clearSelection();
        }
      }
      break;
    case ui::Property::kChecked:
      if (auto* check = qobject_cast<QCheckBox*>(w)) {
        QSignalBlocker block(check);
        check->setChecked(static_cast<ui::CheckBox&>(control).checked());
      }
      break;
    case ui::Property::kColor:
      if (control.kind() == ui::ControlKind::kColorPicker) {
        static_cast<ColorPickerWidget*>(w)->SetColor(
            static_cast<ui::ColorPicker&>(control).color());
      }
      break;
    case ui::Property::kRange:
    case ui::Property::kPosition:
      if (auto* slider = qobject_cast<QSlider*>(w)) {
        auto& model = static_cast<ui::Slider&>(control);
        QSignalBlocker block(slider);
        slider->setRange(model.minimum(), model.maximum());
        slider->setPageStep(model.page_step());
        slider->setSingleStep(model.line_step());
        slider->setValue(model.position());
      }
      break;
    case ui::Property::kColumns:
    case ui::Property::kRows:
      if (auto* list = qobject_cast<QTreeWidget*>(w)) {
        auto& model = static_cast<ui::ListView&>(control);
        QSignalBlocker block(list);
        if (what == ui::Property::kColumns) {
          QStringList titles;
          for (const ui::ListColumn& column : model.columns())
            titles << ToQString(column.title);
          list->setColumnCount(static_cast<int>(titles.size()));
          list->setHeaderLabels(titles);
          for (int c = 0; c < static_cast<int>(model.columns().size()); ++c) {
            list->setColumnWidth(c, model.columns()[static_cast<size_t>(c)].width);
          }
        }
        list->clear();
        for (int r = 0; r < model.RowCount(); ++r) {
          auto* item = new QTreeWidgetItem(list);
          for (int c = 0; c < static_cast<int>(model.columns().size()); ++c) {
            item->setText(c, ToQString(model.Cell(r, c)));
          }
        }
        if (model.selected() >= 0)
          list->setCurrentItem(list->topLevelItem(model.selected()));
      }
      break;
    case ui::Property::kPicture:
      if (control.kind() == ui::ControlKind::kPictureBox) {
        static_cast<PictureBoxWidget*>(w)->SetPicture(
            static_cast<ui::PictureBox&>(control).picture());
      }
      break;
    case ui::Property::kAnimation:
      if (control.kind() == ui::ControlKind::kPictureBox) {
        static_cast<PictureBoxWidget*>(w)->SetAnimating(
            static_cast<ui::PictureBox&>(control).animating());
      }
      break;
    case ui::Property::kPeriod:
    case ui::Property::kPopup:
      break;
  }
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
  auto found = controls_.find(watched);
  if (found == controls_.end() || found->second == &window_)
    return false;
  ui::Control& control = *found->second;
  const bool native = HandlesMouseItself(control.kind());
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) {
        control.LeftPress();
      } else if (mouse->button() == Qt::RightButton) {
        if (auto* list = qobject_cast<QTreeWidget*>(widgets_[&control])) {
          // A right press selects the row under the mouse first, as a list view does.
          if (QTreeWidgetItem* item = list->itemAt(mouse->position().toPoint())) {
            list->setCurrentItem(item);
          }
        }
        control.RightPress();
      }
      return !native;
    }
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        control.Release();
      return !native;
    case QEvent::MouseButtonDblClick:
      if (control.kind() != ui::ControlKind::kListView)
        control.DoubleClick();
      return !native;
    case QEvent::Wheel:
      if (control.kind() == ui::ControlKind::kSlider) {
        // Whole notches only; the handler decides what a notch does.
        int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        control.Wheel(notches);
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace qt
