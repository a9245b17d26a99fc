#include <gtest/gtest.h>

#include "links/PageEncoding.h"
#include "platform/cp932.h"

namespace pagelark {
namespace {

using E = PageEncoding;

std::string Sjis(const char* utf8) { return cp932::FromUtf8(utf8); }

TEST(DetectPageEncoding, HeaderThenMarkThenMetaThenGuess) {
  const std::string sjisText = Sjis("<p>日本語のページ</p>");
  const std::string eucText = cp932::Utf8ToEucJp("<p>日本語のページ</p>");
  const struct {
    const char* contentType;
    std::string page;
    E expected;
  } cases[] = {
      {"text/html; charset=EUC-JP", "<p>\xE6\x97\xA5</p>", E::kEucJp},  // the header wins
      {"text/html", "\xEF\xBB\xBF<p>x</p>", E::kUtf8},
      {"", "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\xE6\x97\xA5", E::kCp932},
      {"", "<meta charset='utf-8'>" + sjisText, E::kUtf8},
      {"", "<p>\xE6\x97\xA5\xE6\x9C\xAC</p>", E::kUtf8},
      {"", eucText, E::kEucJp},
      {"", sjisText, E::kCp932},
      {"", "<p>ascii</p>", E::kCp932},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectPageEncoding(c.contentType, c.page), c.expected) << c.page;
}

// Raw and escaped forms of one name are one URL in CP932; a character CP932
// lacks stays (or becomes) its UTF-8 escapes; the query keeps the page's bytes.
TEST(LinkToSystem, PathsInCp932QueriesAsThePageHasThem) {
  const std::string shashin = Sjis("写真");
  const struct {
    std::string link;
    E encoding;
    std::string expected;
  } cases[] = {
      {"\xE5\x86\x99\xE7\x9C\x9F.png", E::kUtf8, shashin + ".png"},
      {"%E5%86%99%e7%9c%9f.png", E::kUtf8, shashin + ".png"},
      {"%E5%86%99%E7%9C%9F.png", E::kCp932, shashin + ".png"},
      {shashin + "/a.png", E::kCp932, shashin + "/a.png"},
      {cp932::Utf8ToEucJp("写真") + ".png", E::kEucJp, shashin + ".png"},
      {"\xF0\x9F\x98\x80.png", E::kUtf8, "%F0%9F%98%80.png"},  // an emoji
      {"a%20b%2F%E5.png", E::kUtf8, "a%20b%2F%E5.png"},        // ASCII escapes and a broken one stay
      {"x.cgi?q=\xE5\x86\x99", E::kUtf8, "x.cgi?q=%E5%86%99"},
      {"x.cgi?q=" + shashin, E::kCp932, "x.cgi?q=" + shashin},
  };
  for (const auto& c : cases) EXPECT_EQ(LinkToSystem(c.link, c.encoding), c.expected) << c.link;
}

TEST(SystemToPage, WritesInThePagesEncoding) {
  const std::string path = Sjis("画像\\写真.png");
  EXPECT_EQ(SystemToPage(path, E::kUtf8), "画像\\写真.png");
  EXPECT_EQ(SystemToPage(path, E::kEucJp), cp932::Utf8ToEucJp("画像\\写真.png"));
  EXPECT_EQ(SystemToPage(path, E::kCp932), path);
  EXPECT_EQ(SystemToPage("http://h/%F0%9F.png", E::kUtf8), "http://h/%F0%9F.png");
}

}  // namespace
}  // namespace pagelark
