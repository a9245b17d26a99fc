// The harness's own parts: the tokenizer, the comparison outside attribute
// values and link resolution on small texts, and each mirror check on a
// made-up site and mirror.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "sites/SiteChecks.h"
#include "support/TempDir.h"

namespace pagelark::test {
namespace {

std::vector<std::string> Values(std::string_view html) {
  std::vector<std::string> found;
  for (const AttributeValue& value : ScanAttributeValues(html)) {
    found.push_back(value.name + "=" + std::string(html.substr(value.begin, value.end - value.begin)));
  }
  return found;
}

TEST(SiteChecks, FindsTheAttributeValuesOfStartTags) {
  const struct {
    std::string_view html;
    std::vector<std::string> values;
  } cases[] = {
      {"<a href=\"x.html\" title='T \"q\"'>x</a>", {"href=x.html", "title=T \"q\""}},
      {"<A HREF=x.html>", {"href=x.html"}},
      {"<img src = \"a b.png\" alt><br/>", {"src=a b.png"}},
      {"<a href=\"\">", {"href="}},
      {"<!-- <a href=\"c.html\"> --><a href=\"d.html\">", {"href=d.html"}},
      {"<script src=\"s.js\">var a = '<a href=\"e.html\">';</SCRIPT><p class=x>", {"src=s.js", "class=x"}},
      {"<style>a[href=\"f\"] {}</style>", {}},
      {"</a href=\"g\"> <!DOCTYPE html> a < b <?xml v=\"1\"?>", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Values(c.html), c.values) << c.html;
}

TEST(SiteChecks, AllowsChangesOnlyInWholeAttributeValues) {
  const struct {
    std::string_view served;
    std::string_view saved;
    bool same;
    std::size_t servedAt;  // where a difference is found
  } cases[] = {
      {"<a href=\"../x.html\">X</a>", "<a href=\"../x.html\">X</a>", true, 0},
      {"<a href=\"../x.html#y\">X</a>", "<a href=\"..\\x.html#y\">X</a>", true, 0},
      {"<a href=\"\">X</a>", "<a href=\"index.html\">X</a>", true, 0},
      {"<a href=x.html>X</a>", "<a href=y\\x.html>X</a>", true, 0},
      {"<a title=\"a b\" href=\"x\">", "<a title=\"a b\" href=\"y\">", true, 0},
      {"<a href=\"x\">About</a>", "<a href=\"x\">about</a>", false, 12},
      {"<a href=\"x\">X</a>", "<a href=\"a b\">X</a>", false, 9},
      {"<a href=\"x\">X</a>", "<a href=\"x>X</a>", false, 9},
      {"<!-- <a href=\"x\"> -->", "<!-- <a href=\"y\"> -->", false, 14},
      {"<script>f('alue')</script>", "<script>f('alue.html')</script>", false, 15},
      {"<p>", "<p>x", false, 3},
      {"<p>x", "<p>", false, 3},
  };
  for (const auto& c : cases) {
    const PageDifference difference = CompareOutsideValues(c.served, c.saved);
    EXPECT_EQ(difference.same, c.same) << c.served << " / " << c.saved;
    if (!c.same) {
      EXPECT_EQ(difference.servedAt, c.servedAt) << c.served << " / " << c.saved;
    }
  }
}

TEST(SiteChecks, ResolvesLinksOnTheServedSite) {
  const struct {
    std::string_view value;
    std::optional<std::string> path;
  } cases[] = {
      {"c.html", "a/c.html"},
      {"git-web&#45;&#x2D;browse.html#o", "a/git-web--browse.html"},
      {"../c.html#x", "c.html"},
      {"/c.html?q=1", "c.html"},
      {"..\\..\\c.html", "c.html"},
      {"./", "a/"},
      {"http://127.0.0.1:8080/d/", "d/"},
      {"//127.0.0.1:8080/e%20f.html", "e f.html"},
      {"https://example.org/x.html", std::nullopt},
      {"mailto:x@example.org", std::nullopt},
      {"#top", std::nullopt},
      {"?q=1", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveOnSite("a/b.html", c.value, "http://127.0.0.1:8080"), c.path) << c.value;
  }
}

void Write(const std::filesystem::path& path, std::string_view text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// One fault of each kind: a twin with text lower-cased, an empty picture, a
// link written as the download folder's path, a page never fetched, a
// request for text taken as a link; and one broken link of the site.
TEST(SiteChecks, FindsEachFaultOfAMadeUpMirror) {
  const TempDir dir;
  const MirroredSite mirrored{dir.native() / "site", dir.native() / "dl", dir.native() / "dl/http/127.0.0.18080",
                              "http://127.0.0.1:8080",
                              "\thttp://127.0.0.1:8080/gone.htmlのダウンロードに失敗しました。\n"
                              "\thttp://127.0.0.1:8080/>Pageのダウンロードに失敗しました。\n"
                              "\thttp://127.0.0.1:8080/p.pngのダウンロードに成功しました。\n"};
  const std::string rest = " <a href=gone.html>x</a> <a href=\"b.html\">b</a><img src=\"p.png\">";
  Write(mirrored.site / "index.html", "<a href=\"A/Page.html\">Page</a>" + rest);
  Write(mirrored.site / "A/Page.html", "<a href=\"/index.html\">Top</a>");
  Write(mirrored.site / "b.html", "<p>b</p>");
  Write(mirrored.site / "p.png", "png");
  Write(mirrored.mirror / "index.html", "<a href=\"a\\page.html\">Page</a>" + rest);
  Write(mirrored.mirror / "index.htm", "<a href=\"a\\page.html\">page</a>" + rest);
  Write(mirrored.mirror / "a/page.html", "<a href=\"" + mirrored.downloadFolder.string() + "\\index.html\">Top</a>");
  Write(mirrored.mirror / "p.png", "");

  const Findings changed = ChangedFiles(mirrored);
  EXPECT_EQ(changed.count, 2u) << Describe(changed, "changed");
  ASSERT_FALSE(changed.examples.empty());
  EXPECT_TRUE(changed.examples[0].starts_with("index.htm line 1 (letter case): ")) << changed.examples[0];
  EXPECT_EQ(EmptyFiles(mirrored).examples, std::vector<std::string>{"p.png"});
  EXPECT_EQ(FileSystemPathLinks(mirrored).count, 1u);
  EXPECT_EQ(MissingPages(mirrored).examples, std::vector<std::string>{"b.html (linked from index.html)"});
  const std::map<std::string, std::string> broken = BrokenLinks(mirrored);
  EXPECT_EQ(broken, (std::map<std::string, std::string>{{"gone.html", "index.html"}}));
  EXPECT_EQ(UnexpectedFailures(mirrored, broken).examples, std::vector<std::string>{"http://127.0.0.1:8080/>Page"});
  EXPECT_TRUE(UnreportedBrokenLinks(mirrored, broken).empty());
  MirroredSite unreported = mirrored;
  unreported.progress.clear();
  EXPECT_EQ(UnreportedBrokenLinks(unreported, broken).count, 1u);
}

}  // namespace
}  // namespace pagelark::test
