#include "ui/HelpCommands.h"

#include "messages/WindowTexts.h"
#include "platform/fs.h"
#include "ui/AboutDlg.h"
#include "ui/ControlIds.h"

namespace pagelark::ui {

std::string HelpCommands::HelpFilePath() const { return state_.helpDir + kHelpFileName; }

void HelpCommands::Open(const std::string& path, const char* missing, const char* noProgram) {
  switch (view_.OpenDocument(path)) {
    case OpenResult::kOpened:
      return;
    case OpenResult::kMissing:
      view_.MessageBox(missing + path, MessageButtons::kOk);
      return;
    case OpenResult::kNoProgram:
      view_.MessageBox(noProgram + path, MessageButtons::kOk);
      return;
  }
}

void HelpCommands::OnShowHelp() { Open(HelpFilePath(), kMsgNoHelpFile, kMsgNoHelpViewer); }

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
  // A folder typed with either separator ("C:\\dl\\", "/home/me/dl/") needs none.
  Open(platform::WithTrailingSeparator(path) + platform::DisplayPath(state_.indexFile), kMsgNoHtmlFile,
       kMsgNoHtmlViewer);
}

void HelpCommands::OnHomePage() { OpenHomePage(view_); }

void HelpCommands::OpenFolder(const std::string& folder) { Open(folder, kMsgNoMirrorFolder, kMsgNoFolderViewer); }

void OpenHomePage(WindowView& view) {
  if (!view.OpenAddress(kHomePageAddress)) {
    view.MessageBox(std::string(kMsgNoBrowser) + kHomePageAddress, MessageButtons::kOk);
  }
}

}  // namespace pagelark::ui
