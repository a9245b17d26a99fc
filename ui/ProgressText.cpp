#include "ui/ProgressText.h"

#include <cstdio>

#include "messages/WindowTexts.h"

namespace pagelark::ui {
namespace {

std::string Elapsed(long total) {
  char text[32];
  if (total >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
  }
  return text;
}

}  // namespace

std::string ProgressText(std::size_t processed, std::size_t listed, double seconds) {
  std::string text = std::to_string(processed) + " / " + std::to_string(listed) + "  " + kLabelElapsed + " " +
                     Elapsed(static_cast<long>(seconds));
  if (seconds < 1.0) return text;
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.1f", static_cast<double>(processed) / seconds);
  return text + "  " + rate + " " + kLabelPerSecond;
}

}  // namespace pagelark::ui
