// New, Open, Save and Save as against real profile files.
#include <gtest/gtest.h>

#include "WindowHarness.h"
#include "platform/fs.h"
#include "platform/user_folders.h"
#include "ui/ControlIds.h"

namespace pagelark::ui::test {
namespace {

class ProfileCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.window->OnInitDialog();
    startDir = platform::CurrentDirectory();
  }
  void TearDown() override { platform::SetCurrentDirectory(startDir); }

  std::string Work(const std::string& name) { return work.display() + name; }
  std::string SetIni() {
    std::string bytes;
    platform::ReadFileBytes(h.programDir.display() + "set.ini", bytes);
    return bytes;
  }

  WindowHarness h;
  pagelark::test::TempDir work;
  std::string startDir;
};

TEST_F(ProfileCommandTest, SetIniIsRefusedInAnyCaseByEveryChoosingCommand) {
  const std::string before = h.window->state().profilePath;
  for (int command : {id::kMenuNew, id::kMenuOpen, id::kMenuSaveAs}) {
    h.view.fileReply = Work("SET.INI");
    h.window->OnCommand(command);
    h.view.fileReply = Work("Set.Ini");
    h.window->OnCommand(command);
  }
  ASSERT_EQ(h.view.messages.size(), 6u);
  for (const std::string& m : h.view.messages) EXPECT_EQ(m, Sjis("set.iniは設定ファイルとして使用できません"));
  EXPECT_EQ(h.window->state().profilePath, before);
  EXPECT_TRUE(work.List().empty());
  EXPECT_TRUE(h.programDir.List().empty());
}

TEST_F(ProfileCommandTest, CancelChangesNothingAndShowsNothing) {
  const std::string before = h.window->state().profilePath;
  h.view.fileReply = "";
  for (int command : {id::kMenuNew, id::kMenuOpen, id::kMenuSaveAs}) h.window->OnCommand(command);
  EXPECT_TRUE(h.view.messages.empty());
  EXPECT_EQ(h.window->state().profilePath, before);
  EXPECT_EQ(h.view.at(id::kStartUrl).text, "http://");
}

TEST_F(ProfileCommandTest, TheDialogsKeepTheCurrentDirectory) {
  h.view.fileReply = "";
  h.view.folderReply = "\\data";
  h.window->OnCommand(id::kMenuOpen);
  EXPECT_EQ(h.view.currentDirectoryDuringDialog, "\\");
  EXPECT_EQ(platform::CurrentDirectory(), startDir);
  h.window->OnCommand(id::kBrowse);
  EXPECT_EQ(platform::CurrentDirectory(), startDir);
  EXPECT_EQ(h.view.at(id::kDownloadFolder).text, "/data/");
}

TEST_F(ProfileCommandTest, AProfileWithADriveFolderLoadsWithAMessage) {
  h.view.at(id::kDownloadFolder).text = "C:\\dl\\";
  h.view.fileReply = Work("windows.ini");
  h.window->OnCommand(id::kMenuSaveAs);
  h.view.messages.clear();
  h.window->OnCommand(id::kMenuOpen);
  EXPECT_EQ(h.view.messages,
            std::vector<std::string>{Sjis("このシステムでは使えないダウンロードパスです。 パス=C:\\dl\\")});
  EXPECT_EQ(h.view.at(id::kDownloadFolder).text, "C:\\dl\\");
}

TEST_F(ProfileCommandTest, BrowseCancelledKeepsTheField) {
  h.view.folderReply = std::nullopt;
  h.window->OnCommand(id::kBrowse);
  EXPECT_EQ(h.view.at(id::kDownloadFolder).text, platform::UserDownloadFolder());
}

TEST_F(ProfileCommandTest, NewShowsTheDefaultsAtOnceAndWritesNothing) {
  h.view.fileReply = Work("abc");
  h.window->OnCommand(id::kToolNew);
  EXPECT_EQ(h.view.fileDialogs.back().first, FileDialogMode::kNew);
  EXPECT_EQ(h.view.fileDialogs.back().second, Sjis("新規作成.ini"));
  EXPECT_EQ(h.window->state().profilePath, Work("abc.ini"));
  EXPECT_EQ(h.view.at(id::kMaxFiles).text, "1000");
  EXPECT_EQ(h.view.at(id::kMaxDuplicateLinks).text, "500");
  EXPECT_TRUE(h.view.at(id::kGet).checked);
  EXPECT_TRUE(work.List().empty());

  // Closing with Cancel in the question leaves no file and no start-up record.
  h.view.answers = {MessageResult::kDiscard};
  h.window->OnCloseRequest();
  EXPECT_TRUE(work.List().empty());
  EXPECT_TRUE(h.programDir.List().empty());
}

