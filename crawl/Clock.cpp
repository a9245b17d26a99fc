#include "crawl/Clock.h"

#include <cstdio>

namespace pagelark {

std::string FormatClock(const std::tm& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%d:%d:%d", time.tm_hour, time.tm_min, time.tm_sec);
  return text;
}

}  // namespace pagelark
