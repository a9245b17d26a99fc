#include <gtest/gtest.h>

#include "links/LinkRewriting.h"
#include "links/MirrorLayout.h"
#include "links/PathFields.h"
#include "platform/cp932.h"

namespace pagelark {
namespace {

using Result = CandidateOutcome::Result;

constexpr const char* kFolder = "D:\\dl\\";
constexpr const char* kPage = "http://host/dir/p.html";

struct TargetCase {
  const char* link;
  const char* kind;
  const char* url;     // what resolution made of the link
  const char* target;  // what the saved page holds
};

// The page is stored in D:\dl\http\host\dir\: following a target from
// there must reach where the file itself is stored.
std::string Follow(const std::string& target) {
  std::string folder = std::string(kFolder) + "http\\host\\dir\\", rest = target, name;
  while (rest.starts_with("..\\")) {
    SplitPath(folder.substr(0, folder.size() - 1), folder, name, '\\');
    rest.erase(0, 3);
  }
  return folder + (rest.starts_with(".\\") ? rest.substr(2) : rest);
}

std::string Stored(const TargetCase& c) {
  return std::string_view(c.kind) == "src" ? PlaceFile(kFolder, c.url, false).filePath
                                           : PlacePage(kFolder, c.url, false).filePath;
}

TEST(LinkRewriter, DownloadedLinksPointWhereTheFileIsStored) {
  const TargetCase cases[] = {
      // The link's own relative form, where it names the stored file.
      {"Img/Logo.GIF", "src", "http://host/dir/Img/Logo.GIF", "img\\logo.gif"},
      {"sub/B.html", "url", "http://host/dir/sub/B.html", "sub\\b.html"},
      {"./x.html", "url", "http://host/dir/x.html", ".\\x.html"},
      {"../a.html", "url", "http://host/a.html", "..\\a.html"},
      {"list.cgi?page=2", "cgi", "http://host/dir/list.cgi?page=2", "list.cgipage=2.html"},
      {"pic.cgi?id=7", "src", "http://host/dir/pic.cgi?id=7", "picid=7.cgi"},
      {"sub/", "url", "http://host/dir/sub/", "sub\\index.html"},
      {"\x95\x5C/X.gif", "src", "http://host/dir/\x95\x5C/X.gif", "\x95\x5C\\x.gif"},
      {"\x83\x41/Y.gif", "src", "http://host/dir/\x83\x41/Y.gif", "\x83\x41\\y.gif"},
      // Where it does not, the path that does.
      {"?q=1", "cgi", "http://host/dir/p.html?q=1", "p.htmlq=1.html"},
      {"../../x.html", "url", "http://host/x.html", "..\\x.html"},
      {"a.b/pic?x=1", "src", "http://host/dir/a.b/pic?x=1", "a.b\\picx=1.jpg"},
      // Rooted links: relative paths too, so that the mirror can be moved.
      {"/x/y.gif", "src", "http://host/x/y.gif", "..\\x\\y.gif"},
      {"/dir/p2.html", "url", "http://host/dir/p2.html", "p2.html"},
      {"\\dir\\q.html", "url", "http://host/dir/q.html", "q.html"},
      {"//cdn/Y.gif", "src", "http://cdn/Y.gif", "..\\..\\cdn\\y.gif"},
      {"http://host/dir/", "url", "http://host/dir/", "index.html"},
      {"HTTP://Other:81/A.html", "url", "HTTP://Other:81/A.html", "..\\..\\other81\\a.html"},
      {"http://www.host.com/pic?x=1", "src", "http://www.host.com/pic?x=1", "..\\..\\www.host.com\\picx=1.jpg"},
  };
  const LinkRewriter rewriter(kPage);
  for (const TargetCase& c : cases) {
    const std::string target = rewriter.Target(c.link, c.kind, {Result::kAdded, c.url, {}});
    EXPECT_EQ(target, c.target) << c.link;
    EXPECT_EQ(cp932::ToLower(Follow(target)), cp932::ToLower(Stored(c))) << c.link;
    EXPECT_EQ(rewriter.Target(c.link, c.kind, {Result::kListed, c.url, {}}), target) << c.link;
  }
}

// A URL listed first as a file and met again in an anchor is stored as a
// file: the anchor must name that file.
TEST(LinkRewriter, AListedUrlIsNamedByTheKindItWasListedWith) {
  const LinkRewriter rewriter(kPage);
  const std::string url = "http://host/dir/photo.cgi?id=7";
  EXPECT_EQ(rewriter.Target("photo.cgi?id=7", "cgi", {Result::kListed, url, "src"}), "photoid=7.cgi");
  EXPECT_EQ(rewriter.Target("photo.cgi?id=7", "src", {Result::kListed, url, "cgi"}), "photo.cgiid=7.html");
}

TEST(LinkRewriter, LinksThatAreNotDownloadedBecomeTheirUrl) {
  const LinkRewriter rewriter(kPage);
  EXPECT_EQ(rewriter.Target("x.html", "url", {Result::kDropped, "http://host/dir/x.html", {}}),
            "http://host/dir/x.html");
  EXPECT_EQ(rewriter.Target("Mailto:Me@Host", "url", {Result::kDropped, "Mailto:Me@Host", {}}), "Mailto:Me@Host");
  EXPECT_EQ(rewriter.Target("x.html", "url", {Result::kDropped, "", {}}), "x.html");
}

TEST(ReplaceInPage, WholeValuesOnly) {
  PageText page;
  page.Assign("<a href=\"A.HTML\">a.html</a> <a href=data.html>x</a> <a href=a.html>y</a> 'a.html#s' xa.html");
  ReplaceInPage(page, "a.html", "b\\B.html", MatchScope::kWholeValue);
  EXPECT_EQ(page.pageText(),
            "<a href=\"b\\B.html\">a.html</a> <a href=data.html>x</a> <a href=b\\B.html>y</a> 'b\\B.html#s' xa.html");
  EXPECT_EQ(page.pageTextLower(), cp932::ToLower(page.pageText()));
}

TEST(ReplaceInPage, AnywhereCutsEveryOccurrenceIgnoringCase) {
  PageText page;
  page.Assign("<A HREF=\"DATA.html\">x</a> a.htmla.html \x83\x61.html");
  ReplaceInPage(page, "A.html", "", MatchScope::kAnywhere);
  // ヂ ends in "a": its ".html" is no match.
  EXPECT_EQ(page.pageText(), "<A HREF=\"DAT\">x</a>  \x83\x61.html");
  EXPECT_EQ(page.pageTextLower(), cp932::ToLower(page.pageText()));
}

TEST(ValueReplacer, ReplacesOnlyTheGivenValuesAndSkipsOverlaps) {
  PageText page;
  page.Assign("<a href=\"X\">X</a>");
  ValueReplacer replacer;
  replacer.Add(9, 10, "Y\\Z");
  replacer.Add(9, 11, "overlap");
  std::vector<TextSpan> written{{1, 2}, {12, 13}};  // "a" and "X" written before
  replacer.Apply(page, written);
  EXPECT_EQ(page.pageText(), "<a href=\"Y\\Z\">X</a>");
  EXPECT_EQ(written.size(), 3u);
  EXPECT_EQ(page.pageText().substr(written[1].start, written[1].end - written[1].start), "Y\\Z");
  EXPECT_EQ(page.pageText().substr(written[2].start, 1), "X");
  // A later pass leaves a value that lies in a written one or overlaps it.
  const TextSpan value = written[1];
  EXPECT_TRUE(MeetsSpans(written, value.start, value.end));
  EXPECT_TRUE(MeetsSpans(written, value.start - 1, value.end + 1));
  EXPECT_TRUE(MeetsSpans(written, value.start + 1, value.end + 1));
  EXPECT_FALSE(MeetsSpans(written, value.end, value.end + 1));
  EXPECT_FALSE(MeetsSpans(written, value.start - 6, value.start));
  EXPECT_EQ(page.pageTextLower(), cp932::ToLower(page.pageText()));
}

// The rewritten page is the same whether the values are written where they
// stand (texts with room, every stretch moving one way) or into new buffers
// (no room to grow, or stretches moving both ways).
TEST(ValueReplacer, RewritesAlikeInPlaceAndIntoNewBuffers) {
  struct Value {
    std::size_t start;
    std::size_t end;
    const char* target;
  };
  struct Case {
    const char* page;
    std::vector<Value> values;
    const char* rewritten;
  };
  const Case cases[] = {
      {"<a href=A.HTML>B</a><img src=C.GIF>",
       {{8, 14, "X\\Y.HTML"}, {29, 34, "Z\\C.GIF"}},
       "<a href=X\\Y.HTML>B</a><img src=Z\\C.GIF>"},  // grows
      {"<a href=A/B.HTML>x</a><a href=C/D.HTML>",
       {{8, 16, "B.HTML"}, {30, 38, "D"}},
       "<a href=B.HTML>x</a><a href=D>"},                                   // shrinks
      {"<a href=a/b.html>", {{8, 16, "A\\B.html"}}, "<a href=A\\B.html>"},  // same length
      {"<a href=ab>x</a><a href=cd>", {{8, 10, "ABCDEF"}, {24, 26, ""}}, "<a href=ABCDEF>x</a><a href=>"},
      {"<a href=abcdef>x</a><a href=g>",
       {{8, 14, "A"}, {28, 29, "GHIJKLMNOP"}},
       "<a href=A>x</a><a href=GHIJKLMNOP>"},                                             // both ways
      {"\x83\x41<a href=Q>", {{10, 11, "\x83\x41QQQ"}}, "\x83\x41<a href=\x83\x41QQQ>"},  // trail byte "A" stays
  };
  for (const Case& c : cases) {
    for (const bool withRoom : {true, false}) {
      PageText page;
      if (withRoom) {
        page.AssignCopy(c.page);
      } else {
        page.Assign(std::string(c.page));
      }
      ValueReplacer replacer;
      for (const Value& value : c.values) replacer.Add(value.start, value.end, value.target);
      std::vector<TextSpan> written;
      replacer.Apply(page, written);
      EXPECT_EQ(page.pageText(), c.rewritten) << c.page << (withRoom ? " with room" : "");
      EXPECT_EQ(page.pageTextLower(), cp932::ToLower(c.rewritten)) << c.page;
      ASSERT_EQ(written.size(), c.values.size());
      for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(page.pageText().substr(written[i].start, written[i].end - written[i].start), c.values[i].target);
      }
    }
  }
}

}  // namespace
}  // namespace pagelark
