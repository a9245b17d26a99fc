// The dialogs' background: horizontal hatch lines in RGB(238, 238, 238) on
// white.
#pragma once

#include <QWidget>

class QPainter;

namespace pagelark::ui {

void PaintHatch(QPainter& painter, const QRect& area);

// A plain panel that paints the hatch behind its children.
class HatchedPanel : public QWidget {
 public:
  explicit HatchedPanel(QWidget* parent = nullptr) : QWidget(parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace pagelark::ui
