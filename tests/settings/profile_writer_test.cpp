#include <gtest/gtest.h>

#include <map>

#include "ProfileFiles.h"
#include "messages/RunTexts.h"
#include "settings/IniDocument.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileReader.h"
#include "settings/ProfileWriter.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace pagelark {
namespace {

using test::ProfileText;
using test::ReadBytes;

const std::string kHyo = "\x95\x5C";                     // 表: its trail byte is 0x5C
const std::string kSofuto = "\x83\x5C\x83\x74\x83\x67";  // ソフト

CrawlSettings RichSettings() {
  CrawlSettings s;
  s.startUrl = "http://www.example.jp/" + kHyo + "/@a@/@b@.html?q=" + kSofuto;
  s.downloadFolder = "C:\\" + kSofuto + "\\" + kHyo + "\\";
  s.maxFiles = "1000";
  s.maxDuplicateLinks = "50";
  s.indexFile = "C:\\" + kSofuto + "\\index.html";
  s.belowStartUrlOnly = true;
  s.oneFolder = true;
  s.writeLog = true;
  s.allKinds = false;
  s.kinds = {"html", kHyo, "a=b;c"};
  s.requestMethod = RequestMethod::kGet;
  s.counters[0] = {true, "001", "120", "1"};
  s.counters[5] = {false, kHyo, "9", "x y"};
  s.useDisableList = true;
  s.enableUrls = {"www.example.jp/" + kHyo + "/", "[x]", "a\"b\""};
  s.disableUrls = {"/cgi-bin/", kSofuto + "\\"};
  s.bounds = {"0", "2048", "1", "60"};
  s.requisites = true;
  s.connections = "6";
  return s;
}

// Every profile line the writer makes for RichSettings, in its order.
std::vector<std::string> RichLines() {
  std::vector<std::string> lines = {"URL=http://www.example.jp/" + kHyo + "/@a@/@b@.html?q=" + kSofuto,
                                    "DownLoad=C:\\" + kSofuto + "\\" + kHyo + "\\",
                                    "Count=1000",
                                    "LinkCount=50",
                                    "IndexFile=C:\\" + kSofuto + "\\index.html",
                                    "ANOTHERURL=on",
                                    "Server=off",
                                    "SAME=on",
                                    "FILTER=off",
                                    "LOG=on",
                                    "KIND=select",
                                    "KindCount=3",
                                    "Kind1=html",
                                    "Kind2=" + kHyo,
                                    "Kind3=a=b;c",
                                    "TYPE=GET",
                                    "Cgi1=on",
                                    "From1=001",
                                    "To1=120",
                                    "Step1=1"};
  for (int n = 2; n <= 5; ++n) {
    for (const char* prefix : {"Cgi", "From", "To", "Step"}) {
      lines.push_back(prefix + std::to_string(n) + (prefix[0] == 'C' ? "=off" : "="));
    }
  }
  const std::vector<std::string> tail = {"Cgi6=off",
                                         "From6=" + kHyo,
                                         "To6=9",
                                         "Step6=x y",
                                         "ENABLE=off",
                                         "DISABLE=on",
                                         "EnableListCount=3",
                                         "EnableURL1=www.example.jp/" + kHyo + "/",
                                         "EnableURL2=[x]",
                                         "EnableURL3=a\"b\"",
                                         "DisableListCount=2",
                                         "DisableURL1=/cgi-bin/",
                                         "DisableURL2=" + kSofuto + "\\",
                                         "MaxPageMiB=0",
                                         "MaxFileMiB=2048",
                                         "MinSpeed=1",
                                         "MinSpeedTime=60",
                                         "Requisites=on",
                                         "Connections=6"};
  lines.insert(lines.end(), tail.begin(), tail.end());
  return lines;
}

// Reads a profile the way the observed implementation does after its own
// rewrite: lines split at CR LF, the first "=" splits, blanks trimmed, one
// pair of outer quotes dropped, the first key of a name wins.
std::map<std::string, std::string> ReadByObservedRules(const std::string& bytes) {
  std::map<std::string, std::string> values;
  std::size_t pos = bytes.find("\r\n") + 2;  // past the section header
  for (std::size_t end; (end = bytes.find("\r\n", pos)) != std::string::npos; pos = end + 2) {
    const std::string line = bytes.substr(pos, end - pos);
    std::string value = line.substr(line.find('=') + 1);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
      value = value.substr(1, value.size() - 2);
    }
    values.emplace(line.substr(0, line.find('=')), value);
  }
  return values;
}

