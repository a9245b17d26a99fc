// The number fields of the settings read as numbers. The fields stay texts
// as typed; every reader of a number goes through these.
#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

#include "settings/CrawlSettings.h"

namespace pagelark {

// C's atoi over a CP932 text, saturated to the 32-bit range instead of
// overflowing: leading blanks, an optional sign, then digits.
std::int32_t ParseLeadingInt(std::string_view text);

// The run bounds as numbers, in the units of the HTTP client's options; 0 is
// no bound, and a number below 0 counts as 0.
struct RunLimits {
  std::uint64_t maxPageBytes = 0;        // a page or form answer held for scanning
  std::uint64_t maxFileBytes = 0;        // a downloaded file
  long minBytesPerSecond = 0;            // a transfer slower than this on average...
  std::chrono::seconds minSpeedTime{0};  // ...over this long is given up

  bool operator==(const RunLimits&) const = default;
};

RunLimits RunLimitsOf(const RunBounds& bounds);

// The connections a run fetches on: the setting read as a number, empty or
// below 1 being 1 (one request at a time), at most kMostConnections.
inline constexpr int kMostConnections = 16;
int ConnectionCount(const CrawlSettings& settings);

}  // namespace pagelark
