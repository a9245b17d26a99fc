#include "ui/AboutDlg.h"

#include "ui/HelpCommands.h"

namespace pagelark::ui {

void CAboutDlg::OnHomePage() { OpenHomePage(owner_); }

}  // namespace pagelark::ui
