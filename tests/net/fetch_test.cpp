// FetchText, FetchToFile and FetchQueryToFile against a loopback server.
#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <set>

#include "net/NetTestSupport.h"
#include "net/RequestProfile.h"
#include "net/WebClient.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"

namespace pagelark::net {
namespace {

class FetchTest : public ::testing::Test {
 protected:
  std::string LocalPath(const std::string& name) const { return dir_.system() + name; }
  std::string ReadLocal(const std::string& name) const { return test::ReadBytes(dir_.native() / name); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir_.native() / name); }

  test::TempDir dir_;
  test::LoopbackServer server_;
  // Declared last, so it goes first: its kept-alive connection is closed
  // before the server stops.
  WebClient client_{test::ShortTimeouts()};
};

TEST_F(FetchTest, FetchTextAppendsThePageToTheTextItIsGiven) {
  server_.Serve("/page.html", 200, "<html>body</html>");
  std::string text = "before|";
  EXPECT_TRUE(client_.FetchText(server_.Url("/page.html"), 80, text));
  EXPECT_EQ(text, "before|<html>body</html>");
}

TEST_F(FetchTest, EmptyPageFailsAsTextButIsSavedAsAnEmptyFile) {
  server_.Serve("/empty.html", 200, "");
  std::string text;
  EXPECT_FALSE(client_.FetchText(server_.Url("/empty.html"), 80, text));
  EXPECT_EQ(text, "");
  EXPECT_TRUE(client_.FetchToFile(LocalPath("empty.html"), server_.Url("/empty.html"), 80));
  EXPECT_TRUE(Exists("empty.html"));
  EXPECT_EQ(ReadLocal("empty.html"), "");
}

TEST_F(FetchTest, OnlyStatus200Succeeds) {
  for (const int status : {201, 204, 403, 404, 500}) {
    SCOPED_TRACE(status);
    server_.Serve("/s", status, "error page");
    std::string text = "kept";
    EXPECT_FALSE(client_.FetchText(server_.Url("/s"), 80, text));
    EXPECT_EQ(text, "kept");
    test::WriteOld(dir_.native() / "s.bin");
    EXPECT_FALSE(client_.FetchToFile(LocalPath("s.bin"), server_.Url("/s"), 80));
    EXPECT_FALSE(client_.FetchQueryToFile(LocalPath("q.bin"), server_.Url("/s?a=1"), 80));
    EXPECT_EQ(ReadLocal("s.bin"), "old content");  // an earlier copy stays, nothing new is made
    EXPECT_EQ(dir_.List(), std::vector<std::string>{"s.bin"});
  }
  server_.Serve("/s", 200, "new");
  EXPECT_TRUE(client_.FetchToFile(LocalPath("s.bin"), server_.Url("/s"), 80));
  EXPECT_EQ(ReadLocal("s.bin"), "new");
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"s.bin"});
}

TEST_F(FetchTest, RedirectsAreFollowedExceptByTheQueryDownload) {
  server_.Serve("/new.html", 200, "moved here");
  for (const int status : {301, 302}) {
    SCOPED_TRACE(status);
    server_.Redirect("/old.html", status, server_.Url("/new.html"));
    std::string text;
    EXPECT_TRUE(client_.FetchText(server_.Url("/old.html"), 80, text));
    EXPECT_EQ(text, "moved here");
    EXPECT_TRUE(client_.FetchToFile(LocalPath("f.html"), server_.Url("/old.html"), 80));
    EXPECT_EQ(ReadLocal("f.html"), "moved here");
    const std::size_t before = server_.Requests().size();
    EXPECT_FALSE(client_.FetchQueryToFile(LocalPath("q.html"), server_.Url("/old.html?x=1"), 80));
    EXPECT_FALSE(Exists("q.html"));
    EXPECT_EQ(server_.Requests().size(), before + 1) << "the redirect target is not fetched";
  }
}

TEST_F(FetchTest, RedirectChainsEndAtTheLimit) {
  // "/hop/N" sends on to "/hop/N-1"; "/hop/0" is the page.
  for (long hop = 1; hop <= net::kMaxRedirects + 1; ++hop) {
    server_.Redirect("/hop/" + std::to_string(hop), 302, "/hop/" + std::to_string(hop - 1));
  }
  server_.Serve("/hop/0", 200, "end");
  std::string text;
  EXPECT_TRUE(client_.FetchText(server_.Url("/hop/" + std::to_string(net::kMaxRedirects)), 80, text));
  EXPECT_EQ(text, "end");
  EXPECT_FALSE(client_.FetchToFile(LocalPath("f"), server_.Url("/hop/" + std::to_string(net::kMaxRedirects + 1)), 80));
}

