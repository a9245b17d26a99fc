// pagelark-cli against hostile answers: each failing candidate gets its
// failure line, leaves no file, and the candidates after it are still
// fetched.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "hostile/HostileRun.h"
#include "messages/RunTexts.h"

namespace pagelark::test {
namespace {

constexpr int kSeconds = 20;  // a stall costs 2 to 3 s here; a hang runs into the 30 s defaults

class HostileAnswers : public HostileRun {
 protected:
  // Runs from a start page with `links`, then anchors to a page and a file;
  // checks the failure line of each `failing` path, that it left no file,
  // and that the page and file after them arrived.
  ProcessResult RunPast(const std::string& links, const std::vector<const char*>& failing, int seconds) {
    site.Serve("/start.html", links + Anchors({"/after.html", "/after.zip"}));
    settings.startUrl = site.Url("/start.html");
    const ProcessResult result = Run(seconds);
    const std::size_t after = result.out.find(Line("/after.html", msg::kSucceeded));
    for (const char* path : failing) {
      const std::size_t failure = result.out.find(Line(path, msg::kFailed));
      EXPECT_NE(failure, std::string::npos) << path << "\n" << result.out;
      EXPECT_LT(failure, after) << path;
      EXPECT_FALSE(std::filesystem::exists(Stored(path))) << path;
    }
    EXPECT_EQ(ReadAll(Stored("/after.zip")), HostileSite::PlainBody("/after.zip")) << result.out;
    EXPECT_NE(result.err.find(Message(msg::kDownloadComplete)), std::string::npos) << result.err;
    return result;
  }
};

class EachTrap : public HostileAnswers, public ::testing::WithParamInterface<HostileSite::Trap> {};

TEST_P(EachTrap, FailsAndTheRunGoesOn) { RunPast(Anchors(GetParam().paths), GetParam().paths, kSeconds); }

INSTANTIATE_TEST_SUITE_P(HostileAnswers, EachTrap, ::testing::ValuesIn(HostileSite::Traps()),
                         [](const auto& trap) { return std::string(trap.param.name); });

// Every trap in one run, each followed by a plain file that must arrive.
TEST_F(HostileAnswers, OneRunMeetsEveryTrapAndGoesOnPastEach) {
  std::string links;
  std::vector<const char*> failing;
  std::vector<std::string> oks;
  for (const HostileSite::Trap& trap : HostileSite::Traps()) {
    oks.push_back(std::string("/ok-") + trap.name + ".zip");
    links += Anchors(trap.paths) + Anchors({oks.back().c_str()});
    failing.insert(failing.end(), trap.paths.begin(), trap.paths.end());
  }
  const ProcessResult result = RunPast(links, failing, 3 * kSeconds);
  for (const std::string& ok : oks) {
    EXPECT_EQ(ReadAll(Stored(ok)), HostileSite::PlainBody(ok)) << ok;
    EXPECT_NE(result.out.find(Line(ok, msg::kSucceeded)), std::string::npos) << ok;
  }
}

// A body longer than its Content-Length keeps the announced bytes, and the
// rest does not pass for the next answer.
TEST_F(HostileAnswers, ABodyLongerThanAnnouncedKeepsTheAnnouncedBytes) {
  RunPast(Anchors({"/long.zip"}), {}, kSeconds);
  EXPECT_EQ(ReadAll(Stored("/long.zip")), "0123456789");
}

// A megabyte of anchors and images without a blank or line break, the same
// few links over and over: scanned and rewritten in linear time.
TEST_F(HostileAnswers, AMinifiedMegabytePageScansInTime) {
  std::string page;
  while (page.size() < 1'000'000) {  // under the 1 MiB cap
    const std::string n = std::to_string(page.size() % 7);
    page += "<a href=m" + n + ".html>" + n + "</a><img src=m" + n + ".gif>";
  }
  const ProcessResult result = RunPast(page, {}, kSeconds);
  for (const char* path : {"/m0.html", "/m6.html", "/m0.gif", "/m6.gif"}) {
    EXPECT_NE(result.out.find(Line(path, msg::kSucceeded)), std::string::npos) << path;
  }
  EXPECT_EQ(site.Targets().size(), 17u);  // the start page, 7 pages, 7 images, after.html and after.zip
}

// A NUL byte in a link, raw or as %00, is sent and stored as %00: the file
// named by the part before it keeps its own bytes.
TEST_F(HostileAnswers, NulBytesInLinksDoNotCutTheStoredName) {
  using namespace std::string_literals;
  RunPast("<a href=nul.zip>x</a><a href=nul.zip\0.gif>x</a><a href=pct.zip>x</a><a href=pct.zip%00.gif>x</a>"s, {},
          kSeconds);
  for (const char* path : {"/nul.zip", "/nul.zip%00.gif", "/pct.zip", "/pct.zip%00.gif"}) {
    EXPECT_EQ(ReadAll(Stored(path)), HostileSite::PlainBody(path)) << path;
  }
}

// Two links that differ only in letter case: the first keeps its file, the
// second fails instead of overwriting it.
TEST_F(HostileAnswers, LinksDifferingOnlyInCaseDoNotOverwriteEachOther) {
  const ProcessResult result = RunPast(Anchors({"/Case.zip", "/case.zip"}), {}, kSeconds);
  EXPECT_NE(result.out.find(Line("/case.zip", msg::kFailed)), std::string::npos);
  EXPECT_EQ(ReadAll(Stored("/case.zip")), HostileSite::PlainBody("/Case.zip"));
}

// Links whose names try to leave the download folder by dot steps, escaped
// dots, backslashes or absolute paths land inside it (the case folder
// around it is checked after every run).
TEST_F(HostileAnswers, NamesThatTryToEscapeStayInTheDownloadFolder) {
  RunPast(Anchors({"../../../../../e1.zip", "%2e%2e/%2e%2e/%2e%2e/%2e%2e/e2.zip", ".%2E/.%2E/.%2E/.%2E/e3.zip",
                   "/../../../../e4.zip", "..\\..\\..\\..\\e5.zip", "%2e%2e%5c%2e%2e%5c%2e%2e%5ce6.zip", "/tmp/e7.zip",
                   "%252e%252e/%252e%252e/e8.zip"}),
          {}, kSeconds);
  const auto stored = StoredFiles();
  for (char n = '1'; n <= '8'; ++n) {
    const std::string name = std::string("e") + n + ".zip";
    EXPECT_EQ(std::count_if(stored.begin(), stored.end(), [&](const auto& file) { return file.first.ends_with(name); }),
              1)
        << name;
  }
}

// The site stops at once, also while one client waits in the middle of an
// endless body it does not read and another for an answer that never comes.
TEST(HostileSiteTest, StopsWhileClientsAreMidTransfer) {
  const int clients[] = {::socket(AF_INET, SOCK_STREAM, 0), ::socket(AF_INET, SOCK_STREAM, 0)};
  std::chrono::steady_clock::time_point stop;
  {
    TempDir dir;
    HostileSite site(dir.native() / "secret");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(site.port());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const char* const requests[] = {"GET /endless.zip HTTP/1.1\r\n\r\n", "GET /silent.html HTTP/1.1\r\n\r\n"};
    for (int i : {0, 1}) {
      ASSERT_EQ(::connect(clients[i], reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
      ASSERT_GT(::send(clients[i], requests[i], std::strlen(requests[i]), 0), 0);
    }
    char head[16];
    ASSERT_GT(::recv(clients[0], head, sizeof head, 0), 0);
    while (site.Requests().size() < 2) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    stop = std::chrono::steady_clock::now();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - stop, std::chrono::seconds(1));
  for (const int client : clients) ::close(client);
}

}  // namespace
}  // namespace pagelark::test
