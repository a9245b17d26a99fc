// Clock texts of the progress list.
#pragma once

#include <ctime>
#include <string>

namespace pagelark {

// "%d:%d:%d": hour, minute and second without leading zeros (9:5:7).
std::string FormatClock(const std::tm& time);

}  // namespace pagelark
