#include <gtest/gtest.h>

#include <string>

#include "links/TextIndex.h"

namespace pagelark {
namespace {

TEST(TextIndex, NumbersTextsInTheOrderAdded) {
  TextIndex index;
  EXPECT_EQ(index.Find("a"), TextIndex::npos);  // nothing added yet
  EXPECT_EQ(index.Insert("http://h/a"), std::make_pair(std::size_t{0}, true));
  EXPECT_EQ(index.Insert("http://h/A"), std::make_pair(std::size_t{1}, true));  // letter case counts
  EXPECT_EQ(index.Insert("http://h/a"), std::make_pair(std::size_t{0}, false));
  EXPECT_EQ(index.Insert(""), std::make_pair(std::size_t{2}, true));
  EXPECT_EQ(index.Find("http://h/A"), 1u);
  EXPECT_EQ(index.Text(1), "http://h/A");
  index.Clear();
  EXPECT_EQ(index.size(), 0u);
  EXPECT_EQ(index.Find("http://h/a"), TextIndex::npos);
}

// Many texts: the table grows many times and every text keeps its number.
TEST(TextIndex, KeepsEveryNumberAsItGrows) {
  TextIndex index;
  constexpr std::size_t kTexts = 20'000;
  for (std::size_t i = 0; i < kTexts; ++i) ASSERT_TRUE(index.Insert("u" + std::to_string(i)).second);
  for (std::size_t i = 0; i < kTexts; ++i) {
    ASSERT_EQ(index.Find("u" + std::to_string(i)), i);
    ASSERT_FALSE(index.Insert("u" + std::to_string(i)).second);
  }
  EXPECT_EQ(index.Find("u" + std::to_string(kTexts)), TextIndex::npos);
}

}  // namespace
}  // namespace pagelark
