#include "FakeWindowView.h"

#include "platform/fs.h"

namespace pagelark::ui::test {

// The dialogs browse: they leave the process in another folder, as a real
// dialog may, so that the tests see whether the logic puts it back.
std::optional<std::string> FakeWindowView::PickFolder() {
  platform::SetCurrentDirectory("/");
  currentDirectoryDuringDialog = platform::CurrentDirectory();
  return folderReply;
}

std::string FakeWindowView::PickProfileFile(FileDialogMode mode, const std::string& initialName, const std::string&) {
  fileDialogs.emplace_back(mode, initialName);
  platform::SetCurrentDirectory("/");
  currentDirectoryDuringDialog = platform::CurrentDirectory();
  return fileReply;
}

}  // namespace pagelark::ui::test
