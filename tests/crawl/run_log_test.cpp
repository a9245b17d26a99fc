#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "crawl/RunLog.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace pagelark {
namespace {

namespace fs = std::filesystem;

std::tm At(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

TEST(RunLogPath, JoinsFolderStemAndTimeStamp) {
  const std::tm t = At(2026, 3, 2, 14, 5, 9);
  EXPECT_EQ(RunLogPath("C:\\prog\\", "C:\\prof\\work.ini", t), "C:\\prog\\log\\work20260302140509.log");
  EXPECT_EQ(RunLogPath("C:\\prog\\", "C:\\prog\\set.ini", t), "C:\\prog\\log\\set20260302140509.log");
  EXPECT_EQ(RunLogPath("\\p\\", "/home/me/site.ini", t), "\\p\\log\\site20260302140509.log");
  EXPECT_EQ(RunLogPath("\\p\\", "a.in", t), "\\p\\log\\20260302140509.log");
}

// A failure line with a reason carries it at its end; the others are copied
// as they stand.
TEST(WriteRunLog, CopiesEveryLineWholeWithCrLf) {
  test::TempDir dir;
  test::FakeHost host;
  const std::string longLine = "\t" + std::string(5000, 'x') + "\x95\x5C";
  host.lines = {"", "start", longLine, "\tfailed"};
  WriteRunLog(host, {{3, "HTTP 404"}}, dir.system(), "C:\\p\\work.ini");
  const auto entries = dir.List();
  ASSERT_EQ(entries.size(), 2u);  // log and the file in it
  EXPECT_TRUE(entries[1].starts_with("log/work") && entries[1].ends_with(".log")) << entries[1];
  EXPECT_EQ(test::ReadAll(dir.native() / entries[1]), "\r\nstart\r\n" + longLine + "\r\n\tfailed (HTTP 404)\r\n");
}

TEST(WriteRunLog, SkipsALogThatCannotBeCreated) {
  test::TempDir dir;
  std::ofstream(dir.native() / "log") << "a file where the folder should be";
  test::FakeHost host;
  host.lines = {"x"};
  WriteRunLog(host, {}, dir.system(), "p.ini");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(fs::is_regular_file(dir.native() / "log"));
}

}  // namespace
}  // namespace pagelark
