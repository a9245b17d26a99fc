#include <gtest/gtest.h>

#include <climits>

#include "settings/ProfileDefaults.h"
#include "settings/SettingNumbers.h"

namespace pagelark {
namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
constexpr std::uint64_t kIntMax = INT_MAX;
using std::chrono::seconds;

TEST(ParseLeadingInt, ReadsLikeAtoiWithoutOverflow) {
  const struct {
    const char* text;
    std::int32_t expected;
  } cases[] = {
      {"12abc", 12},
      {"  -5", -5},
      {"+7", 7},
      {"abc", 0},
      {"", 0},
      {"\t8 9", 8},
      {"99999999999999", INT_MAX},
      {"-99999999999999", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseLeadingInt(c.text), c.expected) << c.text;
}

TEST(RunLimits, BoundsReadAsNumbersAndNothingBelowZero) {
  const struct {
    RunBounds bounds;
    RunLimits expected;
  } cases[] = {
      {RunBounds{}, {64 * kMiB, 1024 * kMiB, 100, seconds(30)}},
      {{"0", "0", "0", "0"}, {0, 0, 0, seconds(0)}},
      {{"-3", "8 MiB", "", "x"}, {0, 8 * kMiB, 0, seconds(0)}},
      {{"99999999999", "2147483647", "99999999999", "-99999999999"},
       {kIntMax * kMiB, kIntMax * kMiB, INT_MAX, seconds(0)}},
  };
  for (const auto& c : cases) EXPECT_EQ(RunLimitsOf(c.bounds), c.expected) << c.bounds.maxPageMiB;
  EXPECT_EQ(NewProfileSettings().bounds, (RunBounds{"64", "1024", "100", "30"}));
  EXPECT_EQ(FirstStartSettings().bounds, (RunBounds{"64", "1024", "100", "30"}));
}

}  // namespace
}  // namespace pagelark
