// What the main window holds beside its controls: the filter lists and their
// switches (edited in the filter dialog), the run bounds (no control shows
// them; they go from the profile read to the profile written), the start page
// of the last run, the current profile file and the program's folder.
#pragma once

#include <string>
#include <vector>

#include "settings/CrawlSettings.h"

namespace pagelark::ui {

struct FilterLists {
  std::vector<std::string> enableUrls;
  std::vector<std::string> disableUrls;
  bool useEnableList = false;
  bool useDisableList = false;

  bool operator==(const FilterLists&) const = default;
};

struct WindowState {
  FilterLists filters;
  RunBounds bounds;
  std::string indexFile;    // below the download folder, as the last run recorded it
  std::string profilePath;  // full path of the current profile
  std::string programDir;   // display form (platform::DisplayPath), trailing separator
  std::string helpDir;      // the help file's folder, the same form
};

}  // namespace pagelark::ui
