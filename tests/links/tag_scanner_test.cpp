#include <gtest/gtest.h>

#include "links/TagScanner.h"

namespace pagelark {
namespace {

struct AttributeCase {
  const char* name;
  std::string text;
  std::string tag;
  std::string attribute;
  std::string value;
  std::size_t position;  // where the caller cuts (when a value is found)
};

TEST(ScanAttribute, ReadsTheValueOfTheNextMatchingTag) {
  const AttributeCase cases[] = {
      {"double quotes, another attribute behind", "x <img src=\"a.gif\" alt=\"b\">", "img", "src", "a.gif", 3},
      {"single quotes", "<IMG SRC='A.gif'>", "img", "src", "a.gif", 1},
      {"blanks around the equals sign", "<img\r\nsrc = \n \"a.gif\">", "img", "src", "a.gif", 1},
      {"unquoted value closed by the tag", "<img src=a.gif>", "img", "src", "a.gif", 1},
      {"unquoted value inside the tag ends at '>'", "<body background=bg.gif><p>", "body", "background", "bg.gif", 1},
      {"unquoted value ends at a line break", "<IMG SRC=img/p1.gif\r\n WIDTH=10>", "img", "src", "img/p1.gif", 1},
      {"a quoted '>' does not close the tag", "<img src=\"a>b.gif\">", "img", "src", "a>b.gif", 1},
      {"empty quoted value", "<img src=\"\">", "img", "src", "", 1},
      {"empty quoted value before another attribute", "<img src='' alt=\"x.gif\">", "img", "src", "", 1},
      {"the word inside another attribute's name", "<img data-src=a.gif src=b.gif>", "img", "src", "b.gif", 1},
      {"fragment only", "<frame src=\"#top\">", "frame", "src", "", 1},
      {"fragment cut", "<frame src=\"b.html#s2\">", "frame", "src", "b.html", 1},
      {"a tag without the attribute is passed over", "<img alt=x><img src=y.gif>", "img", "src", "y.gif", 12},
      {"the attribute word inside a value is no attribute", "<a href=\"img/src.gif\">", "img", "src", "", 1},
      {"the tag word at index 0 is skipped", "img src=a.gif><img src=b.gif>", "img", "src", "b.gif", 15},
      {"a '<' inside a tag opens none", "<p <img src=c.gif>", "img", "src", "c.gif", 1},
      {"no '=' behind the attribute: no value", "<img src \"x\" y>", "img", "src", "", 1},
      {"the tag word only in the text behind a tag", "<p src=a>img<b src=c><img src=d>", "img", "src", "d", 22},
      {"the tag word across the '>'", "<im>g src=a><img src=e>", "img", "src", "e", 13},
  };
  for (const AttributeCase& c : cases) {
    std::size_t position = 999;
    EXPECT_EQ(ScanAttribute(c.text, c.tag, c.attribute, position), c.value) << c.name;
    EXPECT_EQ(position, c.position) << c.name;
  }
}

TEST(ScanAttribute, EndsWhenNoTagMatches) {
  const char* texts[] = {"",
                         "<p>plain</p>",
                         "<img alt=x>",
                         "<img src=a.gif",
                         "img src=a.gif>",
                         "src=a <img",
                         "<p>the img src value</p>",
                         "&lt;img src=&quot;a.gif&quot;&gt;",
                         "<!-- <img src=a.gif> --><!---->",
                         "<script>d.write('<img src=\"' + u + '\">')</script><style>img[src]{}</style>",
                         "<!DOCTYPE img src=a.gif>"};
  for (const char* text : texts) {
    std::size_t position = 7;
    EXPECT_EQ(ScanAttribute(text, "img", "src", position), kScanEnd) << text;
    EXPECT_EQ(position, 7u) << text;
  }
}

struct AnchorCase {
  const char* name;
  std::string text;
  std::string value;
  std::size_t position;
  std::string tagText;  // "-" when the caller's tag text stays as it was
};

TEST(ScanAnchor, ReadsTheHrefUpToTheClosingTag) {
  const AnchorCase cases[] = {
      {"double quotes", "<a href=\"x.html\">x</a>", "x.html", 19, "<a href=\"x.html\">"},
      {"single quotes", "<A HREF='Y.html'>y</A>", "y.html", 19, "<a href='y.html'>"},
      {"unquoted href followed by anchor text", "<a href=next.html>\x8E\x9F\x82\xD6</a>", "next.html", 23,
       "<a href=next.html>"},
      {"fragment only", "<a href=\"#top\">top</a>", "", 19, "<a href=\"#top\">"},
      {"fragment cut", "<a href=\"b.html#s2\">b</a>", "b.html", 22, "<a href=\"b.html#s2\">"},
      {"a style sheet is read from its tag alone", "<link rel=a href=\"s.css\">", "s.css", 1, "-"},
      {"the value is never read behind the tag", "<a href\n>\n=\"late.html\"</a>", "", 23, "<a href\n>"},
      {"an empty value is no link", "<a href=\"\">Copyright</a>", "", 21, "<a href=\"\">"},
      {"the first href that is an attribute", "<a hreflang=en href=y.html>y</a>", "y.html", 29,
       "<a hreflang=en href=y.html>"},
  };
  for (const AnchorCase& c : cases) {
    std::size_t position = 999;
    std::string tagText = "-";
    EXPECT_EQ(ScanAnchor(c.text, "a", "href", position, tagText), c.value) << c.name;
    EXPECT_EQ(position, c.position) << c.name;
    EXPECT_EQ(tagText, c.tagText) << c.name;
  }
}

TEST(ScanAnchor, AnAnchorWithoutClosingTagEndsThePass) {
  std::size_t position = 0;
  std::string tagText;
  EXPECT_EQ(ScanAnchor("<a href=\"x.html\">x <a href=\"y.html\">y", "a", "href", position, tagText), kScanEnd);
  // A closing tag behind the first anchor only serves that one.
  AttributeScanner scanner("<a href=x.html>x</a><a href=y.html>y", "a", "href");
  const ScanResult first = scanner.ScanAnchor(0);
  EXPECT_EQ(first.value, "x.html");
  EXPECT_TRUE(scanner.ScanAnchor(first.next).end);
}

TEST(FindTag, ReturnsTheLowerCasedTagTextAndItsStart) {
  std::size_t position = 0;
  EXPECT_EQ(FindTag("ab <IMG Src=X.gif> c", "img,src", position), "<img src=x.gif>");
  EXPECT_EQ(position, 3u);
  // Every further word must occur in the tag text.
  EXPECT_EQ(FindTag("<img alt=1><img alt=2 src=z>", "IMG,Alt,Src", position), "<img alt=2 src=z>");
  EXPECT_EQ(position, 11u);
  EXPECT_EQ(FindTag("<img alt=1>", "img,src", position), "");
}

// ヂ ends in the byte "a", ド in "h": neither may pass for an ASCII letter.
TEST(Scanners, TrailBytesNeverMatchAWord) {
  std::size_t position = 0;
  std::string tagText;
  EXPECT_EQ(ScanAnchor("<b title=\"\x83\x61\" href=\"x.html\">b</a>", "a", "href", position, tagText), kScanEnd);
  EXPECT_EQ(ScanAnchor("<a title=\x83href=y.html></a>", "a", "href", position, tagText), kScanEnd);
  EXPECT_EQ(ScanAttribute("<p>\x83\x61<img src=\"\x83\x61.gif\">", "img", "src", position), "\x83\x61.gif");
  EXPECT_EQ(position, 6u);
}

}  // namespace
}  // namespace pagelark
