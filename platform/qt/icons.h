// The picture buttons' icons, drawn as vector paths so that they stay sharp at any scale.
#pragma once

#include <QPainter>
#include <QRectF>

#include "platform/ui/controls.h"

namespace qt {

void PaintIcon(QPainter& painter, ui::Icon icon, const QRectF& box, bool enabled, bool hovered);

// The window icon: a small radio dial.
QIcon AppIcon();

}  // namespace qt
