// The version dialog. It shows fixed texts; its one action is the home-page
// button, which leaves the dialog open.
#pragma once

#include "ui/WindowView.h"

namespace pagelark::ui {

class CAboutDlg {
 public:
  explicit CAboutDlg(WindowView& owner) : owner_(owner) {}

  void OnHomePage();

 private:
  WindowView& owner_;
};

}  // namespace pagelark::ui
