// Start-up, the command table, the close question, and starting or closing
// while a run goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "WindowHarness.h"
#include "platform/fs.h"
#include "platform/user_folders.h"
#include "ui/ControlIds.h"
#include "ui/Layout.h"
#include "ui/ProgressText.h"

namespace pagelark::ui::test {
namespace {

TEST(WindowStartup, FirstStartShowsTheFirstStartValuesAndWritesNothing) {
  WindowHarness h;
  h.window->OnInitDialog();
  EXPECT_EQ(h.view.title, "Pagelark.ini - Pagelark From CGI");
  EXPECT_EQ(h.view.at(id::kStartUrl).text, "http://");
  EXPECT_EQ(h.view.at(id::kDownloadFolder).text, platform::UserDownloadFolder());
  EXPECT_EQ(h.view.at(id::kMaxFiles).text, "100");
  EXPECT_EQ(h.view.at(id::kKindList).lines, (std::vector<std::string>{"htm", "html"}));
  EXPECT_TRUE(h.view.at(id::kAllFiles).checked);
  EXPECT_FALSE(h.view.at(id::kKindEdit).enabled);
  EXPECT_FALSE(h.view.at(id::kGet).checked);
  EXPECT_FALSE(h.view.at(id::kPost).checked);
  EXPECT_EQ(h.window->state().profilePath, h.programDir.display() + "Pagelark.ini");
  EXPECT_TRUE(h.programDir.List().empty());
  EXPECT_TRUE(h.view.messages.empty());
}

TEST(WindowStartup, IconToolbarAndBrowsePicture) {
  WindowHarness h;
  h.window->OnInitDialog();
  EXPECT_TRUE(h.view.iconSet);
  EXPECT_EQ(h.view.toolBar, (std::vector<int>{40010, 40011, 32771, 32773, 0, 32774, 40000, 32777, 0, 32781, 40012}));
  EXPECT_TRUE(h.view.browseBitmap);
  EXPECT_TRUE(h.view.systemMenu.empty());  // this view has no system menu
}

TEST(WindowStartup, WithoutToolbarTheBrowseButtonKeepsItsCaption) {
  WindowHarness h;
  h.view.toolBarFails = true;
  h.window->OnInitDialog();
  EXPECT_FALSE(h.view.browseBitmap);
  EXPECT_EQ(h.view.at(id::kStartUrl).text, "http://");
}

TEST(WindowStartup, TheSystemMenuGetsTheVersionItemWhereThereIsOne) {
  WindowHarness h;
  h.view.hasSystemMenu = true;
  h.window->OnInitDialog();
  ASSERT_EQ(h.view.systemMenu.size(), 1u);
  EXPECT_EQ(h.view.systemMenu[0].first, 16);
  EXPECT_EQ(h.view.systemMenu[0].second, Sjis("Pagelark のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
  h.window->OnSysCommand(16);
  h.window->OnSysCommand(0x1F);
  h.window->OnSysCommand(0xF060);  // the close item belongs to the default handling
  EXPECT_EQ(h.view.aboutDialogs, 2);
}

TEST(WindowCommands, MenuAndToolbarTwinsRunTheSameOperation) {
  WindowHarness h(false);
  h.window->OnInitDialog();
  h.view.fileReply = "\\p\\a.ini";
  for (int command : {40005, 40010}) h.window->OnCommand(command);
  for (int command : {40006, 40011}) h.window->OnCommand(command);
  for (int command : {32775, 32771}) h.window->OnCommand(command);
  h.window->OnCommand(40007);
  // The picker gives system form; the window keeps the path as it shows it.
  EXPECT_EQ(h.log, (std::vector<std::string>{"startup", "reset", "reset", "read /p/a.ini", "read /p/a.ini",
                                             "write /p/a.ini", "write /p/a.ini", "write /p/a.ini"}));
  for (int command : {32772, 32774}) h.window->OnCommand(command);
  EXPECT_EQ(std::count(h.log.begin(), h.log.end(), "start"), 2);
  for (int command : {32779}) h.window->OnCommand(command);
  EXPECT_EQ(h.view.aboutDialogs, 1);
  h.window->OnCommand(id::kFilterDetail);
  EXPECT_EQ(h.view.filterDialogs, 1);
  h.view.opened.clear();
  h.view.at(id::kDownloadFolder).text = "C:\\dl";
  for (int command : {32780, 32781, 32782, 32777, 40012}) h.window->OnCommand(command);
  EXPECT_EQ(h.view.opened.size(), 5u);
}

// Enter starts a run from the URL field and adds an extension from its own
// field; in no field does it end the window.
TEST(WindowKeys, EnterNeverEndsTheWindow) {
  WindowHarness h(false);
  h.window->OnInitDialog();
  h.view.at(id::kKindEdit).text = "gif";
  for (int field : {id::kDownloadFolder, id::kMaxFiles, id::kNoId, id::kKindEdit, id::kStartUrl}) {
    h.window->OnEnterKey(field);
  }
  EXPECT_EQ(h.log, (std::vector<std::string>{"startup", "start", "end"}));
  EXPECT_EQ(h.view.at(id::kKindList).lines.back(), "gif");
  EXPECT_FALSE(h.view.endedWith.has_value());
  EXPECT_TRUE(h.view.messages.empty());
}

TEST(ProgressText, CountsTimeAndRates) {
  struct Case {
    RunProgress progress;
    double seconds;
    const char* utf8;
  };
  for (const Case& c : {Case{{0, 0, 0}, 0.4, "0 / 0  経過 0:00"},
                        Case{{13, 340, 358400}, 65.2, "13 / 340  経過 1:05  0.2 件/秒  5.4 KB/秒"},
                        Case{{9000, 9100, 0}, 7261, "9000 / 9100  経過 2:01:01  1.2 件/秒  0 B/秒"}}) {
    EXPECT_EQ(ProgressText(c.progress, c.seconds), Sjis(c.utf8));
  }
}

TEST(ProgressText, ByteRateUnits) {
  struct Case {
    double perSecond;
    const char* utf8;
  };
  for (const Case& c :
       {Case{512, "512 B/秒"}, Case{1023.4, "1023 B/秒"}, Case{1023.6, "1.0 KB/秒"}, Case{3584, "3.5 KB/秒"},
        Case{10188, "9.9 KB/秒"}, Case{10200, "10 KB/秒"}, Case{358400, "350 KB/秒"}, Case{1.25 * 1048576, "1.2 MB/秒"},
        Case{3000.0 * 1048576, "3000 MB/秒"}}) {
    EXPECT_EQ(ByteRate(c.perSecond), Sjis(c.utf8)) << c.perSecond;
  }
}

TEST(WindowDrop, ADroppedWebAddressBecomesTheStartUrl) {
  WindowHarness h(false);
  h.window->OnInitDialog();
  h.view.at(id::kStartUrl).text = "kept";
  for (const char* ignored : {"", "file:///tmp/a.html", "just text"}) h.window->OnDropText(ignored);
  EXPECT_EQ(h.view.at(id::kStartUrl).text, "kept");
  h.window->OnDropText("  HTTPS://example.org/a.html\r\nhttps://example.org/b.html\r\n");
  EXPECT_EQ(h.view.at(id::kStartUrl).text, "HTTPS://example.org/a.html");
  EXPECT_EQ(h.view.focus, id::kStartUrl);
}

// Exit and the close box ask first: save, close without saving, or go back.
TEST(WindowClose, TheQuestionSavesDiscardsOrGoesBack) {
  struct Case {
    MessageResult answer;
    bool ends;
    bool writes;
  };
  for (const Case& c : {Case{MessageResult::kOk, true, true}, Case{MessageResult::kDiscard, true, false},
                        Case{MessageResult::kCancel, false, false}}) {
    for (int command : {id::kMenuExit, id::kToolExit, id::kNoId}) {
      WindowHarness h;
      h.view.answers = {c.answer};
      h.view.userSession = [command](WindowCommands& w) {
        if (command == id::kNoId) return w.OnCloseRequest();
        w.OnCommand(command);
      };
      EXPECT_EQ(h.window->DoModal(), c.ends ? id::kOk : -1);
      ASSERT_EQ(h.view.messages.size(), 1u);
      EXPECT_EQ(h.view.messages[0], h.programDir.display() + "Pagelark.ini" + Sjis("を保存しますか？"));
      EXPECT_EQ(h.programDir.List().size(), c.writes ? 2u : 0u);
    }
  }
}

// A profile that cannot be written keeps the window open, so nothing is lost.
TEST(WindowClose, AFailedSaveKeepsTheWindow) {
  WindowHarness h;
  h.view.answers = {MessageResult::kOk};
  h.view.userSession = [](WindowCommands& w) { w.OnCloseRequest(); };
  h.window.reset();
  WindowServices services = DefaultWindowServices(h.programDir.display() + "missing\\");
  services.makeRunner = [&h](Host& host) { return std::make_unique<FakeRunner>(host, h.log); };
  CDownloadDlg window(h.view, std::move(services));
  EXPECT_EQ(window.DoModal(), -1);
  EXPECT_GE(h.view.messages.size(), 2u);
}

TEST(WindowClose, OkWritesTheProfileAndTheStartupRecord) {
  {
    WindowHarness h;
    h.view.userSession = [&h](WindowCommands& c) {
      h.view.at(id::kStartUrl).text = "http://127.0.0.1/";
      c.OnCloseRequest();
    };
    h.window->DoModal();
    EXPECT_EQ(h.programDir.List(), (std::vector<std::string>{"Pagelark.ini", "set.ini"}));
    std::string profile;
    ASSERT_TRUE(platform::ReadFileBytes(h.programDir.display() + "Pagelark.ini", profile));
    EXPECT_NE(profile.find("URL=http://127.0.0.1/"), std::string::npos);

    // The next start loads what was saved.
    FakeWindowView again;
    WindowServices services{MakeSettingsProfileStore(),
                            [](Host& host) {
                              static std::vector<std::string> unused;
                              return std::make_unique<FakeRunner>(host, unused);
                            },
                            h.programDir.display()};
    CDownloadDlg second(again, std::move(services));
    second.OnInitDialog();
    EXPECT_EQ(again.at(id::kStartUrl).text, "http://127.0.0.1/");
  }
}

TEST(WindowRun, AStartDuringARunIsRefused) {
  WindowHarness h(false);
  h.window->OnInitDialog();
  h.view.pendingEvents.push_back([&h] { h.window->OnCommand(id::kToolStart); });
  h.window->OnCommand(id::kMenuStart);
  EXPECT_EQ(h.log, (std::vector<std::string>{"startup", "start", "end"}));
  ASSERT_EQ(h.view.messages.size(), 1u);
  EXPECT_EQ(h.view.messages[0], Sjis("ダウンロード中です。中止してから開始してください。"));
}

TEST(WindowRun, TheStopCommandReachesTheRun) {
  WindowHarness h(false);
  h.window->OnInitDialog();
  h.view.pendingEvents.push_back([&h] { h.window->OnCommand(id::kToolStop); });
  h.window->OnCommand(id::kMenuStart);
  EXPECT_EQ(h.view.at(id::kProgressList).lines.back(), "stopped");
}

TEST(WindowRun, ClosingDuringARunStopsItThenAsksTheQuestion) {
  WindowHarness h(false);
  h.view.answers = {MessageResult::kOk};
  h.view.userSession = [&h](WindowCommands& c) {
    h.view.pendingEvents.push_back([&c] { c.OnCloseRequest(); });
    c.OnCommand(id::kMenuStart);
  };
  // The window must not end while the run is on the stack: the question and
  // EndModal come after the start command has returned.
  EXPECT_EQ(h.window->DoModal(), id::kOk);
  EXPECT_EQ(h.log, (std::vector<std::string>{"startup", "start", "stop", "end",
                                             "write " + h.programDir.display() + "Pagelark.ini"}));
  EXPECT_EQ(h.view.at(id::kProgressList).lines.back(), "stopped");
  ASSERT_EQ(h.view.messages.size(), 1u);
}

// A long transfer takes no candidate: the elapsed time still moves on while
// the run waits and the window's events are dispatched.
TEST(WindowHost, ElapsedTimeMovesOnDuringALongTransfer) {
  WindowHarness h(false);
  h.window->OnInitDialog();
  h.view.pendingEvents.push_back([&h] {
    h.window->ReportProgress({1, 3, 0});
    std::this_thread::sleep_for(std::chrono::milliseconds(1050));
  });
  h.window->OnCommand(id::kMenuStart);
  EXPECT_NE(h.view.progressText.find(Sjis("経過") + " 0:01"), std::string::npos) << h.view.progressText;
}

TEST(WindowHost, ProgressLinesAndStatus) {
  WindowHarness h(false);
  h.window->OnInitDialog();
  h.window->AppendLine("a");
  h.view.listAtBottom = false;  // the user scrolled back: the list stays there
  h.window->AppendLine("\tb");
  EXPECT_EQ(h.view.showLastCalls, 1);
  h.window->NoteLineReason(1, "HTTP 404");
  EXPECT_EQ(h.view.tips, (std::map<int, std::string>{{1, "HTTP 404"}}));
  h.window->ReportProgress({3, 10, 2048});
  EXPECT_EQ(h.view.progress, (std::pair<std::size_t, std::size_t>{3, 10}));
  EXPECT_TRUE(h.view.progressText.starts_with("3 / 10  " + Sjis("経過") + " ")) << h.view.progressText;
  EXPECT_EQ(h.window->LineCount(), 2);
  EXPECT_EQ(h.window->Line(1), "\tb");
  h.window->SetStatus("s");
  EXPECT_EQ(h.view.at(id::kStatusLine).text, "s");
  h.window->FocusField(SettingField::kCounterStep, 0);
  EXPECT_EQ(h.view.focus, id::CounterStep(0));
  h.window->FocusField(SettingField::kCounterFrom, 5);
  EXPECT_EQ(h.view.focus, id::CounterFrom(5));
  h.window->FocusField(SettingField::kStartUrl, 0);
  EXPECT_EQ(h.view.focus, id::kStartUrl);
  h.window->ShowMessage("m");
  EXPECT_EQ(h.view.messages.back(), "m");
  h.window->SetIndexFile("x\\index.html");
  EXPECT_EQ(h.window->CurrentSettings().indexFile, "x\\index.html");
  h.window->ClearLines();
  EXPECT_EQ(h.window->LineCount(), 0);
}

}  // namespace
}  // namespace pagelark::ui::test