class WriteProfileTest : public testing::Test {
 protected:
  std::string ProfilePath() const { return dir_.system() + "p.ini"; }
  std::string Profile() const { return ReadBytes(dir_.native() / "p.ini"); }
  bool Write() { return WriteProfile(ProfilePath(), dir_.system(), host_); }

  test::TempDir dir_;
  test::FakeHost host_;
};

TEST_F(WriteProfileTest, WritesSetIniThenEveryKeyInOrder) {
  host_.settings = RichSettings();
  ASSERT_TRUE(Write());
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(ReadBytes(dir_.native() / "set.ini"), ProfileText({"INI=" + ProfilePath()}));
  EXPECT_EQ(Profile(), ProfileText(RichLines()));
}

TEST_F(WriteProfileTest, RoundTripKeepsEveryByteOfEveryValue) {
  host_.settings = RichSettings();
  ASSERT_TRUE(Write());
  EXPECT_EQ(SettingsFromProfile(ini::IniDocument(Profile())), RichSettings());
  // The file is in the form that the observed implementation keeps as it is,
  // and its rules read every value back unchanged.
  const std::map<std::string, std::string> observed = ReadByObservedRules(Profile());
  for (const ProfileEntry& entry : ProfileEntries(RichSettings())) EXPECT_EQ(observed.at(entry.key), entry.value);
}

// A profile written before the run bounds existed keeps every byte; the
// bounds, the requisites switch (off, as such a profile reads) and the one
// connection it reads follow its last line.
TEST_F(WriteProfileTest, OlderProfileKeepsItsBytesAndGainsTheBoundsAtItsEnd) {
  const std::string older = ReadBytes(std::string(PAGELARK_SETTINGS_FIXTURES) + "/windows-profile.ini");
  test::WriteBytes(dir_.native() / "p.ini", older);
  ReadProfile(ProfilePath(), host_);
  ASSERT_TRUE(Write());
  EXPECT_EQ(Profile(), older +
                           "MaxPageMiB=64\r\nMaxFileMiB=1024\r\nMinSpeed=100\r\nMinSpeedTime=30\r\nRequisites=off\r\n"
                           "Connections=1\r\n");
}

TEST_F(WriteProfileTest, ShrunkListLeavesStaleKeysThatAreNotRead) {
  host_.settings.kinds = {"a", "b", "c", "d", "e"};
  host_.settings.enableUrls = {"1", "2", "3"};
  ASSERT_TRUE(Write());
  host_.settings.kinds = {"x", "y"};
  host_.settings.enableUrls = {};
  ASSERT_TRUE(Write());
  const ini::IniDocument profile(Profile());
  EXPECT_EQ(profile.Find(keys::kSection, "KindCount"), "2");
  EXPECT_EQ(profile.Find(keys::kSection, "Kind2"), "y");
  EXPECT_EQ(profile.Find(keys::kSection, "Kind5"), "e");
  EXPECT_EQ(profile.Find(keys::kSection, "EnableURL3"), "3");
  const CrawlSettings read = SettingsFromProfile(profile);
  EXPECT_EQ(read.kinds, (std::vector<std::string>{"x", "y"}));
  EXPECT_TRUE(read.enableUrls.empty());
}

TEST_F(WriteProfileTest, EmptyIndexFileAndNeitherMethodAreWritten) {
  host_.settings.indexFile = "";
  host_.settings.requestMethod = RequestMethod::kNone;
  ASSERT_TRUE(Write());
  const std::string profile = Profile();
  EXPECT_NE(profile.find("\r\nIndexFile=\r\n"), std::string::npos);
  EXPECT_NE(profile.find("\r\nTYPE=POST\r\n"), std::string::npos);
}

