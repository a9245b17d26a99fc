#include <gtest/gtest.h>

#include "links/LocalNames.h"

namespace pagelark {
namespace {

TEST(ToLocalForm, LowersAndTurnsSlashesIntoBackslashes) {
  EXPECT_EQ(ToLocalForm("http://Host:81/A/b.HTML"), "http\\host81\\a\\b.html");
  EXPECT_EQ(ToLocalForm("http://host:81/Dir/"), "http\\host81\\dir\\");
  EXPECT_EQ(ToLocalForm("a b/%41?Q=1"), "a b\\%41?q=1");
  EXPECT_EQ(ToLocalForm("a///b"), "a\\\\b");
  // A double-byte character keeps its trail byte "A" (処).
  EXPECT_EQ(ToLocalForm("http://h/\x8F\x41/X"), "http\\h\\\x8F\x41\\x");
}

TEST(StripReserved, RemovesReservedCharactersAfterTheMarker) {
  EXPECT_EQ(StripReserved("a?b*c**d:e|f", '?'), "a?bcdef");
  EXPECT_EQ(StripReserved("a:b?c?d/e\\f\"g<h>i", '?'), "a:b?c?defghi");
  EXPECT_EQ(StripReserved("plain", '?'), "plain");
  // ポ ends in "|" and 表 in "\": both stay whole.
  EXPECT_EQ(StripReserved("a?\x83\x7C|\x95\x5C\\", '?'), "a?\x83\x7C\x95\x5C");
}

TEST(QueryPageName, MakesAnHtmlNameFromTheQuery) {
  EXPECT_EQ(QueryPageName("list.cgi?page=2"), "list.cgipage=2.html");
  EXPECT_EQ(QueryPageName("a.html"), "a.html");
  EXPECT_EQ(QueryPageName("x?a=1?b=2/c"), "xa=1b=2c.html");
}

TEST(QueryFileName, MovesTheScriptExtensionBehindTheQuery) {
  EXPECT_EQ(QueryFileName("pic.cgi?id=7"), "picid=7.cgi");
  EXPECT_EQ(QueryFileName("show?img=a.png"), "showimg=a.png.jpg");
  EXPECT_EQ(QueryFileName("get?id=7"), "getid=7.jpg");
  EXPECT_EQ(QueryFileName("a.gif"), "a.gif");
  EXPECT_EQ(QueryFileName("x.cgi?f=y.cgi"), "x.cgif=y.cgi.jpg");  // last "." after the "?"
  EXPECT_EQ(QueryFileName("a.cgi.cgi?q"), "aq.cgi");              // every ".cgi" goes
  EXPECT_EQ(QueryFileName("a.?x"), "ax.");                        // empty extension
}

}  // namespace
}  // namespace pagelark
