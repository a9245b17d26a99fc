// URL counters: the start URL's placeholders "@a@" to "@f@", each walked
// from From to To by Step, zero-padded to the width typed in From.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "settings/Host.h"

namespace pagelark {

struct CounterRange {
  std::int32_t from = 1;
  std::int32_t to = 1;
  std::int32_t step = 1;
  std::int32_t width = 1;
};

using CounterRanges = std::array<CounterRange, kCounterCount>;
using CounterValues = std::array<std::int32_t, kCounterCount>;

// Reads the six counters from the current settings. A Step below 1 shows its
// message, focuses that Step field and gives false.
bool ReadCounterRanges(Host& host, CounterRanges& ranges);

// `value` in decimal, zero-padded on the left to at least `width` characters.
std::string FormatCounter(std::int32_t width, std::int32_t value);

// `url` with every placeholder replaced by its counter's formatted value.
std::string ExpandCounters(const std::string& url, const CounterValues& values, const CounterRanges& ranges);

// Walks every combination, "@a@" outermost and "@f@" innermost. Before each
// iteration of each level `beforeStep` runs and may end the walk by giving
// false (a stop request); `visit` may end it the same way. Values step in 64
// bits, so a To near the 32-bit limit ends the loop instead of wrapping
// round. Returns false when the walk was ended early.
bool ForEachCombination(const CounterRanges& ranges, const std::function<bool()>& beforeStep,
                        const std::function<bool(const CounterValues&)>& visit);

// How many combinations the walk visits, saturated at the largest value.
std::uint64_t CombinationCount(const CounterRanges& ranges);

// The combination the walk visits last; none when it visits none.
std::optional<CounterValues> LastCombination(const CounterRanges& ranges);

// The combination the walk visits at `ordinal` (0 first), which must be
// below CombinationCount.
CounterValues CombinationAt(const CounterRanges& ranges, std::uint64_t ordinal);

}  // namespace pagelark
