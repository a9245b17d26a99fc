// The File menu's recent profiles against real profile files and set.ini.
#include <gtest/gtest.h>

#include <filesystem>

#include "WindowHarness.h"
#include "platform/fs.h"
#include "ui/ControlIds.h"
#include "ui/RecentProfiles.h"

namespace pagelark::ui::test {
namespace {

class RecentProfileTest : public ::testing::Test {
 protected:
  void SetUp() override { h.window->OnInitDialog(); }

  std::string Work(const std::string& name) { return work.display() + name; }
  void SaveAs(const std::string& name, const std::string& url = "http://a/") {
    h.view.at(id::kStartUrl).text = url;
    h.view.fileReply = Work(name);
    h.window->OnCommand(id::kMenuSaveAs);
  }
  std::vector<std::string> Menu(const std::vector<std::string>& names) {
    std::vector<std::string> texts;
    for (const std::string& name : names) texts.push_back(RecentMenuText(static_cast<int>(texts.size()), Work(name)));
    return texts;
  }

  WindowHarness h;
  pagelark::test::TempDir work;
};

TEST_F(RecentProfileTest, OpenedAndSavedProfilesAreListedMostRecentFirstAndKeptForTheNextStart) {
  EXPECT_TRUE(h.view.recentMenu.empty());
  SaveAs("a.ini");
  SaveAs("b.ini");
  h.window->OnCommand(id::kMenuSave);
  h.view.fileReply = Work("a.ini");
  h.window->OnCommand(id::kMenuOpen);
  EXPECT_EQ(h.view.recentMenu, Menu({"a.ini", "b.ini"}));
  h.view.fileReply = Work("none.ini");  // opens, but is no file to list
  h.window->OnCommand(id::kMenuOpen);
  EXPECT_EQ(h.view.recentMenu, Menu({"a.ini", "b.ini"}));
  for (const char* name : {"c.ini", "d.ini", "e.ini"}) SaveAs(name);
  EXPECT_EQ(h.view.recentMenu, Menu({"e.ini", "d.ini", "c.ini", "a.ini"}));

  FakeWindowView nextView;
  WindowServices services{MakeSettingsProfileStore(),
                          [this](Host& host) { return std::make_unique<FakeRunner>(host, h.log); },
                          h.programDir.display()};
  CDownloadDlg next(nextView, std::move(services));
  next.OnInitDialog();
  EXPECT_EQ(nextView.recentMenu, Menu({"e.ini", "d.ini", "c.ini", "a.ini"}));
}

TEST_F(RecentProfileTest, AnItemOpensItsProfileAsOpenDoesEvenDuringARun) {
  SaveAs("a.ini", "http://a/");
  SaveAs("b.ini", "http://b/");
  const std::size_t dialogs = h.view.fileDialogs.size();
  h.view.pendingEvents.push_back([this] { h.window->OnCommand(id::MenuRecentProfile(1)); });
  h.window->OnCommand(id::kMenuStart);
  EXPECT_EQ(h.window->state().profilePath, Work("a.ini"));
  EXPECT_EQ(h.view.at(id::kStartUrl).text, "http://a/");
  EXPECT_EQ(h.view.title, "a.ini - Pagelark From CGI");
  EXPECT_EQ(h.view.recentMenu, Menu({"a.ini", "b.ini"}));
  EXPECT_EQ(h.view.fileDialogs.size(), dialogs);
  EXPECT_TRUE(h.view.messages.empty());
}

TEST_F(RecentProfileTest, AProfileThatIsGoneIsSaidAndDropped) {
  SaveAs("a.ini");
  SaveAs("b.ini");
  ASSERT_TRUE(std::filesystem::remove(work.native() / "a.ini"));
  h.window->OnCommand(id::MenuRecentProfile(1));
  EXPECT_EQ(h.view.messages, std::vector<std::string>{Sjis("設定ファイルがありません。 パス=") + Work("a.ini")});
  EXPECT_EQ(h.window->state().profilePath, Work("b.ini"));
  EXPECT_EQ(h.view.recentMenu, Menu({"b.ini"}));
  std::string setIni;
  platform::ReadFileBytes(h.programDir.display() + "set.ini", setIni);
  EXPECT_EQ(setIni.find("a.ini"), std::string::npos);

  h.window->OnCommand(id::MenuRecentProfile(1));  // no such item now
  EXPECT_EQ(h.view.messages.size(), 1u);
}

}  // namespace
}  // namespace pagelark::ui::test
