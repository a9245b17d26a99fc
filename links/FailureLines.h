// Failure lines of the progress list with the reason each one failed. The
// list keeps its line as it always reads; the reason goes to the front end
// beside that line and, at the end of the run, into the run log.
#pragma once

#include <string>
#include <vector>

#include "settings/Host.h"

namespace pagelark {

struct LineReason {
  int line;            // index in the progress list
  std::string reason;  // short ASCII text: "HTTP 404", "refused", "name in use"
};

// Appends `line` to the progress list and records why it failed.
void AppendFailureLine(Host& host, std::vector<LineReason>& reasons, const std::string& line, std::string reason);

// The reason recorded for list line `line`, or nothing.
const std::string* ReasonOfLine(const std::vector<LineReason>& reasons, int line);

}  // namespace pagelark
