// The fetches turn every network failure into false; a failed file write is
// not one of them. A failed download leaves no file behind: an earlier copy
// stays byte for byte and no temporary file is left. LastFailure says why.
#include <gtest/gtest.h>

#include "net/NetTestSupport.h"
#include "net/WebClient.h"
#include "support/FileSizeLimit.h"
#include "support/RawSocketServer.h"
#include "support/TempDir.h"

namespace pagelark::net {
namespace {

class FetchFailureTest : public ::testing::Test {
 protected:
  // Runs the three fetches on `url`; every one must give false. The first
  // download goes to a new file and leaves none, the second over an earlier
  // copy, which stays as it was.
  void ExpectAllFetchesFail(const std::string& url) {
    SCOPED_TRACE(url);
    std::string text;
    EXPECT_FALSE(client_.FetchText(url, 80, text));
    EXPECT_FALSE(client_.FetchToFile(dir_.system() + "f.bin", url, 80));
    test::WriteOld(dir_.native() / "q.bin");
    EXPECT_FALSE(client_.FetchQueryToFile(dir_.system() + "q.bin", url, 80));
    ExpectOnlyTheEarlierCopy();
  }
  void ExpectOnlyTheEarlierCopy() const {
    EXPECT_EQ(test::ReadBytes(dir_.native() / "q.bin"), "old content");
    EXPECT_EQ(dir_.List(), std::vector<std::string>{"q.bin"});
  }

  test::TempDir dir_;
  WebClient client_{test::ShortTimeouts()};
};

TEST_F(FetchFailureTest, BadUrlsAndUnreachableServersGiveFalse) {
  const std::string urls[] = {
      "",
      "www.example.com/index.html",
      "http://",
      "http://host:99999/",
      "http://" + test::kUnresolvableHost + "/index.html",
      "http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/index.html",
      "http://exa mple.com/",
      "http://\x97\xE1\x82\xA6.jp/\x95\x5C.html",  // a CP932 host name
  };
  for (const std::string& url : urls) ExpectAllFetchesFail(url);
}

TEST_F(FetchFailureTest, ServerThatNeverAnswersGivesFalse) {
  test::RawSocketServer silent("", true);
  ExpectAllFetchesFail(silent.Url("/page.html?x=1"));
}

// A body cut short, by a closed connection or a stall: what arrived is dropped.
TEST_F(FetchFailureTest, BodyCutShortGivesFalse) {
  for (const bool holdOpen : {false, true}) {
    test::RawSocketServer cut("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789", holdOpen);
    ExpectAllFetchesFail(cut.Url("/p.html?x=1"));
  }
}

// An answer other than 200 ends with its head: a body cut short or never
// sent does not matter, and a form gives false rather than an error.
TEST_F(FetchFailureTest, ErrorPagesEndWithTheirHead) {
  for (const bool holdOpen : {false, true}) {
    test::RawSocketServer notFound("HTTP/1.1 404 Not Found\r\nContent-Length: 100\r\n\r\nshort", holdOpen);
    ExpectAllFetchesFail(notFound.Url("/gone.html"));
    std::string response = "old";
    EXPECT_FALSE(client_.SubmitFormPost("a=1", response, notFound.Url("/f.cgi?a=1"), 80));
    EXPECT_EQ(response, "");
    test::RawSocketServer moved("HTTP/1.1 302 Found\r\nLocation: /x\r\nContent-Length: 50\r\n\r\n", holdOpen);
    EXPECT_FALSE(client_.SubmitFormGet("", response, moved.Url("/f.cgi?a=1"), 80));
  }
}

TEST_F(FetchFailureTest, LastFailureSaysWhy) {
  test::RawSocketServer notFound("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", false);
  test::RawSocketServer empty("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", false);
  test::RawSocketServer cut("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789", false);
  test::RawSocketServer silent("", true);
  const struct {
    std::string url;
    FailureKind kind;
    std::string text;
  } rows[] = {
      {notFound.Url("/gone.html"), FailureKind::kHttpStatus, "HTTP 404"},
      {"http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/", FailureKind::kRefused, "refused"},
      {"www.example.com/index.html", FailureKind::kBadUrl, "bad URL"},
      {"http://" + test::kUnresolvableHost + "/", FailureKind::kUnknownHost, "unknown host"},
      {silent.Url("/p.html"), FailureKind::kTimedOut, "timed out"},
      {cut.Url("/p.html"), FailureKind::kCutShort, "cut short"},
      {empty.Url("/p.html"), FailureKind::kEmpty, "empty"},
  };
  for (const auto& row : rows) {
    std::string text;
    EXPECT_FALSE(client_.FetchText(row.url, 80, text)) << row.url;
    EXPECT_EQ(client_.LastFailure().kind, row.kind) << row.url;
    EXPECT_EQ(client_.LastFailure().text, row.text) << row.url;
  }
  EXPECT_FALSE(client_.FetchToFile(dir_.system() + "missing\\f.bin", notFound.Url("/f.bin"), 80));
  EXPECT_EQ(client_.LastFailure().text, "cannot write");
  EXPECT_TRUE(client_.FetchToFile(dir_.system() + "f.bin", empty.Url("/f.bin"), 80));
  EXPECT_EQ(client_.LastFailure().kind, FailureKind::kNone);
  EXPECT_EQ(client_.LastFailure().text, "");
}

TEST_F(FetchFailureTest, WriteErrorReachesTheCaller) {
  const std::string body(1 << 16, 'x');
  test::RawSocketServer server("HTTP/1.0 200 OK\r\nContent-Length: 65536\r\n\r\n" + body, false);
  test::WriteOld(dir_.native() / "q.bin");
  {
    const test::FileSizeLimit full(4096);
    EXPECT_THROW(client_.FetchToFile(dir_.system() + "q.bin", server.Url("/f.bin"), 80), DownloadWriteError);
  }
  EXPECT_EQ(client_.LastFailure().kind, FailureKind::kCannotWrite);
  ExpectOnlyTheEarlierCopy();
}

}  // namespace
}  // namespace pagelark::net