// Every byte is kept, zero bytes included, across many transfer chunks.
TEST_F(FetchTest, BodiesKeepEveryByte) {
  const std::string body = test::AllByteValues(300'000);
  server_.Serve("/bin", 200, body, "application/octet-stream");
  std::string text;
  EXPECT_TRUE(client_.FetchText(server_.Url("/bin"), 80, text));
  EXPECT_EQ(text, body);
  EXPECT_TRUE(client_.FetchToFile(LocalPath("bin"), server_.Url("/bin"), 80));
  EXPECT_EQ(ReadLocal("bin"), body);
  EXPECT_TRUE(client_.FetchQueryToFile(LocalPath("binq"), server_.Url("/bin?x=1"), 80));
  EXPECT_EQ(ReadLocal("binq"), body);
}

TEST_F(FetchTest, SavesUnderACp932FileName) {
  server_.Serve("/x.html", 200, "x");
  EXPECT_TRUE(client_.FetchToFile(LocalPath("\x95\x5C.html"), server_.Url("/x.html"), 80));  // 表.html
  EXPECT_EQ(ReadLocal("\xE8\xA1\xA8.html"), "x");
}

TEST_F(FetchTest, FileThatCannotBeCreatedFailsWithoutARequest) {
  server_.Serve("/x.html", 200, "x");
  EXPECT_FALSE(client_.FetchToFile(LocalPath("missing\\x.html"), server_.Url("/x.html"), 80));
  EXPECT_FALSE(client_.FetchQueryToFile(LocalPath("missing\\q.html"), server_.Url("/x.html?a=1"), 80));
  EXPECT_TRUE(server_.Requests().empty());
}

// One client, one kept-alive connection: each request still goes out as its
// own operation asks.
TEST_F(FetchTest, OperationsInTurnOnOneClientKeepTheirOwnRequests) {
  server_.Serve("/p.html", 200, "page");
  server_.Serve("/f.cgi", 200, "answer");
  std::string text, answer;
  EXPECT_TRUE(client_.FetchText(server_.Url("/p.html"), 80, text));
  EXPECT_TRUE(client_.SubmitFormPost("a=1", answer, server_.Url("/f.cgi?a=1"), 80));
  EXPECT_TRUE(client_.FetchText(server_.Url("/p.html"), 80, text));
  EXPECT_TRUE(client_.SubmitFormGet("", answer, server_.Url("/f.cgi?a=1"), 80));
  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 4u);
  const char* expected[][3] = {{"GET", "HTTP/1.1", "My Session"},
                               {"POST", "HTTP/1.0", "PostServer"},
                               {"GET", "HTTP/1.1", "My Session"},
                               {"GET", "HTTP/1.0", "GetServer"}};
  for (std::size_t i = 0; i < requests.size(); ++i) {
    EXPECT_EQ(requests[i].method, expected[i][0]) << i;
    EXPECT_EQ(requests[i].version, expected[i][1]) << i;
    EXPECT_EQ(requests[i].Header("User-Agent"), expected[i][2]) << i;
    EXPECT_EQ(requests[i].body, i == 1 ? "a=1" : "") << i;
  }
}

// The client's open connection carries its next request, unless reuse is off.
TEST_F(FetchTest, ConnectionsAreReusedUnlessSwitchedOff) {
  std::mutex mutex;
  std::vector<int> clientPorts;
  server_.Handle("/p", [&](const httplib::Request& request, httplib::Response& response) {
    const std::lock_guard lock(mutex);
    clientPorts.push_back(request.remote_port);
    response.set_content("p", "text/html");
  });
  for (const bool reuse : {true, false}) {
    WebClientOptions options = test::ShortTimeouts();
    options.reuseConnections = reuse;
    WebClient client(options);
    std::string text;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(client.FetchText(server_.Url("/p"), 80, text));
  }
  const std::lock_guard lock(mutex);
  ASSERT_EQ(clientPorts.size(), 6u);
  EXPECT_EQ(std::set<int>(clientPorts.begin(), clientPorts.begin() + 3).size(), 1u) << "reused";
  EXPECT_EQ(std::set<int>(clientPorts.begin() + 3, clientPorts.end()).size(), 3u) << "not reused";
}

// An error page announced short is read and dropped, so the next request
// goes over the same connection; a long one, or one of unknown length, ends
// the connection with its head, as before.
TEST_F(FetchTest, AShortErrorPageKeepsTheConnection) {
  server_.Serve("/p", 200, "p");
  server_.Serve("/short", 404, "not here");
  server_.Serve("/long", 404, std::string(200 * 1024, 'x'));
  std::string text;
  for (const char* path : {"/p", "/short", "/p", "/long", "/p"}) client_.FetchText(server_.Url(path), 80, text);
  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 5u);
  EXPECT_EQ(requests[0].remotePort, requests[2].remotePort);
  EXPECT_EQ(requests[2].remotePort, requests[3].remotePort);
  EXPECT_NE(requests[3].remotePort, requests[4].remotePort);
  EXPECT_EQ(client_.LastFailure().kind, FailureKind::kNone);
}

}  // namespace
}  // namespace pagelark::net
