#include "ui/ProgressText.h"

#include <cstdio>
#include <iterator>

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

std::string ProgressText(const RunProgress& progress, double seconds) {
  std::string text = std::to_string(progress.processed) + " / " + std::to_string(progress.listed) + "  " +
                     kLabelElapsed + " " + Elapsed(static_cast<long>(seconds));
  if (seconds < 1.0) return text;
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.1f", static_cast<double>(progress.processed) / seconds);
  return text + "  " + rate + " " + kLabelPerSecond + "  " + ByteRate(static_cast<double>(progress.bytes) / seconds);
}

std::string ByteRate(double bytesPerSecond) {
  static constexpr const char* kUnits[] = {"B", "KB", "MB"};
  std::size_t unit = 0;
  // Rounded to a whole number, 1023.5 would read "1024 B/秒".
  while (bytesPerSecond >= 1023.5 && unit + 1 < std::size(kUnits)) {
    bytesPerSecond /= 1024.0;
    ++unit;
  }
  const bool decimal = unit > 0 && bytesPerSecond < 9.95;
  char number[32];
  std::snprintf(number, sizeof number, decimal ? "%.1f" : "%.0f", bytesPerSecond);
  return std::string(number) + " " + kUnits[unit] + kLabelPerSecondSuffix;
}

}  // namespace pagelark::ui
