#include <gtest/gtest.h>

#include "links/CharacterReferences.h"

namespace pagelark {
namespace {

TEST(DecodeCharacterReferences, DecodesAsciiReferencesOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"a&amp;b&lt;&gt;&quot;&apos;", "a&b<>\"'"},
      {"git-web&#45;&#45;browse.html", "git-web--browse.html"},
      {"&#x2d;&#X2F;&#47", "-//"},
      {"&#233;&#0;&#;&#x;&amp &AMP;&nbsp;", "&#233;&#0;&#;&#x;&amp &AMP;&nbsp;"},  // left as written
      {"&#0000045;&#12345678901234567890;", "-&#12345678901234567890;"},
      {"&", "&"},
      {"\x83&amp;", "\x83&"},
  };
  for (const auto& [value, decoded] : cases) EXPECT_EQ(DecodeCharacterReferences(value), decoded) << value;
}

TEST(FragmentStart, SkipsTheHashOfANumericReference) {
  EXPECT_EQ(FragmentStart("a&#45;b#c"), 7u);
  EXPECT_EQ(FragmentStart("#top"), 0u);
  EXPECT_EQ(FragmentStart("a&#45;"), std::string_view::npos);
}

}  // namespace
}  // namespace pagelark
