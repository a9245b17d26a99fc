#include "ui/HelpCommands.h"

#include "messages/WindowTexts.h"
#include "platform/cp932.h"
#include "ui/AboutDlg.h"
#include "ui/ControlIds.h"

namespace pagelark::ui {

std::string HelpCommands::HelpFilePath() const { return state_.helpDir + kHelpFileName; }

void HelpCommands::OnShowHelp() {
  const std::string path = HelpFilePath();
  if (!view_.OpenDocument(path)) view_.MessageBox(kMsgNoHelpFile + path, MessageButtons::kOk);
}

void HelpCommands::OnVersionInfo() {
  CAboutDlg about(view_);
  view_.RunAboutDialog(about);
}

void HelpCommands::OnShowHtml() {
  std::string path = view_.GetText(id::kDownloadFolder);
  if (path.empty()) {
    view_.MessageBox(kMsgNoFolder, MessageButtons::kOk);
    return;
  }
  // A native folder typed with its own separator ("/home/me/dl/") needs none.
  if (!cp932::EndsWithChar(path, '\\') && !cp932::EndsWithChar(path, '/')) path += '\\';
  path += state_.indexFile;
  if (!view_.OpenDocument(path)) view_.MessageBox(kMsgNoHtmlFile + path, MessageButtons::kOk);
}

void HelpCommands::OnHomePage() { OpenHomePage(view_); }

void OpenHomePage(WindowView& view) { view.OpenAddress(kHomePageAddress); }

}  // namespace pagelark::ui
