#include <gtest/gtest.h>

#include "links/DownloadFilters.h"

namespace pagelark {
namespace {

TEST(IsPageUrl, LooksForPageMarksAnywhereOrAFinalSlash) {
  const char* pages[] = {"http://host/dir/",      "http://host/list.cgi?x=1", "http://host/docs.htm/pic.jpg",
                         "http://host/style.css", "http://host/A.HTML",       "http://host/x.shtml"};
  for (const char* url : pages) EXPECT_TRUE(IsPageUrl(url)) << url;
  const char* files[] = {"http://host/pic.jpg", "", "http://host/dir", "http://host/page.jsp"};
  for (const char* url : files) EXPECT_FALSE(IsPageUrl(url)) << url;
}

TEST(IsWantedKind, MatchesChosenExtensionsWithLetterCase) {
  CrawlSettings settings;
  EXPECT_TRUE(IsWantedKind(settings, "http://host/A.JPG"));  // all kinds
  settings.allKinds = false;
  settings.kinds = {"htm", "html"};
  EXPECT_FALSE(IsWantedKind(settings, "http://host/A.JPG"));
  EXPECT_FALSE(IsWantedKind(settings, "http://host/PAGE.HTM"));
  EXPECT_TRUE(IsWantedKind(settings, "http://host/page.html"));
  EXPECT_TRUE(IsWantedKind(settings, "http://host/x.htm/y.gif"));
}

class AdmissionTest : public ::testing::Test {
 protected:
  AdmissionTest() {
    state.serverName = "host";
    state.startFolderUrl = "http://host/a/b/";
    state.maxDuplicateLinksValue = 2;
  }

  bool Admits(std::string_view url, std::string_view tagText = "") {
    return PassesAdmissionTests(url, tagText, settings, state);
  }

  CrawlSettings settings;
  LinkState state;
};

TEST_F(AdmissionTest, SameServerIsACaseSensitiveSubstring) {
  settings.sameServerOnly = true;
  EXPECT_TRUE(Admits("http://other/host/x.html"));
  EXPECT_FALSE(Admits("http://HOST/x.html"));
  settings.sameServerOnly = false;
  EXPECT_TRUE(Admits("http://HOST/x.html"));
}

TEST_F(AdmissionTest, EnableListPassesTheStartFolderOrAnEntry) {
  settings.useFilter = settings.useEnableList = true;
  EXPECT_TRUE(Admits("http://host/a/b/x.html"));
  EXPECT_FALSE(Admits("http://host/abc/x.html"));  // empty list: only the start folder
  EXPECT_FALSE(Admits("http://host/A/B/x.html"));  // the start folder test counts letter case
  settings.enableUrls = {"ABC"};
  EXPECT_TRUE(Admits("http://host/abc/x.html"));
  settings.useFilter = false;
  EXPECT_TRUE(Admits("http://host/zzz/x.html"));
}

TEST_F(AdmissionTest, DisableListDropsAnEntryInAnyCase) {
  settings.useFilter = settings.useDisableList = true;
  settings.disableUrls = {"/Ads/"};
  EXPECT_FALSE(Admits("http://host/ads/x.gif"));
  EXPECT_TRUE(Admits("http://host/a/x.gif"));
}

TEST_F(AdmissionTest, MailLinksAreDroppedWithoutARecord) {
  settings.belowStartUrlOnly = true;
  EXPECT_FALSE(Admits("http://host/MailTools/x.html", "<a href=x>"));
  EXPECT_TRUE(state.outsideLinks.empty());
}

TEST_F(AdmissionTest, AMailWordBehindALeadByteIsNoMailLink) {
  EXPECT_TRUE(Admits("http://host/\x83mailto.html"));
  EXPECT_FALSE(Admits("http://host/\x83\x40mAILTO.html"));
}

TEST_F(AdmissionTest, BelowTheStartUrlRecordsWhatTheSavedPageLoses) {
  settings.belowStartUrlOnly = true;
  EXPECT_TRUE(Admits("http://host/a/b/c/x.html", "<a href=c/x.html>"));
  EXPECT_TRUE(Admits("HTTP://HOST/A/B/x.html", "<a>"));
  EXPECT_FALSE(Admits("http://host/a/", "<a href=\"..\">"));
  EXPECT_FALSE(Admits("http://host/a/x.html", "<a href=\"../x.html\">"));
  EXPECT_FALSE(Admits("http://other/a/b/c.html", "<a href=\"http://other/a/b/c.html\">"));
  EXPECT_FALSE(Admits("http://other/a/b/d.html"));  // no tag text: nothing recorded
  EXPECT_EQ(state.outsideLinks,
            (std::vector<std::string>{"<a href=\"..\">", "http://host/a/x.html", "http://other/a/b/c.html"}));
}

TEST_F(AdmissionTest, KindAndParentStepTestsComeLast) {
  settings.allKinds = false;
  settings.kinds = {"gif"};
  EXPECT_TRUE(Admits("http://host/a/b/x.html"));
  EXPECT_TRUE(Admits("http://host/a/b/x.gif"));
  EXPECT_FALSE(Admits("http://host/a/b/x.jpg"));
  settings.belowStartUrlOnly = true;
  state.startFolderUrl = "http://host/a/";
  EXPECT_FALSE(Admits("http://host/a/../x.html"));
}

// The two rules cap the record at different sizes and remove by index.
TEST(RecordOutsideLink, RemovesTheEntryAtTheLimitIndex) {
  std::vector<std::string> record;
  for (const char* entry : {"a", "b", "c"}) RecordOutsideLink(record, entry, 2);
  EXPECT_EQ(record, (std::vector<std::string>{"a", "b"}));
  RecordOutsideLink(record, "d", 1);  // already longer than this limit: index 1 goes
  EXPECT_EQ(record, (std::vector<std::string>{"a", "d"}));
  RecordOutsideLink(record, "e", 0);
  EXPECT_EQ(record, (std::vector<std::string>{"d", "e"}));
  RecordOutsideLink(record, "f", -5);
  EXPECT_EQ(record, (std::vector<std::string>{"e", "f"}));
}

TEST_F(AdmissionTest, OutsideLinkRecordsHaveTwoLimits) {
  settings.belowStartUrlOnly = true;
  state.maxDuplicateLinksValue = 1;
  for (int i = 0; i < 3; ++i) Admits("http://host/", "<a " + std::to_string(i) + ">");
  EXPECT_EQ(state.outsideLinks, (std::vector<std::string>{"<a 0>"}));
  for (int i = 0; i < 120; ++i) Admits("http://x/" + std::to_string(i) + "/a/b/c", "<a>");
  ASSERT_EQ(state.outsideLinks.size(), 100u);
  EXPECT_EQ(state.outsideLinks.back(), "http://x/98/a/b/c");
}

}  // namespace
}  // namespace pagelark
