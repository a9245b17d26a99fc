#include <gtest/gtest.h>

#include <climits>

#include "links/ScanPass.h"
#include "platform/cp932.h"
#include "support/FakeHost.h"

namespace pagelark {
namespace {

constexpr const char* kPage = "http://host/dir/p.html";

class ScanPassTest : public ::testing::Test {
 protected:
  ScanPassTest() { state.downloadFolder = "D:\\dl\\"; }

  // All five passes, as a page scan runs them.
  std::string Scan(const std::string& text, int maxFiles = INT_MAX) {
    state.BeginPage(text);
    for (const ScanPass& pass : kScanPasses) RunScanPass(pass, kPage, state, host, maxFiles);
    EXPECT_EQ(state.page.pageTextLower(), cp932::ToLower(state.page.pageText()));
    return state.page.pageText();
  }

  std::vector<std::string> Urls() const { return state.candidates.Urls(); }

  test::FakeHost host;
  LinkState state;
};

// A requisite read as a browser reads it (leading blanks dropped) is written
// first; the described pass then reads the whole attribute, which holds that
// local path, and leaves it as it is.
TEST_F(ScanPassTest, AValueHoldingOneWrittenBeforeIsLeftAlone) {
  const std::string page = "<img src=\"\x0C/img/pic.png\">";
  state.BeginPage(page);
  RunRequisitePass(kPage, kPage, PageEncoding::kCp932, state, host, INT_MAX);
  const std::string afterRequisites = state.page.pageText();
  for (const ScanPass& pass : kScanPasses) RunScanPass(pass, kPage, state, host, INT_MAX);
  EXPECT_NE(afterRequisites, page);
  EXPECT_EQ(state.page.pageText(), afterRequisites);
  EXPECT_EQ(state.writtenValues.size(), 1u);
}

// Only the values the scan found change: the same text elsewhere (another
// attribute, the page's text, a comment, a script) stays byte for byte.
TEST_F(ScanPassTest, ReplacesOnlyTheValuesItFound) {
  host.settings.useFilter = host.settings.useDisableList = true;
  host.settings.disableUrls = {"/A.HTML"};
  const std::string rest =
      "<a href=\"data.html\">D</a><p title=\"a.html\">a.html About</p><!-- <a href=\"a.html\">a</a> -->"
      "<script>s='<a href=\"a.html\">'</script><a href=\"\">Copyright</a></li>";
  EXPECT_EQ(Scan("<a href=\"a.html\">A</a>" + rest), "<a href=\"http://host/dir/a.html\">A</a>" + rest);
  EXPECT_EQ(Urls(), std::vector<std::string>{"http://host/dir/data.html"});
}

TEST_F(ScanPassTest, LinksThatAreNotFollowedStayAbsolute) {
  host.settings.sameServerOnly = true;
  state.serverName = "host";
  EXPECT_EQ(Scan("<a href=\"HTTP://Other/X.html\">x</a><img src=\"../../Pic.gif\"><a href=\"mailto:a@b\">m</a>"),
            "<a href=\"HTTP://Other/X.html\">x</a><img src=\"..\\pic.gif\"><a href=\"mailto:a@b\">m</a>");
  EXPECT_EQ(Urls(), std::vector<std::string>{"http://host/Pic.gif"});
}

TEST_F(ScanPassTest, AnchorsToDownloadedFilesAreRewrittenLikeImages) {
  EXPECT_EQ(Scan("<a href=\"Doc/Manual.PDF\">pdf</a><option value=\"/Get?id=1\">"),
            "<a href=\"doc\\manual.pdf\">pdf</a><option value=\"..\\getid=1.html\">");
  ASSERT_EQ(state.candidates.size(), 2u);
  EXPECT_EQ(state.candidates.Kind(0), "src");
  EXPECT_EQ(state.candidates.Kind(1), "cgi");
}

TEST_F(ScanPassTest, RootedLinksGetRelativePaths) {
  EXPECT_EQ(Scan("<frame src=\"/Top.html\"><img src=\"//cdn/A.gif\"><a href=\"sub/\">s</a>"),
            "<frame src=\"..\\top.html\"><img src=\"..\\..\\cdn\\a.gif\"><a href=\"sub\\index.html\">s</a>");
  EXPECT_EQ(Urls(), (std::vector<std::string>{"http://cdn/A.gif", "http://host/dir/sub/", "http://host/Top.html"}));
}

// A value is read as a browser reads it: character references decoded, and
// the "#" of "&#45;" opens no fragment.
TEST_F(ScanPassTest, CharacterReferencesAreDecoded) {
  host.settings.sameServerOnly = true;
  state.serverName = "host";
  const std::string online = "<a href=\"http://other/?a=1&amp;b=2\">o</a><a href=\"//other/x&#45;y\">p</a>";
  EXPECT_EQ(Scan("<a href=\"Web&#45;&#x2D;Browse.html#opt\">w</a><a href=\"q.cgi?a=1&amp;b=2\">q</a>" + online),
            "<a href=\"web--browse.html#opt\">w</a><a href=\"q.cgia=1&b=2.html\">q</a>"
            "<a href=\"http://other/?a=1&amp;b=2\">o</a><a href=\"http://other/x-y\">p</a>");
  EXPECT_EQ(Urls(), (std::vector<std::string>{"http://host/dir/Web--Browse.html", "http://host/dir/q.cgi?a=1&b=2"}));
}

TEST_F(ScanPassTest, ALinkKeepsItsOwnLetterCase) {
  Scan("see IMG/X.gif <img src=\"img/x.gif\"> and <a href=\"B.html\">b</a>");
  EXPECT_EQ(Urls(), (std::vector<std::string>{"http://host/dir/img/x.gif", "http://host/dir/B.html"}));
}

TEST_F(ScanPassTest, LaterPassesSeeTheRewrittenPage) {
  EXPECT_EQ(Scan("<img src=\"http://host/p.gif\"><a href=\"http://host/p.gif\">p</a>"),
            "<img src=\"..\\p.gif\"><a href=\"..\\p.gif\">p</a>");
  EXPECT_EQ(Urls(), std::vector<std::string>{"http://host/p.gif"});
  // The frame pass meets the image pass's local path in the same tag: it is
  // no link of the site any more.
  EXPECT_EQ(Scan("<img src=\"Frame/A.gif\">"), "<img src=\"frame\\a.gif\">");
  EXPECT_EQ(Urls(), (std::vector<std::string>{"http://host/p.gif", "http://host/dir/Frame/A.gif"}));
}

TEST_F(ScanPassTest, StopsWhenTheListHoldsMaxFiles) {
  state.candidates.Append(kPage, "url");
  EXPECT_EQ(Scan("<img src=A.gif><img src=B.gif><a href=c.html>c</a>", 2),
            "<img src=a.gif><img src=B.gif><a href=c.html>c</a>");
  EXPECT_EQ(Urls(), (std::vector<std::string>{kPage, "http://host/dir/A.gif"}));
  // Pass 1 pumped after its first call only; pass 3 stopped before pumping.
  EXPECT_EQ(host.pumpCount, 1);
}

TEST_F(ScanPassTest, PumpsInTheImageAnchorAndOptionPasses) {
  Scan(
      "<body background=b.gif><img src=i.gif><a href=#x>a</a><a href=y.html>y</a>"
      "<option value=o><frame src=f.html>");
  EXPECT_EQ(host.pumpCount, 4);
}

TEST_F(ScanPassTest, OutsideAnchorsAreRecordedWithTheirTagText) {
  host.settings.belowStartUrlOnly = true;
  state.startFolderUrl = "http://host/dir/";
  state.maxDuplicateLinksValue = 5;
  Scan("<a href=\"../\">up</a><a href=\"/other/x.html\">o</a><img src=\"/other/y.gif\">");
  EXPECT_EQ(state.outsideLinks, (std::vector<std::string>{"<a href=\"../\">", "http://host/other/x.html"}));
}

}  // namespace
}  // namespace pagelark
