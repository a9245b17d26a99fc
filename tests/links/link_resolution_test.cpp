#include <gtest/gtest.h>

#include "links/LinkResolution.h"
#include "links/UriReference.h"

namespace pagelark {
namespace {

struct ResolveCase {
  const char* link;
  const char* url;
};

// RFC 3986 section 5.4.1.
TEST(ResolveLink, NormalExamplesOfTheRfc) {
  const ResolveCase cases[] = {
      {"g:h", "g:h"},
      {"g", "http://a/b/c/g"},
      {"./g", "http://a/b/c/g"},
      {"g/", "http://a/b/c/g/"},
      {"/g", "http://a/g"},
      {"//g", "http://g"},
      {"?y", "http://a/b/c/d;p?y"},
      {"g?y", "http://a/b/c/g?y"},
      {"#s", "http://a/b/c/d;p?q#s"},
      {"g#s", "http://a/b/c/g#s"},
      {"g?y#s", "http://a/b/c/g?y#s"},
      {";x", "http://a/b/c/;x"},
      {"g;x", "http://a/b/c/g;x"},
      {"g;x?y#s", "http://a/b/c/g;x?y#s"},
      {"", "http://a/b/c/d;p?q"},
      {".", "http://a/b/c/"},
      {"./", "http://a/b/c/"},
      {"..", "http://a/b/"},
      {"../", "http://a/b/"},
      {"../g", "http://a/b/g"},
      {"../..", "http://a/"},
      {"../../", "http://a/"},
      {"../../g", "http://a/g"},
  };
  for (const ResolveCase& c : cases) EXPECT_EQ(ResolveLink("http://a/b/c/d;p?q", c.link), c.url) << c.link;
}

// RFC 3986 section 5.4.2, strict parser.
TEST(ResolveLink, AbnormalExamplesOfTheRfc) {
  const ResolveCase cases[] = {
      {"../../../g", "http://a/g"},
      {"../../../../g", "http://a/g"},
      {"/./g", "http://a/g"},
      {"/../g", "http://a/g"},
      {"g.", "http://a/b/c/g."},
      {".g", "http://a/b/c/.g"},
      {"g..", "http://a/b/c/g.."},
      {"..g", "http://a/b/c/..g"},
      {"./../g", "http://a/b/g"},
      {"./g/.", "http://a/b/c/g/"},
      {"g/./h", "http://a/b/c/g/h"},
      {"g/../h", "http://a/b/c/h"},
      {"g;x=1/./y", "http://a/b/c/g;x=1/y"},
      {"g;x=1/../y", "http://a/b/c/y"},
      {"g?y/./x", "http://a/b/c/g?y/./x"},
      {"g?y/../x", "http://a/b/c/g?y/../x"},
      {"g#s/./x", "http://a/b/c/g#s/./x"},
      {"g#s/../x", "http://a/b/c/g#s/../x"},
      {"http:g", "http:g"},
  };
  for (const ResolveCase& c : cases) EXPECT_EQ(ResolveLink("http://a/b/c/d;p?q", c.link), c.url) << c.link;
}

TEST(ResolveLink, PageRelativeLinksAsBefore) {
  const ResolveCase cases[] = {
      {"x.html", "http://host/a/b/x.html"},
      {"sub/x.html", "http://host/a/b/sub/x.html"},
      {"./x.html", "http://host/a/b/x.html"},
      {"../x.html", "http://host/a/x.html"},
      {"HTTP://Other/y.html", "HTTP://Other/y.html"},
      {"https://Other/Y.html", "https://Other/Y.html"},
      {"httpdocs/a.html", "http://host/a/b/httpdocs/a.html"},
      // Root-relative, scheme-relative, any number of steps up, a leading-dot name.
      {"/x.html", "http://host/x.html"},
      {"//other/x.html", "http://other/x.html"},
      {"../../x.html", "http://host/x.html"},
      {".hidden/x", "http://host/a/b/.hidden/x"},
  };
  for (const ResolveCase& c : cases) EXPECT_EQ(ResolveLink("http://host/a/b/p.html", c.link), c.url) << c.link;
  EXPECT_EQ(ResolveLink("http://host/", "../x"), "http://host/x");
  EXPECT_EQ(ResolveLink("https://host/a/", "//cdn/x.js"), "https://cdn/x.js");
  EXPECT_EQ(ResolveLink("http://host/a/b/", "?q=1"), "http://host/a/b/?q=1");
  // Dot segments in the page's own path, and page URLs that take turns.
  EXPECT_EQ(ResolveLink("http://host/a/./b/../p.html", "x.html"), "http://host/a/x.html");
  EXPECT_EQ(ResolveLink("http://host/a/b/p.html", "x.html"), "http://host/a/b/x.html");
  EXPECT_EQ(ResolveLink("http://host/a/./b/../p.html", "y/.."), "http://host/a/");
}

TEST(ResolveLink, PageUrlsOfNoWebSchemeKeepTheTextualRule) {
  EXPECT_EQ(ResolveLink("host/a/b/p.html", "x.html"), "host/a/b/x.html");
  EXPECT_EQ(ResolveLink("host/a/b/p.html", "/x.html"), "host/a/b/x.html");
  EXPECT_EQ(ResolveLink("host/a/b/p.html", "../x.html"), "host/a/x.html");
  EXPECT_EQ(ResolveLink("host/a/b/p.html", "http://o/y.html"), "http://o/y.html");
}

TEST(ResolveLink, DoubleByteNamesAreNames) {
  // 表 ends in "\", ア in "A": neither is a separator or a scheme letter.
  EXPECT_EQ(ResolveLink("http://h/d/p.html", "\x95\x5C/x.gif"), "http://h/d/\x95\x5C/x.gif");
  EXPECT_EQ(ResolveLink("http://h/d/p.html", "\x83\x41:b"), "http://h/d/\x83\x41:b");
  EXPECT_EQ(ResolveLink("http://h/d/p.html", "../\x83\x41/../y"), "http://h/y");
}

TEST(ResolveLink, BackslashesAreSlashes) {
  EXPECT_EQ(ResolveLink("http://host/g/p1.html", "\\x.html"), "http://host/x.html");
  EXPECT_EQ(ResolveLink("http://host/g/p1.html", "sub\\y.html"), "http://host/g/sub/y.html");
  EXPECT_EQ(ResolveLink("http://host/g/p1.html", "\x95\x5C.html"), "http://host/g/\x95\x5C.html");  // 表
}

TEST(HasOtherScheme, OnlyHttpAndHttpsAreFetched) {
  const char* other[] = {"mailto:a@b", "javascript:void(0)", "ftp://h/x", "data:text/html,x", "C:\\x.html"};
  for (const char* link : other) EXPECT_TRUE(HasOtherScheme(link)) << link;
  const char* web[] = {"http://h/", "HTTPS://h/", "x.html", "a/b:c", "//h/x", "1a:x"};
  for (const char* link : web) EXPECT_FALSE(HasOtherScheme(link)) << link;
}

}  // namespace
}  // namespace pagelark
