#include <gtest/gtest.h>

#include "links/AddCandidate.h"
#include "messages/RunTexts.h"
#include "support/FakeHost.h"

namespace pagelark {
namespace {

using Result = CandidateOutcome::Result;

constexpr const char* kPage = "http://host/a/b/p.html";

class AddCandidateTest : public ::testing::Test {
 protected:
  CandidateOutcome Add(std::string_view link, std::string_view kind = kKindUrl, std::string_view tagText = "") {
    return AddCandidate(kPage, link, kind, tagText, state, host);
  }

  test::FakeHost host;
  LinkState state;
};

TEST_F(AddCandidateTest, TellsWhatBecameOfTheLink) {
  CandidateOutcome outcome = Add("../x.html");
  EXPECT_EQ(outcome.result, Result::kAdded);
  EXPECT_EQ(outcome.url, "http://host/a/x.html");
  outcome = Add("./../x.html", kKindSrc);
  EXPECT_EQ(outcome.result, Result::kListed);
  EXPECT_TRUE(outcome.downloaded());
  host.settings.sameServerOnly = true;
  state.serverName = "host";
  outcome = Add("http://other/y.html");
  EXPECT_EQ(outcome.result, Result::kDropped);
  EXPECT_EQ(outcome.url, "http://other/y.html");
  EXPECT_EQ(state.candidates.Urls(), std::vector<std::string>{"http://host/a/x.html"});
  EXPECT_EQ(state.candidates.Kind(0), "url");
}

// Listing compares whole texts, letter case included; a URL whose stored name
// another URL of the run holds (letter case aside) is dropped with its
// failure line instead of overwriting that file.
TEST_F(AddCandidateTest, DuplicatesAreWholeTextsAndStoredNamesAreNeverShared) {
  Add("x.html");
  EXPECT_EQ(Add("x.html").result, Result::kListed);
  EXPECT_EQ(Add("X.html").result, Result::kDropped);
  EXPECT_EQ(host.lines, std::vector<std::string>{"\thttp://host/a/b/X.html" + std::string(msg::kFailed)});
  state.candidates.Append("http://host/a/b/y.html", "url");  // a start URL
  EXPECT_EQ(Add("y.html").result, Result::kListed);
  EXPECT_EQ(Add(std::string_view("n\0.gif", 6), kKindSrc).url, "http://host/a/b/n%00.gif");
  EXPECT_EQ(state.candidates.Urls(),
            (std::vector<std::string>{"http://host/a/b/x.html", "http://host/a/b/y.html", "http://host/a/b/n%00.gif"}));
}

// A file link to a folder is listed as a page, so that an anchor to the
// folder finds it listed with the kind it needs.
TEST_F(AddCandidateTest, AFileLinkToAFolderIsListedAsAPage) {
  for (const char* link : {"dir/", "."}) {
    const CandidateOutcome outcome = Add(link, kKindSrc);
    EXPECT_EQ(outcome.result, Result::kAdded) << link;
    EXPECT_EQ(outcome.kind, kKindUrl) << link;
    EXPECT_EQ(Add(link).kind, kKindUrl) << link;
  }
  ASSERT_EQ(state.candidates.size(), 2u);
  EXPECT_EQ(state.candidates.Kind(0), "url");
  EXPECT_EQ(state.candidates.Kind(1), "url");
}

TEST_F(AddCandidateTest, OtherSchemesAreNeverCandidatesNorRecorded) {
  host.settings.belowStartUrlOnly = true;
  state.startFolderUrl = "http://host/a/b/";
  for (const char* link : {"mailto:me@host", "javascript:go()", "ftp://host/a/b/x", "data:,x"}) {
    const CandidateOutcome outcome = Add(link, kKindUrl, "<a href=x>");
    EXPECT_EQ(outcome.result, Result::kDropped) << link;
    EXPECT_EQ(outcome.url, link);
  }
  EXPECT_EQ(state.candidates.size(), 0u);
  EXPECT_TRUE(state.outsideLinks.empty());
}

TEST_F(AddCandidateTest, ReadsTheSettingsAtEachCall) {
  host.settings.allKinds = false;
  host.settings.kinds = {"gif"};
  EXPECT_EQ(Add("a.jpg", kKindSrc).result, Result::kDropped);
  host.settings.kinds = {"jpg"};
  EXPECT_EQ(Add("a.jpg", kKindSrc).result, Result::kAdded);
}

TEST_F(AddCandidateTest, ShowsEveryHundredthUrlInTheStatusLine) {
  for (int i = 0; i < 250; ++i) {
    Add("p" + std::to_string(i) + ".html");
    Add("p" + std::to_string(i) + ".html");  // listed already: no count
  }
  // "100件目を追加中", "200件目を追加中"
  EXPECT_EQ(host.statuses, (std::vector<std::string>{"100\x8C\x8F\x96\xDA\x82\xF0\x92\xC7\x89\xC1\x92\x86",
                                                     "200\x8C\x8F\x96\xDA\x82\xF0\x92\xC7\x89\xC1\x92\x86"}));
}

}  // namespace
}  // namespace pagelark
