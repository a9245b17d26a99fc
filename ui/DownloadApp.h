// The application object: runs the main window modally for the whole life of
// the process.
#pragma once

#include <utility>

#include "ui/DownloadDlg.h"
#include "ui/WindowView.h"

namespace pagelark::ui {

class CDownloadApp {
 public:
  CDownloadApp(WindowView& view, WindowServices services) : view_(view), services_(std::move(services)) {}

  // Constructs the main window, runs it and returns false: the process ends
  // when the window has closed, without a message loop of its own.
  bool InitInstance();

 private:
  WindowView& view_;
  WindowServices services_;
};

}  // namespace pagelark::ui
