// The help, view, version and home-page commands.
#include <gtest/gtest.h>

#include "WindowHarness.h"
#include "messages/RunTexts.h"
#include "messages/WindowTexts.h"
#include "platform/fs.h"
#include "ui/AboutDlg.h"
#include "ui/ControlIds.h"

namespace pagelark::ui::test {
namespace {

class HelpCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { h.window->OnInitDialog(); }
  WindowHarness h{false};
};

// Each failure says what is missing: the file, or a program to open it.
TEST_F(HelpCommandTest, HelpOpensTheFileBesideTheProgram) {
  h.window->OnCommand(id::kMenuHelp);
  const std::string path = h.programDir.display() + "help/PagelarkCGI.html";
  ASSERT_EQ(h.view.opened.size(), 1u);
  EXPECT_EQ(h.view.opened[0], path);
  EXPECT_TRUE(h.view.messages.empty());

  h.view.openResult = OpenResult::kMissing;
  h.window->OnCommand(id::kToolHelp);
  h.view.openResult = OpenResult::kNoProgram;
  h.window->OnCommand(id::kToolHelp);
  EXPECT_EQ(h.view.messages,
            (std::vector<std::string>{Sjis("HELPファイルがありません。 パス=") + path,
                                      Sjis("HELPファイルを開くプログラムがありません。 パス=") + path}));
}

TEST_F(HelpCommandTest, ViewComposesTheFolderFieldAndTheIndexFile) {
  h.window->SetIndexFile("pages\\index.html");
  struct Case {
    const char* field;
    const char* opened;
  };
  for (const Case& c : {Case{"/dl", "/dl/pages/index.html"}, Case{"/dl/", "/dl/pages/index.html"},
                        Case{"C:\\dl\\", "C:\\dl\\pages/index.html"}}) {
    h.view.opened.clear();
    h.view.at(id::kDownloadFolder).text = c.field;
    h.window->OnCommand(id::kMenuShowHtml);
    ASSERT_EQ(h.view.opened.size(), 1u);
    EXPECT_EQ(h.view.opened[0], c.opened);
  }
  // A folder whose last byte is 0x5C inside a double-byte character still
  // gets its separator.
  h.view.opened.clear();
  h.view.at(id::kDownloadFolder).text = "/\x95\x5C";
  h.window->OnCommand(id::kToolShowHtml);
  EXPECT_EQ(h.view.opened.at(0), "/\x95\x5C/pages/index.html");
  EXPECT_TRUE(h.view.messages.empty());
}

TEST_F(HelpCommandTest, ViewNeedsAFolderAndReportsAFailedOpen) {
  h.view.at(id::kDownloadFolder).text = "";
  h.window->OnCommand(id::kMenuShowHtml);
  EXPECT_TRUE(h.view.opened.empty());
  ASSERT_EQ(h.view.messages.size(), 1u);
  EXPECT_EQ(h.view.messages[0], Sjis("パスが指定されていません"));

  h.view.at(id::kDownloadFolder).text = "/dl";
  h.view.openResult = OpenResult::kMissing;
  h.window->OnCommand(id::kMenuShowHtml);
  EXPECT_EQ(h.view.messages.back(), Sjis("HTMLファイルがありません。 パス=/dl/"));
  h.view.openResult = OpenResult::kNoProgram;
  h.window->OnCommand(id::kMenuShowHtml);
  EXPECT_EQ(h.view.messages.back(), Sjis("HTMLファイルを開くプログラムがありません。 パス=/dl/"));
}

// A run's end message offers the mirror: the folder the run made current.
TEST_F(HelpCommandTest, TheEndOfARunOffersItsFolder) {
  const std::string folder = platform::DisplayPath(platform::CurrentDirectory());
  h.view.answers = {MessageResult::kOk, MessageResult::kOpen, MessageResult::kOpen};
  h.window->ShowRunEnd(msg::kDownloadComplete);
  h.window->ShowRunEnd(msg::kDownloadStopped);
  h.view.openResult = OpenResult::kNoProgram;
  h.window->ShowRunEnd(msg::kDownloadComplete);
  EXPECT_EQ(h.view.opened, (std::vector<std::string>{folder, folder}));
  EXPECT_EQ(h.view.messages.back(), Sjis("フォルダを開くプログラムがありません。 パス=") + folder);
}

TEST_F(HelpCommandTest, VersionDialogAndHomePage) {
  h.view.onAboutDialog = [](CAboutDlg& about) { about.OnHomePage(); };
  h.window->OnCommand(id::kMenuVersion);
  h.window->OnCommand(id::kToolHomePage);
  EXPECT_EQ(h.view.aboutDialogs, 1);
  EXPECT_EQ(h.view.opened, (std::vector<std::string>{kHomePageAddress, kHomePageAddress}));
  h.view.openResult = OpenResult::kNoProgram;
  h.window->OnCommand(id::kToolHomePage);
  EXPECT_EQ(h.view.messages,
            std::vector<std::string>{Sjis("ホームページを開くプログラムがありません。 アドレス=") + kHomePageAddress});
}

}  // namespace
}  // namespace pagelark::ui::test
