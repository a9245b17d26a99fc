#include <gtest/gtest.h>

#include "links/PathFields.h"

namespace pagelark {
namespace {

struct SplitRow {
  std::string text;
  char separator;
  std::string folder;
  std::string name;
};

TEST(SplitPath, SplitsAtTheLastSeparator) {
  const SplitRow rows[] = {
      {"a//b", '/', "a/", "b"},
      {"/b", '/', "", "b"},
      {"a/", '/', "a/", ""},
      {"abc", '/', "", "abc"},
      {"", '/', "", ""},
      {"http://host/dir/page.html", '/', "http://host/dir/", "page.html"},
      {"C:\\prog\\PagelarkCGI.exe", '\\', "C:\\prog\\", "PagelarkCGI.exe"},
      // 表 and ソ end in the byte 0x5C: they are names, not separators.
      {"C:\\\x95\x5C\\\x83\x5C", '\\', "C:\\\x95\x5C\\", "\x83\x5C"},
      {"dl\\\x95\x5C", '\\', "dl\\", "\x95\x5C"},
      {"\x95\x5C", '\\', "", "\x95\x5C"},
  };
  for (const auto& row : rows) {
    std::string folder = "stale", name = "stale";
    EXPECT_TRUE(SplitPath(row.text, folder, name, row.separator));
    EXPECT_EQ(folder, row.folder) << row.text;
    EXPECT_EQ(name, row.name) << row.text;
  }
}

TEST(CountFields, DoesNotCountASeparatorAtIndexZero) {
  EXPECT_EQ(CountFields("a,b,c", ","), 3);
  EXPECT_EQ(CountFields(",a", ","), 1);
  EXPECT_EQ(CountFields("", ","), 1);
  EXPECT_EQ(CountFields("img", ","), 1);
  EXPECT_EQ(CountFields("\\\\srv\\share\\dir", "\\"), 4);
  EXPECT_EQ(CountFields("C:\\dl\\a\\", "\\"), 4);
  EXPECT_EQ(CountFields("C:\\\x95\x5C\\", "\\"), 3);
}

TEST(GetField, ReturnsTheIndexedField) {
  EXPECT_EQ(GetField("img,src", ",", 0), "img");
  EXPECT_EQ(GetField("img,src", ",", 1), "src");
  EXPECT_EQ(GetField("img,src", ",", 2), "");
  EXPECT_EQ(GetField("a,,b", ",", 1), "");
  EXPECT_EQ(GetField("a,,b", ",", 2), "b");
  EXPECT_EQ(GetField(",a", ",", 0), "");
  EXPECT_EQ(GetField("a,", ",", 1), "");
  EXPECT_EQ(GetField("http://host/a/", "/", 1), "");
  EXPECT_EQ(GetField("http://host/a/", "/", 2), "host");
  EXPECT_EQ(GetField("C:\\\x95\x5C\\x", "\\", 1), "\x95\x5C");
}

TEST(GetField, NetworkPathFieldsOneLevelShort) {
  const std::string path = "\\\\srv\\share\\dir";
  EXPECT_EQ(GetField(path, "\\", 0), "");
  EXPECT_EQ(GetField(path, "\\", 1), "");
  EXPECT_EQ(GetField(path, "\\", 2), "srv");
  EXPECT_EQ(GetField(path, "\\", 3), "share");
}

}  // namespace
}  // namespace pagelark
