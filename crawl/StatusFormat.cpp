#include "crawl/StatusFormat.h"

namespace pagelark {

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
