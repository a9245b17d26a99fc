#include "ui/WebTool.h"

#include <algorithm>
#include <utility>

#include "links/PathFields.h"
#include "messages/WindowTexts.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark::ui {
namespace {

// Puts the process's current directory back when the scope ends, whatever
// folder a dialog browsed to.
class CurrentDirectoryKeeper {
 public:
  CurrentDirectoryKeeper() : saved_(platform::CurrentDirectory()) {}
  ~CurrentDirectoryKeeper() {
    if (!saved_.empty()) platform::SetCurrentDirectory(saved_);
  }
  CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
  CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

 private:
  std::string saved_;
};

}  // namespace

void CWebTool::BrowseFolder(int fieldId) {
  CurrentDirectoryKeeper keeper;
  std::optional<std::string> folder = view_.PickFolder();
  if (!folder || folder->empty()) return;
  view_.SetText(fieldId, platform::WithTrailingSeparator(platform::DisplayPath(*folder)));
}

std::string CWebTool::ChooseProfileFile(const std::string& currentPath, FileDialogMode mode) {
  CurrentDirectoryKeeper keeper;
  const std::string initial = mode == FileDialogMode::kNew ? std::string(kNewProfileName) : currentPath;
  const std::string chosen = view_.PickProfileFile(mode, initial, kProfileFilter);
  if (chosen.empty()) return {};
  return WithProfileExtension(chosen);
}

std::vector<FileTypeFilter> ParseFileFilter(std::string_view filter) {
  std::vector<FileTypeFilter> types;
  std::size_t at = 0;
  while (at < filter.size()) {
    const std::size_t labelEnd = filter.find('|', at);
    if (labelEnd == std::string_view::npos || labelEnd == at) break;
    const std::size_t patternEnd = std::min(filter.find('|', labelEnd + 1), filter.size());
    FileTypeFilter type{std::string(filter.substr(at, labelEnd - at)), {}};
    const std::string_view patterns = filter.substr(labelEnd + 1, patternEnd - labelEnd - 1);
    for (std::size_t p = 0; p < patterns.size();) {
      const std::size_t end = std::min(patterns.find(';', p), patterns.size());
      if (end > p) type.patterns.emplace_back(patterns.substr(p, end - p));
      p = end + 1;
    }
    types.push_back(std::move(type));
    at = patternEnd + 1;
  }
  return types;
}

std::string WithProfileExtension(const std::string& path) {
  std::string folder;
  std::string name;
  SplitPath(path, folder, name, '\\');
  if (name.empty() || cp932::Find(name, ".") != cp932::npos) return path;
  return path + ".ini";
}

}  // namespace pagelark::ui
