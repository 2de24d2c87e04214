#include "platform/qt/control_widgets.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "platform/qt/icons.h"

namespace qt {

QColor ToQColor(ui::ColorRef c) {
  return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
}

ui::ColorRef FromQColor(const QColor& c) {
  return ui::Rgb(c.red(), c.green(), c.blue());
}

PictureButtonWidget::PictureButtonWidget(ui::Icon icon, QWidget* parent)
    : QAbstractButton(parent), icon_(icon) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
}

void PictureButtonWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintIcon(p, icon_, QRectF(rect()), isEnabled(), underMouse() && isEnabled());
}

PictureBoxWidget::PictureBoxWidget(QWidget* parent) : QWidget(parent) {
  frames_.setInterval(120);
  QObject::connect(&frames_, &QTimer::timeout, this, [this] {
    phase_ = (phase_ + 1) % 16;
    update();
  });
}

void PictureBoxWidget::SetPicture(const ui::Picture& picture) {
  if (picture.empty()) {
    image_ = QImage();
  } else {
    image_ = QImage(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                    picture.height, picture.width * 4, QImage::Format_ARGB32)
                 .copy();
  }
  update();
}

void PictureBoxWidget::SetAnimating(bool animating) {
  if (animating) {
    frames_.start();
  } else {
    frames_.stop();
  }
  update();
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!image_.isNull()) {
    QSize size = image_.size().scaled(this->size(), Qt::KeepAspectRatio);
    QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    p.drawImage(target, image_);
    return;
  }
  if (!indicator_)
    return;
  // Four bars whose heights follow the phase while the song plays.
  static const int kHeights[16] = {3, 5, 8, 10, 7, 4, 6, 9, 10, 6, 3, 5, 9, 7, 4, 8};
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(26, 213, 152));
  const double bar = width() / 6.0;
  for (int i = 0; i < 4; ++i) {
    int level = frames_.isActive() ? kHeights[(phase_ + i * 5) % 16] : 3 + i % 2;
    double h = height() * level / 11.0;
    p.drawRect(QRectF(bar * (0.5 + i * 1.35), height() - h, bar, h));
  }
}

ShapeWidget::ShapeWidget(ui::ColorRef fill, ui::ColorRef border, QWidget* parent)
    : QWidget(parent), fill_(ToQColor(fill)), border_(ToQColor(border)) {}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), fill_);
  if (border_ != fill_ && width() > 1 && height() > 1) {
    p.setPen(border_);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

ColorPickerWidget::ColorPickerWidget(QWidget* parent) : QAbstractButton(parent) {
  setCursor(Qt::PointingHandCursor);
}

void ColorPickerWidget::SetColor(ui::ColorRef color) {
  color_ = ToQColor(color);
  update();
}

void ColorPickerWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), color_);
  p.setPen(QColor(160, 160, 160));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

MainWindowWidget::MainWindowWidget()
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::CustomizeWindowHint) {
  setWindowIcon(AppIcon());
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setAutoFillBackground(true);
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (on_close)
    on_close();
}

void MainWindowWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void MainWindowWidget::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (on_moved)
    on_moved();
}

void MainWindowWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shown_once_) {
    shown_once_ = true;
    if (on_first_show)
      on_first_show();
  }
}

}  // namespace qt
