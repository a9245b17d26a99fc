#include <gtest/gtest.h>

#include "ProfileFiles.h"
#include "platform/user_folders.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileWriter.h"
#include "settings/StartupProfile.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace pagelark {
namespace {

using test::ProfileText;

CrawlSettings ExpectedFirstStart() {
  CrawlSettings s;
  s.startUrl = "http://";
  s.downloadFolder = platform::UserDownloadFolder();
  s.maxFiles = "100";
  s.allKinds = true;
  s.kinds = {"htm", "html"};
  s.requisites = true;
  s.connections = "4";
  return s;
}

class StartupTest : public testing::Test {
 protected:
  std::string Load() { return LoadStartupProfile(dir_.system(), host_); }
  void WriteSetIni(const std::string& profilePath) {
    test::WriteBytes(dir_.native() / "set.ini", ProfileText({"INI=" + profilePath}));
  }

  test::TempDir dir_;
  test::FakeHost host_;
};

TEST_F(StartupTest, FirstStartInAnEmptyFolderWritesNothing) {
  host_.lines = {"x"};
  EXPECT_EQ(Load(), dir_.system() + "Pagelark.ini");
  EXPECT_EQ(host_.settings, ExpectedFirstStart());
  EXPECT_TRUE(host_.lines.empty());
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(host_.statuses.empty());
  EXPECT_EQ(dir_.List(), std::vector<std::string>{});
}

TEST_F(StartupTest, FirstStartIgnoresAnExistingDefaultProfile) {
  test::WriteBytes(dir_.native() / "Pagelark.ini", ProfileText({"URL=http://kept/", "Count=7"}));
  test::WriteBytes(dir_.native() / "set.ini", ProfileText({"INI=", "Other=x"}));
  EXPECT_EQ(Load(), dir_.system() + "Pagelark.ini");
  EXPECT_EQ(host_.settings, ExpectedFirstStart());
}

TEST_F(StartupTest, FirstStartWithoutSetIniLeavesPagelarkIniToBeOverwrittenBySave) {
  test::WriteBytes(dir_.native() / "Pagelark.ini", ProfileText({"URL=http://kept/", "Count=7"}));
  const std::string profilePath = Load();
  EXPECT_EQ(host_.settings, ExpectedFirstStart());
  ASSERT_TRUE(WriteProfile(profilePath, dir_.system(), host_));
  test::FakeHost second;
  LoadStartupProfile(dir_.system(), second);
  EXPECT_EQ(second.settings.startUrl, "http://");
  EXPECT_EQ(second.settings.maxFiles, "100");
}

TEST_F(StartupTest, SaveAtCloseThenSecondStartLoadsTheProfile) {
  const std::string profilePath = Load();
  host_.settings.startUrl = "http://www.example.jp/";
  ASSERT_TRUE(WriteProfile(profilePath, dir_.system(), host_));
  EXPECT_EQ(dir_.List(), (std::vector<std::string>{"Pagelark.ini", "set.ini"}));

  test::FakeHost second;
  EXPECT_EQ(LoadStartupProfile(dir_.system(), second), profilePath);
  EXPECT_EQ(second.settings.startUrl, "http://www.example.jp/");
  EXPECT_EQ(second.settings.maxFiles, "100");
  EXPECT_EQ(second.settings.requestMethod, RequestMethod::kPost);  // neither button was saved as POST
}

TEST_F(StartupTest, SetIniNamingAProfileElsewhereLoadsItAndSavesGoThere) {
  test::TempDir elsewhere;
  const std::string profilePath = elsewhere.system() + "\x95\x5C.ini";  // 表.ini
  test::WriteBytes(elsewhere.native() / "表.ini", ProfileText({"URL=http://there/", "TYPE=GET"}));
  WriteSetIni(profilePath);
  EXPECT_EQ(Load(), profilePath);
  EXPECT_EQ(host_.settings.startUrl, "http://there/");
  EXPECT_EQ(host_.settings.requestMethod, RequestMethod::kGet);
  host_.settings.maxFiles = "5";
  ASSERT_TRUE(WriteProfile(profilePath, dir_.system(), host_));
  EXPECT_NE(test::ReadBytes(elsewhere.native() / "表.ini").find("\r\nCount=5\r\n"), std::string::npos);
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"set.ini"});
}

TEST_F(StartupTest, RememberedProfileThatIsGoneLoadsTheMissingValues) {
  WriteSetIni(dir_.system() + "gone.ini");
  EXPECT_EQ(Load(), dir_.system() + "gone.ini");
  EXPECT_EQ(host_.settings.maxDuplicateLinks, "500");
  EXPECT_TRUE(host_.settings.belowStartUrlOnly);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"set.ini"});
}

TEST_F(StartupTest, SetIniValueCountsUpTo259Bytes) {
  const std::string longName = std::string(300, 'n');
  WriteSetIni(dir_.system() + longName);
  const std::string expected = (dir_.system() + longName).substr(0, 259);
  EXPECT_EQ(Load(), expected);
}

TEST_F(StartupTest, BareFileNameInSetIniLiesInTheProgramFolder) {
  test::WriteBytes(dir_.native() / "mine.ini", ProfileText({"URL=http://mine/"}));
  WriteSetIni("mine.ini");
  EXPECT_EQ(Load(), dir_.system() + "mine.ini");
  EXPECT_EQ(host_.settings.startUrl, "http://mine/");
}

TEST(ResetProfile, GivesTheNewProfileValuesAndKeepsTheIndexFile) {
  test::FakeHost host;
  host.settings.indexFile = "C:\\dl\\index.html";
  host.settings.enableUrls = {"x"};
  host.settings.counters[3] = {true, "1", "2", "3"};
  host.lines = {"line"};
  ResetProfile(host);
  CrawlSettings expected;
  expected.startUrl = "http://";
  expected.downloadFolder = platform::UserDownloadFolder();
  expected.maxFiles = "1000";
  expected.maxDuplicateLinks = "500";
  expected.indexFile = "C:\\dl\\index.html";
  expected.allKinds = true;
  expected.kinds = {"htm", "html"};
  expected.requestMethod = RequestMethod::kGet;
  expected.sameServerOnly = true;
  expected.useDisableList = true;
  expected.requisites = true;
  expected.connections = "4";
  EXPECT_EQ(host.settings, expected);
  EXPECT_EQ(host.events, (std::vector<std::string>{"ClearLines", "SetStatus ", "ApplySettings"}));
}

}  // namespace
}  // namespace pagelark
