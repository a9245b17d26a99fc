#include "settings/RecentProfiles.h"

#include <algorithm>

#include "settings/IniFile.h"
#include "settings/ProfileKeys.h"
#include "settings/ProgramFiles.h"

namespace pagelark {
namespace {

std::string RecentKey(int n) { return keys::NumberedKey(keys::kRecentProfilePrefix, n); }

}  // namespace

std::vector<std::string> ReadRecentProfiles(std::string_view programDir) {
  const ini::IniDocument document = ini::LoadForReading(SetIniPath(programDir));
  std::vector<std::string> paths;
  for (int n = 1; n <= keys::kMaxRecentProfiles; ++n) {
    std::string path = ini::ReadString(document, keys::kSection, RecentKey(n), "", keys::kValueBufferSize);
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}

bool WriteRecentProfiles(std::string_view programDir, const std::vector<std::string>& paths) {
  const std::size_t count = std::min<std::size_t>(paths.size(), keys::kMaxRecentProfiles);
  const std::vector<std::string> kept(paths.begin(), paths.begin() + static_cast<std::ptrdiff_t>(count));
  if (ReadRecentProfiles(programDir) == kept) return true;
  ini::IniFileEdit edit(SetIniPath(programDir));
  // Removed first, so that set again they follow every other key.
  for (int n = 1; n <= keys::kMaxRecentProfiles; ++n) edit.RemoveKey(keys::kSection, RecentKey(n));
  bool stored = true;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    stored = edit.Set(keys::kSection, RecentKey(static_cast<int>(i + 1)), kept[i]) && stored;
  }
  return edit.Commit() && stored;
}

}  // namespace pagelark
