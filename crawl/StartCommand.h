// The checks of the start command, before a run: the download folder made
// the current directory (created when missing), the counter fields, and the
// two limits.
#pragma once

#include <cstdint>
#include <string>

#include "settings/Host.h"

namespace pagelark {

struct StartValues {
  std::string startUrl;        // placeholders unexpanded
  std::string downloadFolder;  // absolute, ending with "\"
  std::int32_t maxFilesValue = 0;
  std::int32_t maxDuplicateLinksValue = 0;
};

// Runs the checks in their order; a refusal shows its message (and focuses
// the empty counter field) and gives false.
bool CheckStartSettings(Host& host, StartValues& values);

// The folder as typed with "\" appended when it does not end with one. A
// relative folder is taken from the current directory first, since the run
// makes the folder itself the current directory and then prefixes it to
// every path it writes.
std::string PrepareDownloadFolder(const std::string& typed);

}  // namespace pagelark
