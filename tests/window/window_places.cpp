// window_places [WIDTH HEIGHT]: prints where the main window's controls and
// toolbar buttons lie, one "name x y width height" line each, in pixels of
// the window (its menu bar included, its frame not). The window is built as
// the program builds it, on the same display and so with the same font, and
// shown only to the window system's layout, never on screen. With WIDTH
// HEIGHT it takes that size first, so that the places fit a resized window.
#include <QAction>
#include <QApplication>
#include <QToolBar>
#include <cstdio>
#include <cstdlib>

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
    {"url", id::kStartUrl},
    {"folder", id::kDownloadFolder},
    {"max-links", id::kMaxDuplicateLinks},
    {"list", id::kProgressList},
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
  const QPoint topLeft = widget->mapTo(&window, QPoint(0, 0));
  std::printf("%s %d %d %d %d\n", name, topLeft.x(), topLeft.y(), widget->width(), widget->height());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QtMainWindow window;
  window.CreateToolBar(pagelark::ui::ToolbarButtons());
  window.setAttribute(Qt::WA_DontShowOnScreen);
  window.show();
  if (argc == 3) window.resize(std::atoi(argv[1]), std::atoi(argv[2]));
  QApplication::processEvents();
  bool all = true;
  for (const NamedId& control : kControls) all &= PrintPlace(control.name, window.Control(control.id), window);
  for (const NamedId& tool : kToolButtons) all &= PrintPlace(tool.name, ToolButton(window, tool.id), window);
  return all ? 0 : 1;
}
