// A dialog's Tab order checked against its look: top to bottom, left to
// right within a row, and the controls of a group box together, the group
// taking its own place among its neighbours.
#pragma once

#include <QGroupBox>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace pagelark::ui::test {

// The widgets Tab stops at (enabled or not), in chain order from `window`.
inline std::vector<QWidget*> TabStops(QWidget* window) {
  std::vector<QWidget*> stops;
  for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
    const bool takesTab = (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->focusProxy() == nullptr;
    if (takesTab && window->isAncestorOf(w) && w->isVisibleTo(window)) stops.push_back(w);
  }
  return stops;
}

inline QRect RectIn(QWidget* window, QWidget* w) { return {w->mapTo(window, QPoint(0, 0)), w->size()}; }

// The group boxes around a widget, outermost first, then the widget itself.
inline std::vector<QRect> Frames(QWidget* window, QWidget* w) {
  const QRect own = RectIn(window, w);
  std::vector<QRect> frames;
  for (QGroupBox* group : window->findChildren<QGroupBox*>()) {
    if (const QRect frame = RectIn(window, group); frame.contains(own)) frames.push_back(frame);
  }
  std::sort(frames.begin(), frames.end(),
            [](const QRect& a, const QRect& b) { return a.width() * a.height() > b.width() * b.height(); });
  frames.push_back(own);
  return frames;
}

// Tops less than half the lower one's height apart share a row.
inline bool ReadsBefore(const QRect& a, const QRect& b) {
  if (std::abs(a.top() - b.top()) < std::min(a.height(), b.height()) / 2) return a.left() < b.left();
  return a.top() < b.top();
}

inline QString NameOf(QWidget* w) {
  return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// The first two neighbouring Tab stops out of reading order; empty when none.
inline QString ReadingOrderBreak(QWidget* window) {
  const std::vector<QWidget*> stops = TabStops(window);
  for (std::size_t i = 0; i + 1 < stops.size(); ++i) {
    const std::vector<QRect> a = Frames(window, stops[i]);
    const std::vector<QRect> b = Frames(window, stops[i + 1]);
    std::size_t level = 0;
    while (level + 1 < a.size() && level + 1 < b.size() && a[level] == b[level]) ++level;
    if (!ReadsBefore(a[level], b[level])) return NameOf(stops[i]) + " before " + NameOf(stops[i + 1]);
  }
  return {};
}

}  // namespace pagelark::ui::test
