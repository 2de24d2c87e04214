#include "platform/qt/icons.h"

#include <QIcon>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace qt {
namespace {

const QColor kInk(90, 90, 90);
const QColor kHover(26, 160, 120);
const QColor kAccent(26, 213, 152);
const QColor kHeartRed(232, 62, 76);

QPainterPath HeartPath() {
  QPainterPath p;
  p.moveTo(0.5, 0.85);
  p.cubicTo(0.1, 0.6, 0.05, 0.35, 0.2, 0.22);
  p.cubicTo(0.32, 0.12, 0.45, 0.18, 0.5, 0.3);
  p.cubicTo(0.55, 0.18, 0.68, 0.12, 0.8, 0.22);
  p.cubicTo(0.95, 0.35, 0.9, 0.6, 0.5, 0.85);
  p.closeSubpath();
  return p;
}

QPainterPath GearPath() {
  QPainterPath p;
  const int teeth = 8;
  for (int i = 0; i < teeth * 2; ++i) {
    double a = i * M_PI / teeth;
    double r = (i % 2 == 0) ? 0.46 : 0.34;
    QPointF pt(0.5 + r * std::cos(a), 0.5 + r * std::sin(a));
    if (i == 0) {
      p.moveTo(pt);
    } else {
      p.lineTo(pt);
    }
  }
  p.closeSubpath();
  p.addEllipse(QPointF(0.5, 0.5), 0.14, 0.14);
  p.setFillRule(Qt::OddEvenFill);
  return p;
}

}  // namespace

void PaintIcon(QPainter& painter, ui::Icon icon, const QRectF& box, bool enabled, bool hovered) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double side = std::min(box.width(), box.height());
  painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
  painter.scale(side, side);
  QColor ink = !enabled ? QColor(190, 190, 190) : hovered ? kHover : kInk;
  QPen pen(ink, 0.07, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);

  switch (icon) {
    case ui::Icon::kNone:
      break;
    case ui::Icon::kSettings:
      painter.drawPath(GearPath());
      break;
    case ui::Icon::kShare: {
      QPointF a(0.25, 0.5), b(0.72, 0.25), c(0.72, 0.75);
      painter.setPen(pen);
      painter.drawLine(a, b);
      painter.drawLine(a, c);
      painter.setPen(Qt::NoPen);
      for (QPointF pt : {a, b, c})
        painter.drawEllipse(pt, 0.12, 0.12);
      break;
    }
    case ui::Icon::kResume: {
      QPainterPath p;
      p.moveTo(0.32, 0.2);
      p.lineTo(0.82, 0.5);
      p.lineTo(0.32, 0.8);
      p.closeSubpath();
      painter.setPen(QPen(ink, 0.06));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(QRectF(0.04, 0.04, 0.92, 0.92));
      painter.setPen(Qt::NoPen);
      painter.setBrush(ink);
      painter.drawPath(p);
      break;
    }
    case ui::Icon::kPause:
      painter.setPen(QPen(ink, 0.06));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(QRectF(0.04, 0.04, 0.92, 0.92));
      painter.setPen(Qt::NoPen);
      painter.setBrush(ink);
      painter.drawRoundedRect(QRectF(0.33, 0.28, 0.11, 0.44), 0.03, 0.03);
      painter.drawRoundedRect(QRectF(0.56, 0.28, 0.11, 0.44), 0.03, 0.03);
      break;
    case ui::Icon::kNext: {
      QPainterPath p;
      p.moveTo(0.22, 0.22);
      p.lineTo(0.66, 0.5);
      p.lineTo(0.22, 0.78);
      p.closeSubpath();
      painter.drawPath(p);
      painter.drawRoundedRect(QRectF(0.68, 0.22, 0.1, 0.56), 0.03, 0.03);
      break;
    }
    case ui::Icon::kHeart:
      painter.setBrush(enabled ? kHeartRed : ink);
      painter.drawPath(HeartPath());
      break;
    case ui::Icon::kHeartOutline:
      painter.setPen(pen);
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(HeartPath());
      break;
    case ui::Icon::kFavouritesTab: {
      painter.setBrush(QColor(236, 236, 236));
      painter.drawRoundedRect(QRectF(0.0, 0.0, 1.0, 1.0), 0.2, 0.2);
      painter.setPen(QPen(ink, 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      QPainterPath chevron;
      chevron.moveTo(0.35, 0.3);
      chevron.lineTo(0.65, 0.5);
      chevron.lineTo(0.35, 0.7);
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(chevron);
      break;
    }
    case ui::Icon::kSimilar:
      painter.setPen(pen);
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(QPointF(0.38, 0.5), 0.24, 0.24);
      painter.drawEllipse(QPointF(0.62, 0.5), 0.24, 0.24);
      break;
    case ui::Icon::kLyrics: {
      painter.setPen(QPen(ink, 0.08, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QPointF(0.15, 0.3), QPointF(0.85, 0.3));
      painter.drawLine(QPointF(0.15, 0.5), QPointF(0.7, 0.5));
      painter.drawLine(QPointF(0.15, 0.7), QPointF(0.55, 0.7));
      break;
    }
    case ui::Icon::kVolume: {
      QPainterPath p;
      p.moveTo(0.12, 0.38);
      p.lineTo(0.3, 0.38);
      p.lineTo(0.52, 0.18);
      p.lineTo(0.52, 0.82);
      p.lineTo(0.3, 0.62);
      p.lineTo(0.12, 0.62);
      p.closeSubpath();
      painter.drawPath(p);
      painter.setPen(QPen(ink, 0.06, Qt::SolidLine, Qt::RoundCap));
      painter.setBrush(Qt::NoBrush);
      painter.drawArc(QRectF(0.42, 0.3, 0.3, 0.4), -60 * 16, 120 * 16);
      painter.drawArc(QRectF(0.4, 0.16, 0.46, 0.68), -60 * 16, 120 * 16);
      break;
    }
  }
  painter.restore();
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 64, 128}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size, size);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(0.04, 0.04, 0.92, 0.92));
    p.setPen(QPen(Qt::white, 0.07, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(0.25, 0.25, 0.5, 0.5), 30 * 16, 120 * 16);
    p.drawArc(QRectF(0.38, 0.38, 0.24, 0.24), 30 * 16, 120 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0.5, 0.56), 0.07, 0.07);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace qt
