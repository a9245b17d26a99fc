// window_places [WIDTH HEIGHT [end]]: prints where the main window's
// controls, toolbar buttons and progress bar lie, one "name x y width height" line each, in
// the window's pixels on the screen (its menu bar included, its frame not;
// device pixels, so QT_SCALE_FACTOR=2 doubles them), and the
// window's scroll bars while it shows them ("vertical-bar", "horizontal-bar").
// The window is built as the program builds it, on the same display and so
// with the same font and scale, and shown only to the window system's layout,
// never on screen. With WIDTH HEIGHT it takes that size first, so that the
// places fit a resized window (device pixels too); with "end" too, the places are those of the
// window scrolled to its right and bottom end.
#include <QAction>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "ui/ControlIds.h"
#include "ui/Layout.h"
#include "ui/qt/QtMainWindow.h"

namespace {

namespace id = pagelark::ui::id;
using pagelark::ui::QtMainWindow;

struct NamedId {
  const char* name;
  int id;
};

constexpr NamedId kControls[] = {
    {"url", id::kStartUrl},      {"folder", id::kDownloadFolder}, {"max-links", id::kMaxDuplicateLinks},
    {"list", id::kProgressList}, {"status", id::kStatusLine},
};

constexpr NamedId kToolButtons[] = {
    {"start", id::kToolStart},
    {"stop", id::kToolStop},
};

QWidget* ToolButton(const QtMainWindow& window, int command) {
  QToolBar* toolBar = window.toolBar();
  if (toolBar == nullptr) return nullptr;
  auto* action = toolBar->findChild<QAction*>(QStringLiteral("command%1").arg(command));
  return action == nullptr ? nullptr : toolBar->widgetForAction(action);
}

// False when the widget is missing, so the test learns it at once.
bool PrintPlace(const char* name, const QWidget* widget, const QWidget& window) {
  if (widget == nullptr) {
    std::fprintf(stderr, "window_places: no widget for %s\n", name);
    return false;
  }
  const qreal scale = window.devicePixelRatioF();
  const QRectF place(widget->mapTo(&window, QPoint(0, 0)), widget->size());
  const QRect shown = QRectF(place.topLeft() * scale, place.size() * scale).toRect();
  std::printf("%s %d %d %d %d\n", name, shown.x(), shown.y(), shown.width(), shown.height());
  return true;
}

// The scroll bars of the window's own scroll area, those shown; with
// `toEnd`, the area is scrolled to its end first.
bool PrintScrollBars(const QtMainWindow& window, bool toEnd) {
  auto* area = window.findChild<QScrollArea*>();
  if (area == nullptr) {
    std::fprintf(stderr, "window_places: the window has no scroll area\n");
    return false;
  }
  const std::pair<const char*, QScrollBar*> bars[] = {{"vertical-bar", area->verticalScrollBar()},
                                                      {"horizontal-bar", area->horizontalScrollBar()}};
  for (const auto& [name, bar] : bars) {
    if (toEnd) bar->setValue(bar->maximum());
    if (bar->isVisible()) PrintPlace(name, bar, window);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QtMainWindow window;
  window.CreateToolBar(pagelark::ui::ToolbarButtons());
  window.setAttribute(Qt::WA_DontShowOnScreen);
  window.show();
  if (argc >= 3) {
    const qreal scale = window.devicePixelRatioF();
    window.resize(qRound(std::atoi(argv[1]) / scale), qRound(std::atoi(argv[2]) / scale));
  }
  QApplication::processEvents();
  bool all = PrintScrollBars(window, argc == 4 && std::string_view(argv[3]) == "end");
  for (const NamedId& control : kControls) all &= PrintPlace(control.name, window.Control(control.id), window);
  for (const NamedId& tool : kToolButtons) all &= PrintPlace(tool.name, ToolButton(window, tool.id), window);
  all &= PrintPlace("progress-bar", window.findChild<QWidget*>(QStringLiteral("progressBar")), window);
  return all ? 0 : 1;
}
