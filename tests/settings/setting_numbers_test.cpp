#include <gtest/gtest.h>

#include <climits>

#include "settings/SettingNumbers.h"

namespace pagelark {
namespace {

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

}  // namespace
}  // namespace pagelark
