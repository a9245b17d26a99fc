#include "platform/user_folders.h"

#include <sstream>
#include <string_view>

#include "platform/fs.h"
#include "platform/program_folders.h"

namespace pagelark::platform {
namespace {

constexpr std::string_view kDownloadKey = "XDG_DOWNLOAD_DIR=";
constexpr std::size_t kUserDirsLimit = 64 * 1024;

// A native (UTF-8) folder, or "" when none fits.
std::string NativeDownloadFolder() {
  const std::string home = EnvironmentVariable("HOME");
  std::string text;
  const std::string configHome = UserConfigHome(EnvironmentVariable("XDG_CONFIG_HOME"), home);
  if (!configHome.empty() && ReadFileBytes(configHome + "user-dirs.dirs", text, kUserDirsLimit)) {
    std::string folder = DownloadDirFromUserDirs(text, home);
    if (!folder.empty()) return folder;
  }
  if (home.empty()) return {};
  if (FolderExists(SystemPath(home + "/Downloads"))) return home + "/Downloads";
  return home;
}

}  // namespace

std::string DownloadDirFromUserDirs(const std::string& fileText, const std::string& home) {
  std::istringstream lines(fileText);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.starts_with(kDownloadKey)) continue;
    std::string value = line.substr(kDownloadKey.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.starts_with("$HOME")) value = home + value.substr(5);
    return value.starts_with('/') ? value : std::string();
  }
  return {};
}

std::string UserDownloadFolder() {
  const std::string native = NativeDownloadFolder();
  if (native.empty()) return DisplayPath(CurrentDirectory());
  return WithTrailingSeparator(DisplayPath(SystemPath(native)));
}

}  // namespace pagelark::platform
