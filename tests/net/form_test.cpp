// SubmitFormGet and SubmitFormPost: results, the response text, and which
// failures are false and which throw.
#include <gtest/gtest.h>

#include <functional>

#include "net/NetTestSupport.h"
#include "net/WebClient.h"
#include "support/LoopbackServer.h"
#include "support/RawSocketServer.h"

namespace pagelark::net {
namespace {

using Submit = std::function<bool(WebClient&, const std::string& body, std::string& response, const std::string& url)>;

struct Method {
  const char* name;
  Submit submit;
};

void PrintTo(const Method& method, std::ostream* out) { *out << method.name; }

const Method kMethods[] = {
    {"GET", [](WebClient& c, const std::string& b, std::string& r,
               const std::string& u) { return c.SubmitFormGet(b, r, u, 80); }},
    {"POST", [](WebClient& c, const std::string& b, std::string& r,
                const std::string& u) { return c.SubmitFormPost(b, r, u, 80); }},
};

class FormTest : public ::testing::TestWithParam<Method> {
 protected:
  bool Submit(const std::string& url, std::string& response) {
    return GetParam().submit(client_, "q=1", response, url);
  }
  test::LoopbackServer server_;
  WebClient client_{test::ShortTimeouts()};
};

TEST_P(FormTest, AnswerReplacesTheResponseText) {
  server_.Serve("/f.cgi", 200, "answer");
  std::string response = "old";
  EXPECT_TRUE(Submit(server_.Url("/f.cgi?q=1"), response));
  EXPECT_EQ(response, "answer");
}

TEST_P(FormTest, EmptyAnswerIsASuccess) {
  server_.Serve("/f.cgi", 200, "");
  std::string response = "old";
  EXPECT_TRUE(Submit(server_.Url("/f.cgi?q=1"), response));
  EXPECT_EQ(response, "");
}

TEST_P(FormTest, OtherStatusesAndRedirectsFailWithAnEmptyResponse) {
  server_.Serve("/target.html", 200, "target");
  server_.Redirect("/301.cgi", 301, "/target.html");
  server_.Redirect("/302.cgi", 302, "/target.html");
  server_.Serve("/404.cgi", 404, "not here");
  server_.Serve("/500.cgi", 500, "broken");
  for (const char* path : {"/301.cgi", "/302.cgi", "/404.cgi", "/500.cgi"}) {
    SCOPED_TRACE(path);
    std::string response = "old";
    EXPECT_FALSE(Submit(server_.Url(std::string(path) + "?q=1"), response));
    EXPECT_EQ(response, "");
  }
  for (const auto& request : server_.Requests()) EXPECT_NE(request.target, "/target.html");
}

TEST_P(FormTest, AnswerKeepsZeroBytes) {
  const std::string body = test::AllByteValues(100'000);
  server_.Serve("/bin.cgi", 200, body, "application/octet-stream");
  std::string response;
  EXPECT_TRUE(Submit(server_.Url("/bin.cgi?q=1"), response));
  EXPECT_EQ(response, body);
}

// Nothing arrived: the sending step failed, and only it is guarded.
TEST_P(FormTest, NoAnswerHeadGivesFalseAndLeavesTheResponseText) {
  const std::string urls[] = {
      "",
      "not a url",
      "http://" + test::kUnresolvableHost + "/f.cgi?q=1",
      "http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/f.cgi?q=1",
      "http://exa mple.com/f.cgi?q=1",
  };
  for (const std::string& url : urls) {
    SCOPED_TRACE(url);
    std::string response = "old";
    EXPECT_FALSE(Submit(url, response));
    EXPECT_EQ(response, "old");
  }
}

TEST_P(FormTest, ServerThatNeverAnswersGivesFalse) {
  test::RawSocketServer silent("", true);
  std::string response = "old";
  EXPECT_FALSE(Submit(silent.Url("/f.cgi?q=1"), response));
  EXPECT_EQ(response, "old");
}

// After the head, a broken transfer is not guarded: it reaches the caller.
TEST_P(FormTest, BodyCutShortOrStalledThrowsNetError) {
  const std::string head = "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n0123456789";
  for (const bool stall : {false, true}) {
    SCOPED_TRACE(stall ? "stalled" : "closed");
    test::RawSocketServer broken(head, stall);
    std::string response = "old";
    EXPECT_THROW(Submit(broken.Url("/f.cgi?q=1"), response), NetError);
  }
}

INSTANTIATE_TEST_SUITE_P(GetAndPost, FormTest, ::testing::ValuesIn(kMethods),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace pagelark::net