TEST_F(WriteProfileTest, SaveKeepsTheOtherLinesOfAnEditedFile) {
  const std::string before = "; my notes\n[other]\nx = 1\n\n" + test::kSectionHeader + "\nURL = old\n; keep\n";
  test::WriteBytes(dir_.native() / "p.ini", before);
  host_.settings.startUrl = "new";
  ASSERT_TRUE(Write());
  const std::string after = Profile();
  EXPECT_EQ(after.substr(0, after.find("URL=")), before.substr(0, before.find("URL")));
  EXPECT_NE(after.find("URL=new\n; keep\nDownLoad=\r\n"), std::string::npos);
}

TEST_F(WriteProfileTest, ValueWithALineBreakFailsOnlyItsKey) {
  test::WriteBytes(dir_.native() / "p.ini", ProfileText({"URL=old"}));
  host_.settings.startUrl = "http://a/\r\n[Evil]\r\nx=1";
  host_.settings.indexFile = "a\nb";
  host_.settings.kinds = {"ok", "b\rad"};
  ASSERT_TRUE(Write());
  EXPECT_EQ(host_.messages, (std::vector<std::string>{std::string("URL") + msg::kKeyWriteFailed,
                                                      std::string("Kind2") + msg::kKeyWriteFailed}));
  const ini::IniDocument profile(Profile());
  EXPECT_EQ(profile.Find(keys::kSection, "URL"), "old");
  EXPECT_EQ(profile.Find(keys::kSection, "Kind1"), "ok");
  EXPECT_EQ(profile.SectionNames().size(), 1u);
}

TEST_F(WriteProfileTest, LongTextsAreCutAtACharacterBoundary) {
  std::string url = std::string(1022, 'a') + kHyo + "tail";  // 表 would straddle byte 1023
  host_.settings.startUrl = url;
  host_.settings.kinds = {std::string(2000, 'k')};
  ASSERT_TRUE(Write());
  const CrawlSettings read = SettingsFromProfile(ini::IniDocument(Profile()));
  EXPECT_EQ(read.startUrl, std::string(1022, 'a'));
  EXPECT_EQ(read.kinds, std::vector<std::string>{std::string(1023, 'k')});
}

// Root writes into read-only folders, so the profile lies below a regular
// file, where nobody can create it.
TEST_F(WriteProfileTest, UnwritableProfileShowsOneMessagePerKeyInOrder) {
  test::WriteBytes(dir_.native() / "file", "x");
  host_.settings.kinds = {"htm", "html"};
  host_.settings.disableUrls = {"a"};
  const std::string profilePath = dir_.system() + "file\\x.ini";
  ASSERT_TRUE(WriteProfile(profilePath, dir_.system(), host_));
  std::vector<std::string> expected;
  for (const ProfileEntry& entry : ProfileEntries(host_.settings)) {
    if (entry.key != "IndexFile") expected.push_back(entry.key + msg::kKeyWriteFailed);
  }
  EXPECT_EQ(host_.messages, expected);
  EXPECT_EQ(expected.front(), std::string("URL") + msg::kKeyWriteFailed);
  EXPECT_EQ(expected[10], std::string("KindCount") + msg::kKeyWriteFailed);
  EXPECT_EQ(expected[expected.size() - 7], std::string("DisableURL1") + msg::kKeyWriteFailed);
  EXPECT_EQ(expected.back(), std::string("Connections") + msg::kKeyWriteFailed);
  EXPECT_EQ(ini::IniDocument(ReadBytes(dir_.native() / "set.ini")).Find(keys::kSection, "INI"), profilePath);
}

// The program folder is a regular file: set.ini cannot be written.
TEST_F(WriteProfileTest, SetIniFailureStopsBeforeTheProfile) {
  test::WriteBytes(dir_.native() / "prog", "x");
  ASSERT_FALSE(WriteProfile(ProfilePath(), dir_.system() + "prog\\", host_));
  EXPECT_EQ(host_.messages, std::vector<std::string>{msg::kSetIniWriteFailed});
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"prog"});
}

}  // namespace
}  // namespace pagelark
