#include <gtest/gtest.h>

#include <functional>

#include "ProfileFiles.h"
#include "messages/RunTexts.h"
#include "settings/IniDocument.h"
#include "settings/ProfileReader.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace pagelark {
namespace {

using test::ProfileText;

CrawlSettings FromLines(const std::vector<std::string>& lines) {
  return SettingsFromProfile(ini::IniDocument(ProfileText(lines)));
}

// What a profile without any keys reads as.
CrawlSettings MissingValues() {
  CrawlSettings settings;
  settings.maxDuplicateLinks = "500";
  settings.belowStartUrlOnly = true;
  settings.allKinds = false;
  settings.requestMethod = RequestMethod::kPost;
  settings.connections = "1";
  return settings;
}

TEST(ReadProfile, MissingFileGivesTheMissingValuesAndReportsProgress) {
  test::TempDir dir;
  test::FakeHost host;
  host.lines = {"old line"};
  host.settings.kinds = {"gif"};
  host.settings.enableUrls = {"x"};
  const CrawlSettings read = ReadProfile(dir.system() + "none.ini", host);
  EXPECT_EQ(read, MissingValues());
  EXPECT_EQ(host.settings, MissingValues());
  EXPECT_TRUE(host.lines.empty());
  EXPECT_TRUE(host.messages.empty());
  const std::vector<std::string> expected = {"SetStatus ", "ClearLines", "ApplySettings",
                                             std::string("SetStatus ") + msg::kReadFinished};
  EXPECT_EQ(host.events, expected);
  EXPECT_EQ(dir.List(), std::vector<std::string>{});
}

TEST(ReadProfile, SwitchesNeedTheirExactValue) {
  using Field = std::function<bool(const CrawlSettings&)>;
  const Field below = [](const CrawlSettings& s) { return s.belowStartUrlOnly; };
  const Field server = [](const CrawlSettings& s) { return s.sameServerOnly; };
  const Field all = [](const CrawlSettings& s) { return s.allKinds; };
  const Field get = [](const CrawlSettings& s) { return s.requestMethod == RequestMethod::kGet; };
  const Field post = [](const CrawlSettings& s) { return s.requestMethod == RequestMethod::kPost; };
  const Field log = [](const CrawlSettings& s) { return s.writeLog; };
  const Field cgi3 = [](const CrawlSettings& s) { return s.counters[2].enabled; };
  const Field disable = [](const CrawlSettings& s) { return s.useDisableList; };
  const struct {
    std::string line;
    Field field;
    bool expected;
  } cases[] = {
      {"ANOTHERURL=off", below, false}, {"ANOTHERURL=On", below, true},   {"ANOTHERURL=OFF", below, true},
      {"ANOTHERURL=", below, true},     {"Server=on", server, true},      {"Server=On", server, false},
      {"KIND=all", all, true},          {"KIND=ALL", all, false},         {"KIND=select", all, false},
      {"TYPE=GET", get, true},          {"TYPE=get", post, true},         {"TYPE=", post, true},
      {"LOG= on ", log, true},          {"LOG=\"on\"", log, true},        {"LOG=onn", log, false},
      {"Cgi3=on", cgi3, true},          {"cgi3=on", cgi3, true},          {"Cgi3=ON", cgi3, false},
      {"DISABLE=on", disable, true},    {"DISABLE=true", disable, false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.field(FromLines({c.line})), c.expected) << c.line;
}

TEST(ReadProfile, KindListEndsAtItsFirstMissingEntry) {
  using Kinds = std::vector<std::string>;
  const struct {
    std::vector<std::string> lines;
    Kinds expected;
  } cases[] = {
      {{"KindCount=3", "Kind1=htm"}, {"htm", ""}},
      {{"KindCount=3", "Kind1=htm", "Kind2=", "Kind3=gif"}, {"htm", ""}},
      {{"KindCount=2", "Kind1=htm", "Kind2=gif", "Kind3=jpg", "Kind4=png"}, {"htm", "gif"}},
      {{"KindCount=2x", "Kind1=a", "Kind2=b"}, {"a", "b"}},
      {{"KindCount=x2", "Kind1=a"}, {}},
      {{"KindCount=-1", "Kind1=a"}, {}},
      {{"KindCount=1", "kind1=a"}, {"a"}},
      {{"Kind1=a"}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(FromLines(c.lines).kinds, c.expected) << c.lines.front();
}

TEST(ReadProfile, UrlListsSkipMissingEntries) {
  const CrawlSettings read =
      FromLines({"EnableListCount=3", "EnableURL1=a", "EnableURL3=c", "EnableURL4=stale", "DisableListCount=4",
                 "DisableURL1=", "DisableURL2=x", "DisableURL4=z", "DisableURL04=no"});
  EXPECT_EQ(read.enableUrls, (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(read.disableUrls, (std::vector<std::string>{"x", "z"}));
}

TEST(ReadProfile, HugeCountsReadOnlyTheEntriesThatExist) {
  const CrawlSettings read = FromLines({"EnableListCount=2147483647", "EnableURL2000000000=z", "EnableURL9000=b",
                                        "enableurl1=a", "EnableURL1=dup", "EnableURL2147483648=no",
                                        "EnableURL99999999999=no", "DisableListCount=99999999999999999999",
                                        "DisableURL2=c", "KindCount=2000000000", "Kind1=htm", "Kind2000000000=x"});
  EXPECT_EQ(read.enableUrls, (std::vector<std::string>{"a", "b", "z"}));
  EXPECT_EQ(read.disableUrls, std::vector<std::string>{"c"});
  EXPECT_EQ(read.kinds, (std::vector<std::string>{"htm", ""}));
  EXPECT_EQ(FromLines({"EnableListCount=1999999999", "EnableURL2000000000=z"}).enableUrls, std::vector<std::string>{});
}

TEST(ReadProfile, RunBoundsAbsentOrEmptyReadTheirDefaults) {
  const struct {
    std::vector<std::string> lines;
    RunBounds expected;
  } cases[] = {
      {{"URL=x"}, {"64", "1024", "100", "30"}},
      {{"MaxPageMiB=0", "maxfilemib= 8 ", "MinSpeed=", "MinSpeedTime=\"5\""}, {"0", "8", "100", "5"}},
      {{"MaxPageMiB=-1", "MaxFileMiB=abc", "MinSpeed=0", "MinSpeedTime=0"}, {"-1", "abc", "0", "0"}},
  };
  for (const auto& c : cases) EXPECT_EQ(FromLines(c.lines).bounds, c.expected) << c.lines.front();
}

TEST(ReadProfile, SecondProfileReplacesBothLists) {
  test::TempDir dir;
  test::WriteBytes(dir.native() / "one.ini",
                   ProfileText({"EnableListCount=2", "EnableURL1=a", "EnableURL2=b", "DisableListCount=1",
                                "DisableURL1=c", "KindCount=1", "Kind1=gif"}));
  test::WriteBytes(dir.native() / "two.ini",
                   ProfileText({"EnableListCount=1", "EnableURL1=x", "DisableListCount=0", "DisableURL1=stale"}));
  test::FakeHost host;
  ReadProfile(dir.system() + "one.ini", host);
  ReadProfile(dir.system() + "two.ini", host);
  EXPECT_EQ(host.settings.enableUrls, std::vector<std::string>{"x"});
  EXPECT_TRUE(host.settings.disableUrls.empty());
  EXPECT_TRUE(host.settings.kinds.empty());
}

// A profile saved on Windows: CR LF, the section name in CP932, stale keys
// behind shrunk lists.
TEST(ReadProfile, ReadsAProfileWrittenByTheWindowsFunctions) {
  test::FakeHost host;
  const CrawlSettings read = ReadProfile(std::string(PAGELARK_SETTINGS_FIXTURES) + "/windows-profile.ini", host);
  const auto sjis = [](const char* utf8) { return cp932::FromUtf8(utf8); };
  CrawlSettings expected;
  expected.startUrl = sjis("http://www.example.jp/写真/@a@.html");
  expected.downloadFolder = sjis("C:\\ダウンロード\\表示\\");
  expected.maxFiles = "1000";
  expected.maxDuplicateLinks = "300";
  expected.indexFile = sjis("C:\\ダウンロード\\表示\\http\\www.example.jp\\写真\\001.html");
  expected.belowStartUrlOnly = false;
  expected.sameServerOnly = true;
  expected.useFilter = true;
  expected.writeLog = true;
  expected.allKinds = false;
  expected.kinds = {"html", "jpg", sjis("ソフト")};
  expected.requestMethod = RequestMethod::kGet;
  expected.counters[0] = {true, "001", "120", "1"};
  expected.counters[1] = {false, "1", "9", "2"};
  expected.useEnableList = true;
  expected.enableUrls = {sjis("www.example.jp/写真/"), sjis("表")};
  expected.disableUrls = {"/cgi-bin/"};
  expected.connections = "1";
  EXPECT_EQ(read, expected);
  EXPECT_EQ(host.settings, expected);
}

}  // namespace
}  // namespace pagelark
