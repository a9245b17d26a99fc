// The File menu's recent profiles: the last four opened or saved, most
// recent first, kept in set.ini and shown as the menu's items above Exit.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/ProfileStore.h"
#include "ui/WindowView.h"

namespace pagelark::ui {

class RecentProfiles {
 public:
  RecentProfiles(WindowView& view, ProfileStore& store, const std::string& programDir)
      : view_(view), store_(store), programDir_(programDir) {}

  // Reads the list set.ini keeps and shows it.
  void Load();
  // Puts `path` first (once) and keeps four; then stores and shows the list.
  void Note(const std::string& path);
  // Drops `path`; then stores and shows the list.
  void Forget(const std::string& path);
  // The path of menu item `index`, or nothing.
  std::optional<std::string> At(int index) const;

 private:
  void StoreAndShow();
  void Show();

  WindowView& view_;
  ProfileStore& store_;
  const std::string& programDir_;  // the window's, set before Load
  std::vector<std::string> paths_;
};

// A menu item's text: "&1 " and the path in the platform's form, its "&"
// doubled so that it shows as itself.
std::string RecentMenuText(int index, const std::string& path);

}  // namespace pagelark::ui
