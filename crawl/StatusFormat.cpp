#include "crawl/StatusFormat.h"

#include <cstdio>

namespace pagelark {

std::string FormatClock(const std::tm& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%d:%d:%d", time.tm_hour, time.tm_min, time.tm_sec);
  return text;
}

std::string FormatStatus(const std::string& format, const std::vector<std::string>& values) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const bool marker = format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 'd' || format[i + 1] == 's');
    if (marker && next < values.size()) {
      out += values[next++];
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

}  // namespace pagelark
