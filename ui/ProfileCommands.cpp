#include "ui/ProfileCommands.h"

#include "links/PathFields.h"
#include "messages/WindowTexts.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark::ui {

std::optional<std::string> ProfileCommands::ChooseAcceptedFile(FileDialogMode mode) {
  const std::string chosen = webTool_.ChooseProfileFile(state_.profilePath, mode);
  std::string folder;
  std::string name;
  // Either separator ends the folder: the path may be in display form.
  SplitPath(cp932::ReplaceAll(cp932::ToLower(chosen), "/", "\\"), folder, name, '\\');
  if (name == kReservedProfileName) {
    view_.MessageBox(std::string(kReservedProfileName) + kMsgReservedSuffix, MessageButtons::kOk);
    return std::nullopt;
  }
  if (chosen.empty()) return std::nullopt;
  return platform::DisplayPath(chosen);
}

void ProfileCommands::OnNewProfile() {
  const std::optional<std::string> path = ChooseAcceptedFile(FileDialogMode::kNew);
  if (!path) return;
  state_.profilePath = *path;
  store_.Reset(host_);
}

void ProfileCommands::OnOpenProfile() {
  const std::optional<std::string> path = ChooseAcceptedFile(FileDialogMode::kOpen);
  if (!path) return;
  state_.profilePath = *path;
  store_.Read(state_.profilePath, host_);
}

void ProfileCommands::OnSaveProfileAs() {
  const std::optional<std::string> path = ChooseAcceptedFile(FileDialogMode::kOpen);
  if (!path) return;
  state_.profilePath = *path;
  store_.Write(state_.profilePath, state_.programDir, host_);
}

void ProfileCommands::OnSaveProfile() {
  if (store_.Write(state_.profilePath, state_.programDir, host_)) {
    view_.MessageBox(state_.profilePath + kMsgSavedSuffix, MessageButtons::kOk);
  }
}

}  // namespace pagelark::ui
