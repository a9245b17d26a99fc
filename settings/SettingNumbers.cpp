#include "settings/SettingNumbers.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace pagelark {
namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

std::int32_t NotBelowZero(std::string_view text) { return std::max(ParseLeadingInt(text), std::int32_t{0}); }

}  // namespace

std::int32_t ParseLeadingInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = std::min(value * 10 + (text[i] - '0'), kLimit);
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min(value, kLimit - 1));
}

RunLimits RunLimitsOf(const RunBounds& bounds) {
  return {static_cast<std::uint64_t>(NotBelowZero(bounds.maxPageMiB)) * kMiB,
          static_cast<std::uint64_t>(NotBelowZero(bounds.maxFileMiB)) * kMiB, NotBelowZero(bounds.minSpeed),
          std::chrono::seconds(NotBelowZero(bounds.minSpeedTime))};
}

int ConnectionCount(const CrawlSettings& settings) {
  return std::clamp(ParseLeadingInt(settings.connections), std::int32_t{1}, std::int32_t{kMostConnections});
}

}  // namespace pagelark
