#include "crawl/StatusFormat.h"

namespace pagelark {

std::string FormatStatus(const std::string& format, int first, int second, const std::string& text) {
  std::string out;
  const int numbers[] = {first, second};
  std::size_t nextNumber = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 'd' || format[i + 1] == 's')) {
      out += format[i + 1] == 's' ? text : std::to_string(numbers[nextNumber < 2 ? nextNumber++ : 1]);
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

}  // namespace pagelark
