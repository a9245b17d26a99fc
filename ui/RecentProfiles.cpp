#include "ui/RecentProfiles.h"

#include "platform/cp932.h"
#include "platform/fs.h"
#include "ui/ControlIds.h"

namespace pagelark::ui {

// Paths are held in the platform's form, as the current profile's is, so
// that a profile written on Windows is found once.
void RecentProfiles::Load() {
  paths_.clear();
  for (const std::string& path : store_.ReadRecent(programDir_)) paths_.push_back(platform::DisplayPath(path));
  Show();
}

void RecentProfiles::Note(const std::string& path) {
  std::erase(paths_, path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > id::kRecentProfileItems) paths_.resize(id::kRecentProfileItems);
  StoreAndShow();
}

void RecentProfiles::Forget(const std::string& path) {
  std::erase(paths_, path);
  StoreAndShow();
}

std::optional<std::string> RecentProfiles::At(int index) const {
  if (index < 0 || index >= static_cast<int>(paths_.size())) return std::nullopt;
  return paths_[static_cast<std::size_t>(index)];
}

// A set.ini that cannot be written leaves the menu right for this session;
// the next save says that set.ini failed.
void RecentProfiles::StoreAndShow() {
  store_.WriteRecent(programDir_, paths_);
  Show();
}

void RecentProfiles::Show() {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < paths_.size(); ++i) texts.push_back(RecentMenuText(static_cast<int>(i), paths_[i]));
  view_.SetRecentProfiles(texts);
}

std::string RecentMenuText(int index, const std::string& path) {
  return "&" + std::to_string(index + 1) + " " + cp932::ReplaceAll(platform::DisplayPath(path), "&", "&&");
}

}  // namespace pagelark::ui
