// Texts of the progress list and the status line: clock times and the
// status line's printf formats.
#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace pagelark {

// "%d:%d:%d": hour, minute and second without leading zeros (9:5:7).
std::string FormatClock(const std::tm& time);

// Replaces the format's "%d" and "%s" markers, in order, by `values`; CP932
// bytes of the format stay as they are (no trail byte is "%").
std::string FormatStatus(const std::string& format, const std::vector<std::string>& values);

}  // namespace pagelark
