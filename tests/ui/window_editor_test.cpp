// The extension list editor, the file-kind radio buttons, the counter rows
// and the GET and POST pair.
#include <gtest/gtest.h>

#include "WindowHarness.h"
#include "messages/WindowTexts.h"
#include "ui/ControlIds.h"

namespace pagelark::ui::test {
namespace {

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override { h.window->OnInitDialog(); }

  void Add(const std::string& text) {
    h.view.at(id::kKindEdit).text = text;
    h.window->OnCommand(id::kAddKind);
  }
  std::vector<std::string>& kinds() { return h.view.at(id::kKindList).lines; }

  WindowHarness h;
};

TEST_F(EditorTest, AddsAsTypedAndRefusesDuplicatesWhateverTheirCase) {
  kinds() = {"html"};
  Add("htm");
  EXPECT_EQ(kinds(), (std::vector<std::string>{"html", "htm"}));
  EXPECT_EQ(h.view.at(id::kKindEdit).text, "");
  Add("HTML");
  EXPECT_EQ(h.view.messages.back(), kMsgKindExists);
  EXPECT_EQ(h.view.at(id::kKindEdit).text, "HTML");
  Add(".jpg");
  EXPECT_EQ(kinds().back(), ".jpg");
  Add(" png ");
  EXPECT_EQ(kinds().back(), " png ");
  EXPECT_EQ(h.view.focus, id::kKindEdit);
  EXPECT_EQ(h.view.messages.size(), 1u);
}

TEST_F(EditorTest, RefusesAnEmptyTextAndOneLongerThan63Bytes) {
  kinds().clear();
  Add("");
  ASSERT_EQ(h.view.messages.size(), 1u);
  EXPECT_EQ(h.view.messages[0], kMsgNoKind);
  Add(std::string(64, 'x'));
  ASSERT_EQ(h.view.messages.size(), 2u);
  EXPECT_EQ(h.view.messages[1], kMsgKindTooLong);
  EXPECT_TRUE(kinds().empty());
  Add(std::string(63, 'x'));
  EXPECT_EQ(kinds().size(), 1u);
}

TEST_F(EditorTest, CaseIsFoldedForAsciiLettersOnly) {
  // Two katakana whose trail bytes read "A" and "a": different extensions.
  kinds() = {"\x83\x41"};
  Add("\x83\x61");
  EXPECT_EQ(kinds().size(), 2u);
}

TEST_F(EditorTest, DeleteNeedsASelection) {
  kinds() = {"htm", "html", "png"};
  h.window->OnCommand(id::kDeleteKind);
  EXPECT_EQ(h.view.messages.back(), kMsgNoKindSelected);
  EXPECT_EQ(kinds().size(), 3u);
  h.view.at(id::kKindList).selection = 1;
  h.window->OnCommand(id::kDeleteKind);
  EXPECT_EQ(kinds(), (std::vector<std::string>{"htm", "png"}));
  EXPECT_EQ(h.view.focus, id::kKindList);
}

TEST_F(EditorTest, AllFilesGreysTheEditorAndKeepsTheList) {
  kinds() = {"htm"};
  h.window->OnCommand(id::kSelectKinds);
  for (int c : {id::kKindList, id::kKindEdit, id::kAddKind, id::kDeleteKind}) EXPECT_TRUE(h.view.at(c).enabled);
  EXPECT_FALSE(h.view.at(id::kAllFiles).checked);
  EXPECT_TRUE(h.view.at(id::kSelectKinds).checked);
  h.window->OnCommand(id::kAllFiles);
  for (int c : {id::kKindList, id::kKindEdit, id::kAddKind, id::kDeleteKind}) EXPECT_FALSE(h.view.at(c).enabled);
  EXPECT_TRUE(h.view.at(id::kAllFiles).checked);
  EXPECT_FALSE(h.view.at(id::kSelectKinds).checked);
  EXPECT_EQ(kinds(), (std::vector<std::string>{"htm"}));
}

TEST_F(EditorTest, CounterBoxesEnableTheirOwnRowOnly) {
  for (int row = 0; row < id::kCounterRows; ++row) {
    h.view.at(id::CounterBox(row)).checked = true;
    h.window->OnCommand(id::CounterBox(row));
  }
  h.view.at(id::CounterBox(2)).checked = false;
  h.window->OnCommand(id::CounterBox(2));
  for (int edit : {1116, 1117, 1118}) EXPECT_FALSE(h.view.at(edit).enabled) << edit;
  for (int edit : {1112, 1113, 1114, 1120, 1121, 1122}) EXPECT_TRUE(h.view.at(edit).enabled) << edit;
  h.view.at(id::CounterBox(2)).checked = true;
  h.window->OnCommand(id::CounterBox(2));
  for (int edit : {1116, 1117, 1118}) EXPECT_TRUE(h.view.at(edit).enabled) << edit;
}

TEST_F(EditorTest, GetAndPostShowOppositeStates) {
  struct Case {
    bool get, post;
    int clicked;
    bool wantGet, wantPost;
  };
  // The view has already checked the clicked radio button.
  for (const Case& c : {Case{true, true, id::kGet, true, false}, Case{true, true, id::kPost, false, true},
                        Case{true, false, id::kGet, true, false}, Case{false, true, id::kPost, false, true}}) {
    h.view.at(id::kGet).checked = c.get;
    h.view.at(id::kPost).checked = c.post;
    h.window->OnCommand(c.clicked);
    EXPECT_EQ(h.view.at(id::kGet).checked, c.wantGet);
    EXPECT_EQ(h.view.at(id::kPost).checked, c.wantPost);
  }
}

TEST_F(EditorTest, SettingsGoIntoTheControlsAndComeBackWhole) {
  CrawlSettings s;
  s.startUrl = "http://host/p@a@.html";
  s.downloadFolder = "C:\\dl\\";
  s.maxFiles = "10";
  s.maxDuplicateLinks = "20";
  s.indexFile = "http\\host\\p1.html";
  s.belowStartUrlOnly = s.oneFolder = s.writeLog = true;
  s.allKinds = false;
  s.kinds = {"htm", "", "png"};
  s.requestMethod = RequestMethod::kPost;
  s.counters[0] = {true, "1", "3", "1"};
  s.counters[5] = {false, "7", "", "2"};
  s.enableUrls = {"a", "b"};
  s.disableUrls = {"c"};
  s.useDisableList = true;
  h.window->ApplySettings(s);
  EXPECT_EQ(h.window->CurrentSettings(), s);
  EXPECT_FALSE(h.view.at(id::CounterFrom(5)).enabled);
  EXPECT_TRUE(h.view.at(id::CounterFrom(0)).enabled);
  EXPECT_TRUE(h.view.at(id::kKindList).enabled);

  s.requestMethod = RequestMethod::kNone;
  s.allKinds = true;
  h.window->ApplySettings(s);
  EXPECT_FALSE(h.view.at(id::kGet).checked);
  EXPECT_FALSE(h.view.at(id::kPost).checked);
  EXPECT_FALSE(h.view.at(id::kAddKind).enabled);
  EXPECT_EQ(h.window->CurrentSettings(), s);
}

TEST_F(EditorTest, ARunReadsTheControlsAsTheyAreNow) {
  h.view.at(id::kStartUrl).text = "http://a/";
  const CrawlSettings& first = h.window->CurrentSettings();
  EXPECT_EQ(first.startUrl, "http://a/");
  h.view.at(id::kStartUrl).text = "http://b/";
  h.view.at(id::kOneFolder).checked = true;
  EXPECT_EQ(h.window->CurrentSettings().startUrl, "http://b/");
  EXPECT_TRUE(h.window->CurrentSettings().oneFolder);
}

}  // namespace
}  // namespace pagelark::ui::test
