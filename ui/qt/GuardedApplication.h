// The window program's application object. An exception that a command lets
// escape (no memory left for a dialog or a profile, say) must not cross Qt's
// event loop: the command in hand ends with a message and the window goes on.
#pragma once

#include <QApplication>

namespace pagelark::ui {

class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace pagelark::ui
