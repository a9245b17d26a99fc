#include "crawl/Counters.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "messages/RunTexts.h"
#include "support/FakeHost.h"

namespace pagelark {
namespace {

CounterRanges Disabled() { return CounterRanges{}; }

std::vector<CounterValues> Walk(const CounterRanges& ranges, int stopAfterSteps = -1) {
  std::vector<CounterValues> seen;
  int steps = 0;
  ForEachCombination(
      ranges, [&] { return stopAfterSteps < 0 || steps++ < stopAfterSteps; },
      [&](const CounterValues& values) {
        seen.push_back(values);
        return true;
      });
  return seen;
}

TEST(FormatCounter, PadsToTheWidthTypedInFrom) {
  EXPECT_EQ(FormatCounter(1, 7), "7");
  EXPECT_EQ(FormatCounter(3, 7), "007");
  EXPECT_EQ(FormatCounter(3, 1234), "1234");
  EXPECT_EQ(FormatCounter(2, -3), "-3");
  EXPECT_EQ(FormatCounter(4, -3), "-003");
  EXPECT_EQ(FormatCounter(1, 1), "1");
  EXPECT_EQ(FormatCounter(300, 5).size(), 300u);
}

TEST(ExpandCounters, ReplacesEveryPlaceholder) {
  CounterRanges ranges = Disabled();
  ranges[0].width = 3;
  const CounterValues values = {7, 1, 1, 1, 1, 1};
  EXPECT_EQ(ExpandCounters("list@a@-@a@.html", values, ranges), "list007-007.html");
  EXPECT_EQ(ExpandCounters("x@c@.html", values, ranges), "x1.html");  // disabled counter: 1
  EXPECT_EQ(ExpandCounters("x@A@.html", values, ranges), "x@A@.html");
}

TEST(ForEachCombination, WalksAOutermostAndFInnermost) {
  CounterRanges ranges = Disabled();
  ranges[0] = {1, 3, 1, 1};
  ranges[1] = {1, 2, 1, 1};
  std::vector<std::pair<int, int>> order;
  for (const CounterValues& v : Walk(ranges)) order.emplace_back(v[0], v[1]);
  EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}}));
}

TEST(ForEachCombination, StepsAndEmptyRanges) {
  CounterRanges ranges = Disabled();
  ranges[0] = {8, 12, 2, 2};
  std::vector<int> values;
  for (const CounterValues& v : Walk(ranges)) values.push_back(v[0]);
  EXPECT_EQ(values, (std::vector<int>{8, 10, 12}));
  ranges[0] = {10, 1, 1, 2};
  EXPECT_TRUE(Walk(ranges).empty());
  EXPECT_EQ(Walk(Disabled()).size(), 1u);
}

TEST(ForEachCombination, ToAtTheLargestValueEndsWithoutWrapping) {
  CounterRanges ranges = Disabled();
  ranges[0] = {INT_MAX - 2, INT_MAX, 1, 1};
  EXPECT_EQ(Walk(ranges).size(), 3u);
  ranges[0] = {INT_MAX - 5, INT_MAX, INT_MAX, 1};
  EXPECT_EQ(Walk(ranges).size(), 1u);
}

TEST(ForEachCombination, AStopUnwindsEveryLevel) {
  CounterRanges ranges = Disabled();
  ranges[0] = {1, 100, 1, 1};
  ranges[5] = {1, 100, 1, 1};
  // Six levels each ask once before the first combination.
  EXPECT_EQ(Walk(ranges, 8).size(), 3u);
  EXPECT_TRUE(Walk(ranges, 0).empty());
}

TEST(ReadCounterRanges, TakesWidthFromTheFromTextAndRejectsStepsBelowOne) {
  test::FakeHost host;
  host.settings.counters[0] = {true, "001", "120", "1"};
  host.settings.counters[2] = {true, "abc", "5", "2"};
  CounterRanges ranges;
  ASSERT_TRUE(ReadCounterRanges(host, ranges));
  EXPECT_EQ(ranges[0].from, 1);
  EXPECT_EQ(ranges[0].to, 120);
  EXPECT_EQ(ranges[0].width, 3);
  EXPECT_EQ(ranges[2].from, 0);
  EXPECT_EQ(ranges[2].width, 3);
  EXPECT_EQ(ranges[1].from, 1);
  EXPECT_EQ(ranges[1].width, 1);

  host.settings.counters[3] = {true, "1", "3", "abc"};
  EXPECT_FALSE(ReadCounterRanges(host, ranges));
  EXPECT_EQ(host.messages, std::vector<std::string>{msg::kStepAtLeastOne});
  EXPECT_EQ(host.focusedFields, (std::vector<test::FocusedField>{{SettingField::kCounterStep, 3}}));
}

TEST(Counters, CountAndLastCombinationWithoutWalking) {
  CounterRanges ranges{};
  EXPECT_EQ(CombinationCount(ranges), 1u);  // six counters off: one start URL
  ranges[0] = {8, 10, 2, 2};
  ranges[5] = {1, 2147483647, 1000000000, 1};
  EXPECT_EQ(CombinationCount(ranges), 6u);
  EXPECT_EQ(LastCombination(ranges), (CounterValues{10, 1, 1, 1, 1, 2000000001}));
  for (auto& range : ranges) range = {0, 2147483647, 1, 1};
  EXPECT_EQ(CombinationCount(ranges), std::numeric_limits<std::uint64_t>::max());
  ranges[3] = {5, 4, 1, 1};
  EXPECT_EQ(CombinationCount(ranges), 0u);
  EXPECT_FALSE(LastCombination(ranges));
}

}  // namespace
}  // namespace pagelark
