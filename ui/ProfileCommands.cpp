#include "ui/ProfileCommands.h"

#include "links/PathFields.h"
#include "messages/WindowTexts.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark::ui {
namespace {

// The file name "set.ini" in any letter case; either separator ends the
// folder, since the path may be in display form.
bool IsReservedName(const std::string& path) {
  std::string folder;
  std::string name;
  SplitPath(cp932::ReplaceAll(cp932::ToLower(path), "/", "\\"), folder, name, '\\');
  return name == kReservedProfileName;
}

}  // namespace

std::optional<std::string> ProfileCommands::ChooseAcceptedFile(FileDialogMode mode) {
  const std::string chosen = webTool_.ChooseProfileFile(state_.profilePath, mode);
  if (IsReservedName(chosen)) {
    ShowReservedName();
    return std::nullopt;
  }
  if (chosen.empty()) return std::nullopt;
  return platform::DisplayPath(chosen);
}

void ProfileCommands::ShowReservedName() {
  view_.MessageBox(std::string(kReservedProfileName) + kMsgReservedSuffix, MessageButtons::kOk);
}

void ProfileCommands::OnNewProfile() {
  const std::optional<std::string> path = ChooseAcceptedFile(FileDialogMode::kNew);
  if (!path) return;
  state_.profilePath = *path;
  store_.Reset(host_);
}

void ProfileCommands::OnOpenProfile() {
  const std::optional<std::string> path = ChooseAcceptedFile(FileDialogMode::kOpen);
  if (path) Open(*path);
}

// A name that does not exist still opens (with the values of an empty
// profile), but only files that exist are listed as recent.
void ProfileCommands::Open(const std::string& path) {
  state_.profilePath = path;
  store_.Read(state_.profilePath, host_);
  if (platform::FileExists(path)) recent_.Note(path);
}

void ProfileCommands::OnOpenRecent(int index) {
  const std::optional<std::string> path = recent_.At(index);
  if (!path) return;
  if (IsReservedName(*path)) {  // only a set.ini edited by hand lists it
    ShowReservedName();
  } else if (!platform::FileExists(*path)) {
    view_.MessageBox(kMsgNoProfileFile + *path, MessageButtons::kOk);
  } else {
    return Open(*path);
  }
  recent_.Forget(*path);
}

void ProfileCommands::OnSaveProfileAs() {
  const std::optional<std::string> path = ChooseAcceptedFile(FileDialogMode::kOpen);
  if (!path) return;
  state_.profilePath = *path;
  WriteCurrent();
}

void ProfileCommands::OnSaveProfile() {
  if (WriteCurrent()) view_.MessageBox(state_.profilePath + kMsgSavedSuffix, MessageButtons::kOk);
}

bool ProfileCommands::WriteCurrent() {
  if (!store_.Write(state_.profilePath, state_.programDir, host_)) return false;
  recent_.Note(state_.profilePath);
  return true;
}

}  // namespace pagelark::ui
