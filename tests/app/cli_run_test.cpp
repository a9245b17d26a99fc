#include <gtest/gtest.h>

#include <filesystem>

#include "support/CliProcess.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"

namespace pagelark {
namespace {

namespace fs = std::filesystem;
using test::CliResult;
using test::ReadAll;
using test::RunCli;

// With --verbose a failure line is followed by its reason.
TEST(PagelarkCli, RunsAProfileAndPrintsTheProgressInUtf8) {
  test::TempDir dir;
  test::LoopbackServer server;
  server.Serve("/a.html", 200, "<img src=\"b.gif\"><img src=\"gone.gif\">");
  server.Serve("/b.gif", 200, "gif");
  const CliResult result =
      RunCli(dir, "--set 'URL=" + server.Url("/a.html") + "' --set DownLoad=dl --set LOG=on --verbose");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find(server.Url("/b.gif") + "のダウンロードに成功しました。\n"), std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find(server.Url("/gone.gif") + "のダウンロードに失敗しました。\n    (HTTP 404)\n"),
            std::string::npos)
      << result.out;
  EXPECT_TRUE(result.out.starts_with("\nHTMLダウンロードを開始します。 時間="));
  EXPECT_NE(result.err.find("PagelarkCGI: ダウンロード完了\n"), std::string::npos) << result.err;
  const std::string site = "dl/http/127.0.0.1" + std::to_string(server.port());
  EXPECT_EQ(ReadAll(dir.native() / site / "b.gif"), "gif");
  EXPECT_TRUE(fs::is_directory(dir.native() / "prog/log"));
}

TEST(PagelarkCli, ExitsWithOneWhenTheStartCommandRefuses) {
  test::TempDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {"--set URL=http://127.0.0.1:9/ --set Count=0 --set DownLoad=dl", "ダウンロード数は0以上を指定してください。"},
      {"--set DownLoad=dl", "URLが入力されていません。"},
  };
  for (const auto& [arguments, message] : cases) {
    const CliResult result = RunCli(dir, arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("PagelarkCGI: " + message), std::string::npos) << result.err;
  }
}

TEST(PagelarkCli, ExitsWithOneWhenTheRunIsAbandoned) {
  test::TempDir dir;
  test::LoopbackServer server;  // answers no index page
  const CliResult result = RunCli(dir, "--set 'URL=" + server.Url("/none/") + "' --set DownLoad=dl");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find(server.Url("/none/") + "はダウンロードできません。\n"), std::string::npos);
  EXPECT_EQ(result.err.find("ダウンロード完了"), std::string::npos);
}

TEST(PagelarkCli, ExitsWithTwoOnUsageErrors) {
  test::TempDir dir;
  EXPECT_EQ(RunCli(dir, "--nope").status, 2);
  EXPECT_EQ(RunCli(dir, "missing.ini").status, 2);
  EXPECT_EQ(RunCli(dir, "--set Bogus=1").status, 2);
  EXPECT_FALSE(fs::exists(dir.native() / "prog"));  // nothing made before the arguments are checked
}

TEST(PagelarkCli, SaveAsWritesTheProfileAndSetIniWithoutRunning) {
  test::TempDir dir;
  const CliResult result = RunCli(dir, "--set URL=http://例/ --save-as saved.ini");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.out.empty());
  const std::string profile = ReadAll(dir.native() / "saved.ini");
  EXPECT_NE(profile.find("URL=http://\x97\xE1/\r\n"), std::string::npos);  // 例 in CP932
  EXPECT_NE(ReadAll(dir.native() / "prog/set.ini").find("saved.ini\r\n"), std::string::npos);
  // The saved profile runs as it was saved.
  const CliResult again = RunCli(dir, "--save-as copy.ini saved.ini");
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(ReadAll(dir.native() / "copy.ini"), profile);
}

}  // namespace
}  // namespace pagelark