TEST_F(ProfileCommandTest, SaveAsWritesWithoutConfirmationAndSaveConfirms) {
  h.view.at(id::kStartUrl).text = "http://127.0.0.1/a/";
  h.view.fileReply = Work("settings.ini");
  h.window->OnCommand(id::kMenuSaveAs);
  EXPECT_EQ(h.view.fileDialogs.back().first, FileDialogMode::kOpen);
  EXPECT_TRUE(h.view.messages.empty());
  EXPECT_EQ(h.window->state().profilePath, Work("settings.ini"));
  EXPECT_EQ(h.view.title, "settings.ini - Pagelark From CGI");
  EXPECT_EQ(work.List(), (std::vector<std::string>{"settings.ini"}));
  EXPECT_NE(SetIni().find(Work("settings.ini")), std::string::npos);

  h.window->OnCommand(id::kToolSave);
  ASSERT_EQ(h.view.messages.size(), 1u);
  EXPECT_EQ(h.view.messages[0], Work("settings.ini") + Sjis("を保存しました"));
}

TEST_F(ProfileCommandTest, SaveAsOverAnExistingFileAndNewOnAnExistingNameAskNothing) {
  platform::WriteFileBytes(Work("old.ini"), "old bytes");
  h.view.fileReply = Work("old.ini");
  h.window->OnCommand(id::kMenuSaveAs);
  EXPECT_TRUE(h.view.messages.empty());
  std::string saved;
  platform::ReadFileBytes(Work("old.ini"), saved);
  EXPECT_NE(saved.find("URL=http://"), std::string::npos);

  platform::WriteFileBytes(Work("kept.ini"), "kept bytes");
  h.view.fileReply = Work("kept.ini");
  h.window->OnCommand(id::kMenuNew);
  EXPECT_TRUE(h.view.messages.empty());
  EXPECT_EQ(h.window->state().profilePath, Work("kept.ini"));
  std::string kept;
  platform::ReadFileBytes(Work("kept.ini"), kept);
  EXPECT_EQ(kept, "kept bytes");  // New writes nothing
}

TEST_F(ProfileCommandTest, OpenLoadsTheFileAndTheDialogStartsAtTheCurrentProfile) {
  h.view.at(id::kStartUrl).text = "http://127.0.0.1/saved/";
  h.view.fileReply = Work("one.ini");
  h.window->OnCommand(id::kMenuSaveAs);
  h.view.at(id::kStartUrl).text = "http://changed/";
  h.window->OnCommand(id::kMenuOpen);
  EXPECT_EQ(h.view.fileDialogs.back().second, Work("one.ini"));
  EXPECT_EQ(h.view.at(id::kStartUrl).text, "http://127.0.0.1/saved/");
  EXPECT_EQ(h.view.at(id::kStatusLine).text, Sjis("読み込み終了"));
}

// The run bounds have no controls: they go from the profile read to the
// profile written, and New puts their defaults back.
TEST_F(ProfileCommandTest, BoundsWithoutControlsSurviveOpenAndSave) {
  platform::WriteFileBytes(Work("bounds.ini"),
                           "[" + Sjis("初期表示") + "]\r\nURL=http://a/\r\nMaxPageMiB=8\r\nMinSpeedTime=0\r\n");
  h.view.fileReply = Work("bounds.ini");
  h.window->OnCommand(id::kMenuOpen);
  h.view.at(id::kStartUrl).text = "http://b/";
  EXPECT_EQ(h.window->CurrentSettings().bounds, (RunBounds{"8", "1024", "100", "0"}));
  h.view.fileReply = Work("copy.ini");
  h.window->OnCommand(id::kMenuSaveAs);
  std::string saved;
  platform::ReadFileBytes(Work("copy.ini"), saved);
  EXPECT_NE(saved.find("\r\nURL=http://b/\r\n"), std::string::npos);
  EXPECT_TRUE(
      saved.ends_with("\r\nMaxPageMiB=8\r\nMaxFileMiB=1024\r\nMinSpeed=100\r\nMinSpeedTime=0\r\nRequisites=off\r\n"
                      "Connections=1\r\n"));

  h.view.fileReply = Work("new.ini");
  h.window->OnCommand(id::kMenuNew);
  EXPECT_EQ(h.window->CurrentSettings().bounds, RunBounds{});
  EXPECT_TRUE(h.view.at(id::kRequisites).checked);
}

TEST_F(ProfileCommandTest, SaveFailsQuietlyWhenTheStartupRecordCannotBeWritten) {
  WindowHarness broken;
  // A program folder that does not exist: set.ini cannot be written.
  broken.window.reset();
  WindowServices services{MakeSettingsProfileStore(),
                          [&broken](Host& host) { return std::make_unique<FakeRunner>(host, broken.log); },
                          broken.programDir.display() + "missing\\"};
  CDownloadDlg window(broken.view, std::move(services));
  window.OnInitDialog();
  window.OnCommand(id::kMenuSave);
  ASSERT_EQ(broken.view.messages.size(), 1u);
  EXPECT_EQ(broken.view.messages[0], Sjis("初期設定ファイルの書き込みに失敗しました。"));
}

}  // namespace
}  // namespace pagelark::ui::test
