// What each operation puts on the wire, read byte for byte by a raw socket.
#include <gtest/gtest.h>

#include <functional>

#include "net/NetTestSupport.h"
#include "net/WebClient.h"
#include "support/RawSocketServer.h"
#include "support/TempDir.h"

namespace pagelark::net {
namespace {

using test::RecordedRequest;

constexpr const char* kOkReply = "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok";
constexpr const char* kFormType = "application/x-www-form-urlencoded";

struct WireRow {
  std::string name;
  std::string path;
  std::function<bool(WebClient&, const std::string& url, const std::string& file)> call;
  std::string method, version, userAgent, accept, contentType;
  std::string body;  // "<url>" stands for the request's whole URL
};

std::vector<WireRow> Rows() {
  const auto fetchText = [](WebClient& c, const std::string& url, const std::string&) {
    std::string text;
    return c.FetchText(url, 80, text);
  };
  const auto fetchToFile = [](WebClient& c, const std::string& url, const std::string& file) {
    return c.FetchToFile(file, url, 80);
  };
  const auto queryToFile = [](WebClient& c, const std::string& url, const std::string& file) {
    return c.FetchQueryToFile(file, url, 80);
  };
  const auto form = [](bool post, std::string body) {
    return [post, body](WebClient& c, const std::string& url, const std::string&) {
      std::string answer;
      return post ? c.SubmitFormPost(body, answer, url, 80) : c.SubmitFormGet(body, answer, url, 80);
    };
  };
  return {
      {"FetchText", "/dir/page.html?a=1&b=2", fetchText, "GET", "HTTP/1.1", "My Session", "text", "", ""},
      {"FetchToFile", "/img/logo.png", fetchToFile, "GET", "HTTP/1.1", "My Session", "text", "", ""},
      {"FetchQueryToFile", "/cgi/list.cgi?page=2", queryToFile, "GET", "HTTP/1.0", "My Session", "", kFormType,
       "<url>"},
      {"SubmitFormGet empty", "/s.cgi?q=1", form(false, ""), "GET", "HTTP/1.0", "GetServer", "", kFormType, ""},
      {"SubmitFormGet body", "/s.cgi?q=1", form(false, "q=1"), "GET", "HTTP/1.0", "GetServer", "", kFormType, "q=1"},
      {"SubmitFormPost", "/s.cgi?q=a%20b&x=1", form(true, "q=a%20b&x=1"), "POST", "HTTP/1.0", "PostServer", "",
       kFormType, "q=a%20b&x=1"},
      {"SubmitFormPost empty", "/s.cgi?q=1", form(true, ""), "POST", "HTTP/1.0", "PostServer", "", kFormType, ""},
  };
}

void ExpectHeader(const RecordedRequest& request, const std::string& name, const std::string& value) {
  if (value.empty()) {
    EXPECT_FALSE(request.HasHeader(name)) << name << ": " << request.Header(name);
  } else {
    EXPECT_EQ(request.Header(name), value) << name;
  }
}

class WireTest : public ::testing::TestWithParam<bool> {
 protected:
  WebClientOptions Options() const {
    WebClientOptions options = test::ShortTimeouts();
    options.reuseConnections = GetParam();
    return options;
  }
  test::TempDir dir_;
};

// All rows run on one client, so settings of one request must not leak into
// the next.
TEST_P(WireTest, EachOperationSendsItsRequestProfile) {
  test::RawSocketServer server(kOkReply, false);
  WebClient client(Options());
  const std::vector<WireRow> rows = Rows();
  for (const WireRow& row : rows) {
    EXPECT_TRUE(row.call(client, server.Url(row.path), dir_.system() + "out.bin")) << row.name;
  }
  const std::vector<std::string> raw = server.Requests();
  ASSERT_EQ(raw.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const WireRow& row = rows[i];
    SCOPED_TRACE(row.name + "\n" + raw[i]);
    const RecordedRequest request = test::ParseRawRequest(raw[i]);
    EXPECT_EQ(request.method, row.method);
    EXPECT_EQ(request.target, row.path);
    EXPECT_EQ(request.version, row.version);
    EXPECT_EQ(request.Header("Host"), "127.0.0.1:" + std::to_string(server.port()));
    ExpectHeader(request, "User-Agent", row.userAgent);
    ExpectHeader(request, "Accept", row.accept);
    ExpectHeader(request, "Content-Type", row.contentType);
    EXPECT_FALSE(request.HasHeader("Expect"));
    EXPECT_EQ(raw[i].find("HTML Get Sample"), std::string::npos);
    EXPECT_EQ(request.body, row.body == "<url>" ? server.Url(row.path) : row.body);
    if (row.method == "POST") {
      EXPECT_EQ(request.Header("Content-Length"), std::to_string(row.body.size()));
    } else if (row.body.empty()) {
      EXPECT_FALSE(request.HasHeader("Content-Length"));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ReuseOnAndOff, WireTest, ::testing::Bool());

// Spaces, control bytes and CP932 characters go out percent-encoded; the rest
// of the path, dot segments included, as written; a fragment never.
TEST(WireTargets, UrlTextReachesTheRequestLineSafely) {
  const struct {
    std::string path, target;
  } rows[] = {
      {"/a b/\x95\x5C.html?q=\x82\xA0 x", "/a%20b/%95%5C.html?q=%82%A0%20x"},
      {"/a/../b/./c.html", "/a/../b/./c.html"},
      {"/p.html#sec", "/p.html"},
      {"/x\r\nX-Injected: 1", "/x%0D%0AX-Injected:%201"},
      {"?only=query", "/?only=query"},
  };
  test::RawSocketServer server(kOkReply, false);
  WebClient client(test::ShortTimeouts());
  for (const auto& row : rows) {
    std::string text;
    EXPECT_TRUE(client.FetchText(server.Url("") + row.path, 80, text)) << row.path;
  }
  const std::vector<std::string> raw = server.Requests();
  ASSERT_EQ(raw.size(), std::size(rows));
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const RecordedRequest request = test::ParseRawRequest(raw[i]);
    EXPECT_EQ(request.target, rows[i].target) << raw[i];
    EXPECT_FALSE(request.HasHeader("X-Injected"));
  }
}

}  // namespace
}  // namespace pagelark::net
