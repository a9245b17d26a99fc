#include "crawl/Counters.h"

#include <cstdio>

#include "messages/RunTexts.h"
#include "platform/cp932.h"
#include "settings/SettingNumbers.h"

namespace pagelark {
namespace {

constexpr char kPlaceholders[kCounterCount][4] = {"@a@", "@b@", "@c@", "@d@", "@e@", "@f@"};

CounterRange ReadCounter(const CounterSetting& counter) {
  if (!counter.enabled) return {};
  return {ParseLeadingInt(counter.from), ParseLeadingInt(counter.to), ParseLeadingInt(counter.step),
          static_cast<std::int32_t>(counter.from.size())};
}

bool WalkLevel(const CounterRanges& ranges, std::size_t level, CounterValues& values,
               const std::function<bool()>& beforeStep, const std::function<bool(const CounterValues&)>& visit) {
  if (level == ranges.size()) return visit(values);
  const CounterRange& range = ranges[level];
  for (std::int64_t value = range.from; value <= range.to; value += range.step) {
    if (!beforeStep()) return false;
    values[level] = static_cast<std::int32_t>(value);
    if (!WalkLevel(ranges, level + 1, values, beforeStep, visit)) return false;
  }
  return true;
}

}  // namespace

bool ReadCounterRanges(Host& host, CounterRanges& ranges) {
  for (int i = 0; i < kCounterCount; ++i) {
    ranges[static_cast<std::size_t>(i)] = ReadCounter(host.CurrentSettings().counters[static_cast<std::size_t>(i)]);
    if (ranges[static_cast<std::size_t>(i)].step < 1) {
      host.ShowMessage(msg::kStepAtLeastOne);
      host.FocusField(SettingField::kCounterStep, i);
      return false;
    }
  }
  return true;
}

std::string FormatCounter(std::int32_t width, std::int32_t value) {
  const int size = std::snprintf(nullptr, 0, "%0*d", static_cast<int>(width), static_cast<int>(value));
  std::string text(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%0*d", static_cast<int>(width), static_cast<int>(value));
  text.pop_back();
  return text;
}

std::string ExpandCounters(const std::string& url, const CounterValues& values, const CounterRanges& ranges) {
  std::string expanded = url;
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    expanded = cp932::ReplaceAll(expanded, kPlaceholders[i], FormatCounter(ranges[i].width, values[i]));
  }
  return expanded;
}

std::uint64_t CombinationCount(const CounterRanges& ranges) {
  std::uint64_t count = 1;
  for (const CounterRange& range : ranges) {
    if (range.from > range.to) return 0;
    const auto values = static_cast<std::uint64_t>((std::int64_t{range.to} - range.from) / range.step + 1);
    count = count > std::numeric_limits<std::uint64_t>::max() / values ? std::numeric_limits<std::uint64_t>::max()
                                                                       : count * values;
  }
  return count;
}

std::optional<CounterValues> LastCombination(const CounterRanges& ranges) {
  CounterValues values{};
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    const CounterRange& range = ranges[i];
    if (range.from > range.to) return std::nullopt;
    values[i] = static_cast<std::int32_t>(range.from + (std::int64_t{range.to} - range.from) / range.step * range.step);
  }
  return values;
}

CounterValues CombinationAt(const CounterRanges& ranges, std::uint64_t ordinal) {
  CounterValues values{};
  // "@f@" steps fastest: the ordinal's last digit in mixed radix is its.
  for (std::size_t i = ranges.size(); i-- > 0;) {
    const CounterRange& range = ranges[i];
    const auto count = static_cast<std::uint64_t>((std::int64_t{range.to} - range.from) / range.step + 1);
    values[i] = static_cast<std::int32_t>(range.from + static_cast<std::int64_t>(ordinal % count) * range.step);
    ordinal /= count;
  }
  return values;
}

bool ForEachCombination(const CounterRanges& ranges, const std::function<bool()>& beforeStep,
                        const std::function<bool(const CounterValues&)>& visit) {
  CounterValues values{};
  return WalkLevel(ranges, 0, values, beforeStep, visit);
}

}  // namespace pagelark
