// The widgets that stand for the form's own control kinds: picture buttons with vector icons,
// picture boxes (with the animated playing indicator), shapes and the main window.
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "platform/ui/controls.h"

namespace qt {

class PictureButtonWidget : public QAbstractButton {
 public:
  PictureButtonWidget(ui::Icon icon, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override { update(); }
  void leaveEvent(QEvent*) override { update(); }

 private:
  ui::Icon icon_;
};

class PictureBoxWidget : public QWidget {
 public:
  explicit PictureBoxWidget(QWidget* parent);
  void SetPicture(const ui::Picture& picture);
  // The playing indicator: bars that move while animating and rest otherwise.
  void SetIndicator(bool is_indicator) { indicator_ = is_indicator; }
  void SetAnimating(bool animating);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QImage image_;
  bool indicator_ = false;
  QTimer frames_;
  int phase_ = 0;
};

class ShapeWidget : public QWidget {
 public:
  ShapeWidget(ui::ColorRef fill, ui::ColorRef border, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor fill_;
  QColor border_;
};

class ColorPickerWidget : public QAbstractButton {
 public:
  explicit ColorPickerWidget(QWidget* parent);
  void SetColor(ui::ColorRef color);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor color_;
};

// The top-level window: fixed size, minimise and close, no maximise. Esc closes it like the
// close button; either asks `on_close` instead of closing by itself.
class MainWindowWidget : public QWidget {
 public:
  MainWindowWidget();
  std::function<void()> on_close;
  std::function<void()> on_moved;
  std::function<void()> on_first_show;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool shown_once_ = false;
};

QColor ToQColor(ui::ColorRef color);
ui::ColorRef FromQColor(const QColor& color);

}  // namespace qt
