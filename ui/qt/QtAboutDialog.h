// The version dialog's Qt view.
#pragma once

#include <QDialog>

#include "ui/AboutDlg.h"

namespace pagelark::ui {

class QtAboutDialog final : public QDialog {
  Q_OBJECT

 public:
  QtAboutDialog(CAboutDlg& logic, QWidget* owner);
};

}  // namespace pagelark::ui
