// New, Open, Save and Save as, and the recent profiles of the File menu.
// Every file is chosen through the settings-file dialog, and "set.ini", the
// start-up record, is refused in any letter case.
#pragma once

#include <optional>
#include <string>

#include "settings/Host.h"
#include "ui/ProfileStore.h"
#include "ui/RecentProfiles.h"
#include "ui/WebTool.h"
#include "ui/WindowState.h"
#include "ui/WindowView.h"

namespace pagelark::ui {

class ProfileCommands {
 public:
  ProfileCommands(WindowView& view, CWebTool& webTool, ProfileStore& store, WindowState& state, Host& host,
                  RecentProfiles& recent)
      : view_(view), webTool_(webTool), store_(store), state_(state), host_(host), recent_(recent) {}

  // The chosen file becomes the current profile, then: new-profile values
  // (nothing written), read, or written without confirmation.
  void OnNewProfile();
  void OnOpenProfile();
  void OnSaveProfileAs();
  // Writes the current profile and confirms when the writer succeeded.
  void OnSaveProfile();
  // Opens recent profile `index` as Open does; a file that is gone is said
  // and dropped from the list instead.
  void OnOpenRecent(int index);
  // Writes the current profile; false when the writer failed (it has said so).
  bool WriteCurrent();

 private:
  // The accepted path, or nothing when cancelled or refused (with its message).
  std::optional<std::string> ChooseAcceptedFile(FileDialogMode mode);
  void Open(const std::string& path);
  // "set.ini" followed by "は設定ファイルとして使用できません".
  void ShowReservedName();

  WindowView& view_;
  CWebTool& webTool_;
  ProfileStore& store_;
  WindowState& state_;
  Host& host_;
  RecentProfiles& recent_;
};

}  // namespace pagelark::ui
