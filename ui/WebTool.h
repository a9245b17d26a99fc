// The window's dialogs of the utility object: the folder picker and the
// settings-file dialog, both keeping the process's current directory, and the
// event pump of a run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/WindowView.h"

namespace pagelark::ui {

class CWebTool {
 public:
  explicit CWebTool(WindowView& view) : view_(view) {}

  // Shows the folder picker; a chosen folder goes into field `fieldId` with a
  // trailing "\". Cancelled: the field keeps its text.
  void BrowseFolder(int fieldId);

  // Runs the settings-file dialog and returns the chosen full path ("" when
  // cancelled). A file name without extension gets ".ini".
  std::string ChooseProfileFile(const std::string& currentPath, FileDialogMode mode);

  void PumpMessages() { view_.PumpEvents(); }

 private:
  WindowView& view_;
};

// One entry of a file-type filter: "設定ファイル *.ini|*.ini;||" gives the
// label "設定ファイル *.ini" with the pattern "*.ini".
struct FileTypeFilter {
  std::string label;
  std::vector<std::string> patterns;
};

// The entries of a filter written as label|patterns| pairs (patterns
// separated by ";"), ending at an empty label.
std::vector<FileTypeFilter> ParseFileFilter(std::string_view filter);

// `path` with ".ini" appended when its file name has no extension.
std::string WithProfileExtension(const std::string& path);

}  // namespace pagelark::ui
