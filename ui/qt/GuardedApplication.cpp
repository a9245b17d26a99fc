#include "ui/qt/GuardedApplication.h"

#include <QMessageBox>
#include <cstdio>
#include <exception>

#include "messages/WindowTexts.h"
#include "ui/qt/QtText.h"

namespace pagelark::ui {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  // The message box runs events of its own; a failure during it is only
  // written to standard error.
  static bool reporting = false;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "pagelark: %s\n", failure.what());
    if (!reporting) {
      reporting = true;
      QMessageBox::critical(nullptr, ToQt(kAppName), ToQt(kMsgCommandFailed));
      reporting = false;
    }
    return false;
  }
}

}  // namespace pagelark::ui
