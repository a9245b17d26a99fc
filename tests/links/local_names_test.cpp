#include <gtest/gtest.h>

#include "links/LocalNames.h"

namespace pagelark {
namespace {

// Only a lead byte with no trail byte behind it is escaped: a run of lead
// bytes pairs up from its start, and bytes that lead nothing stay.
TEST(EscapeLoneLeadBytes, EscapesOnlyLeadBytesThatStandAlone) {
  const std::pair<const char*, const char*> cases[] = {
      {"a\x84/b", "a%84/b"},
      {"x\x9F", "x%9f"},
      {"\x81\x81\x81", "\x81\x81%81"},
      {"\x95\x5C\x81\x40", "\x95\x5C\x81\x40"},
      {"\x80\xA0\xFD", "\x80\xA0\xFD"},
      {"", ""},
  };
  for (const auto& [text, escaped] : cases) EXPECT_EQ(EscapeLoneLeadBytes(text), escaped) << text;
}

TEST(ToLocalForm, LowersAndTurnsSlashesIntoBackslashes) {
  EXPECT_EQ(ToLocalForm("http://Host:81/A/b.HTML"), "http\\host81\\a\\b.html");
  EXPECT_EQ(ToLocalForm("http://host:81/Dir/"), "http\\host81\\dir\\");
  EXPECT_EQ(ToLocalForm("a b/%41?Q=1"), "a b\\%41?q=1");
  EXPECT_EQ(ToLocalForm("a///b"), "a\\\\b");
  // A double-byte character keeps its trail byte "A" (処).
  EXPECT_EQ(ToLocalForm("http://h/\x8F\x41/X"), "http\\h\\\x8F\x41\\x");
  // A lone lead byte is escaped: the "/" or ":" behind it never joins it to
  // what follows, and the letters are lowered as they stand in the result.
  EXPECT_EQ(ToLocalForm("a\x84/b"), "a%84\\b");
  EXPECT_EQ(ToLocalForm("h/\x83:A/B"), "h\\%83a\\b");
  EXPECT_EQ(ToLocalForm("\x84:\x84\x41"), "%84\x84\x41");  // the "A" stays a trail byte
}

TEST(StripReserved, RemovesReservedCharactersAfterTheMarker) {
  EXPECT_EQ(StripReserved("a?b*c**d:e|f", '?'), "a?bcdef");
  EXPECT_EQ(StripReserved("a:b?c?d/e\\f\"g<h>i", '?'), "a:b?c?defghi");
  EXPECT_EQ(StripReserved("plain", '?'), "plain");
  // ポ ends in "|" and 表 in "\": both stay whole.
  EXPECT_EQ(StripReserved("a?\x83\x7C|\x95\x5C\\", '?'), "a?\x83\x7C\x95\x5C");
  // A lone lead byte behind the marker is escaped before the "*" goes.
  EXPECT_EQ(StripReserved("\x83?\x83*\x94\x5C", '?'), "\x83?%83\x94\x5C");
}

TEST(QueryPageName, MakesAnHtmlNameFromTheQuery) {
  EXPECT_EQ(QueryPageName("list.cgi?page=2"), "list.cgipage=2.html");
  EXPECT_EQ(QueryPageName("a.html"), "a.html");
  EXPECT_EQ(QueryPageName("x?a=1?b=2/c"), "xa=1b=2c.html");
  EXPECT_EQ(QueryPageName("x\x84?\x84?A"), "x%84%84A.html");
  EXPECT_EQ(QueryPageName("d\\e:f?g\x83\x5C:*h\\|"), "d\\e:fg\x83\x5Ch.html");
}

TEST(QueryFileName, MovesTheScriptExtensionBehindTheQuery) {
  EXPECT_EQ(QueryFileName("pic.cgi?id=7"), "picid=7.cgi");
  EXPECT_EQ(QueryFileName("show?img=a.png"), "showimg=a.png.jpg");
  EXPECT_EQ(QueryFileName("get?id=7"), "getid=7.jpg");
  EXPECT_EQ(QueryFileName("a.gif"), "a.gif");
  EXPECT_EQ(QueryFileName("x.cgi?f=y.cgi"), "x.cgif=y.cgi.jpg");        // last "." after the "?"
  EXPECT_EQ(QueryFileName("a.cgi.cgi?q"), "aq.cgi");                    // every ".cgi" goes
  EXPECT_EQ(QueryFileName("a.?x"), "ax.");                              // empty extension
  EXPECT_EQ(QueryFileName("x.cgi?\x83*\x94\x5C"), "x%83\x94\x5C.cgi");  // no "\" set free
}

TEST(RequisiteFileName, PutsTheQueryBeforeThePathsExtension) {
  EXPECT_EQ(RequisiteFileName("pydoctheme.css?2022.1"), "pydoctheme2022.1.css");
  EXPECT_EQ(RequisiteFileName("_static\\app.js?v=1&x=\"2\""), "_static\\appv=1&x=2.js");
  EXPECT_EQ(RequisiteFileName("a.b\\font?x"), QueryFileName("a.b\\font?x"));  // no extension in the name
  EXPECT_EQ(RequisiteFileName("style.css"), "style.css");
}

}  // namespace
}  // namespace pagelark
