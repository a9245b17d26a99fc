// The run log: a copy of the progress list in "log\" beside the program.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "links/FailureLines.h"
#include "settings/Host.h"

namespace pagelark {

// The log file's path: programDir + "log\" + the profile's file name without
// its last four characters + the local time as "%04d%02d%02d%02d%02d%02d" + ".log".
std::string RunLogPath(const std::string& programDir, const std::string& profilePath, const std::tm& localTime);

// Writes every line of the progress list, each followed by CR LF, whole
// however long; a failure line with a recorded reason ends with " (" reason
// ")". A log that cannot be created is skipped without a word.
void WriteRunLog(Host& host, const std::vector<LineReason>& reasons, const std::string& programDir,
                 const std::string& profilePath);

}  // namespace pagelark
