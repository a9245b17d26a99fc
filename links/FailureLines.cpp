#include "links/FailureLines.h"

#include <algorithm>

namespace pagelark {

void AppendFailureLine(Host& host, std::vector<LineReason>& reasons, const std::string& line, std::string reason) {
  host.AppendLine(line);
  const int index = host.LineCount() - 1;
  host.NoteLineReason(index, reason);
  reasons.push_back({index, std::move(reason)});
}

const std::string* ReasonOfLine(const std::vector<LineReason>& reasons, int line) {
  // Recorded in list order, so the lines ascend.
  const auto found =
      std::lower_bound(reasons.begin(), reasons.end(), line, [](const LineReason& r, int l) { return r.line < l; });
  return found != reasons.end() && found->line == line ? &found->reason : nullptr;
}

}  // namespace pagelark
