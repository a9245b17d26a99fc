// New, Open, Save and Save as. Every file is chosen through the settings-file
// dialog, and "set.ini", the start-up record, is refused in any letter case.
#pragma once

#include <optional>
#include <string>

#include "settings/Host.h"
#include "ui/ProfileStore.h"
#include "ui/WebTool.h"
#include "ui/WindowState.h"
#include "ui/WindowView.h"

namespace pagelark::ui {

class ProfileCommands {
 public:
  ProfileCommands(WindowView& view, CWebTool& webTool, ProfileStore& store, WindowState& state, Host& host)
      : view_(view), webTool_(webTool), store_(store), state_(state), host_(host) {}

  // The chosen file becomes the current profile, then: new-profile values
  // (nothing written), read, or written without confirmation.
  void OnNewProfile();
  void OnOpenProfile();
  void OnSaveProfileAs();
  // Writes the current profile and confirms when the writer succeeded.
  void OnSaveProfile();

 private:
  // The accepted path, or nothing when cancelled or refused (with its message).
  std::optional<std::string> ChooseAcceptedFile(FileDialogMode mode);

  WindowView& view_;
  CWebTool& webTool_;
  ProfileStore& store_;
  WindowState& state_;
  Host& host_;
};

}  // namespace pagelark::ui
