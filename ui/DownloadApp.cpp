#include "ui/DownloadApp.h"

namespace pagelark::ui {

bool CDownloadApp::InitInstance() {
  CDownloadDlg window(view_, std::move(services_));
  window.DoModal();
  return false;
}

}  // namespace pagelark::ui
