#include "ui/qt/HatchedBackground.h"

#include <QPaintEvent>
#include <QPainter>

namespace pagelark::ui {
namespace {

constexpr int kHatchSpacing = 8;  // one line in every 8 pixels, as a hatch brush draws

}  // namespace

void PaintHatch(QPainter& painter, const QRect& area) {
  painter.fillRect(area, Qt::white);
  painter.setPen(QColor(238, 238, 238));
  const int first = area.top() - area.top() % kHatchSpacing + kHatchSpacing / 2;
  for (int y = first; y <= area.bottom(); y += kHatchSpacing) painter.drawLine(area.left(), y, area.right(), y);
}

void HatchedPanel::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  PaintHatch(painter, event->rect());
}

}  // namespace pagelark::ui
