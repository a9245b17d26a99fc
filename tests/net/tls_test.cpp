// https goes over TLS and verifies the server's certificate.
#include <gtest/gtest.h>

#include "net/NetTestSupport.h"
#include "net/WebClient.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"

namespace pagelark::net {
namespace {

class TlsTest : public ::testing::Test {
 protected:
  static WebClientOptions TrustingOptions(const std::string& caFile) {
    WebClientOptions options = test::ShortTimeouts();
    options.caFile = caFile;
    return options;
  }

  test::TempDir dir_;
  test::TestCertificate certificate_ = test::TestCertificate::Create(dir_.native());
  test::LoopbackServer server_{certificate_};
  WebClient client_{TrustingOptions(certificate_.certFile)};
};

TEST_F(TlsTest, OperationsWorkOverTls) {
  ASSERT_EQ(server_.Url("/").substr(0, 8), "https://");
  server_.Serve("/page.html", 200, "secure page");
  server_.Serve("/f.cgi", 200, "secure answer");
  std::string text, answer;
  EXPECT_TRUE(client_.FetchText(server_.Url("/page.html"), 80, text));
  EXPECT_EQ(text, "secure page");
  EXPECT_TRUE(client_.FetchToFile(dir_.system() + "p.html", server_.Url("/page.html"), 80));
  EXPECT_EQ(test::ReadBytes(dir_.native() / "p.html"), "secure page");
  EXPECT_TRUE(client_.SubmitFormPost("q=1", answer, server_.Url("/f.cgi?q=1"), 80));
  EXPECT_EQ(answer, "secure answer");
  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].Header("User-Agent"), "My Session");
  EXPECT_EQ(requests[0].Header("Accept"), "text");
  EXPECT_EQ(requests[2].method, "POST");
  EXPECT_EQ(requests[2].version, "HTTP/1.0");
  EXPECT_EQ(requests[2].body, "q=1");
}

TEST_F(TlsTest, UntrustedCertificateFails) {
  server_.Serve("/page.html", 200, "secure page");
  WebClient untrusting(test::ShortTimeouts());
  std::string text, answer = "old";
  EXPECT_FALSE(untrusting.FetchText(server_.Url("/page.html"), 80, text));
  EXPECT_EQ(untrusting.LastFailure().kind, FailureKind::kOther);  // libcurl's text
  EXPECT_FALSE(untrusting.LastFailure().text.empty());
  EXPECT_FALSE(untrusting.SubmitFormPost("q=1", answer, server_.Url("/page.html?q=1"), 80));
  EXPECT_EQ(answer, "old");
  EXPECT_TRUE(server_.Requests().empty());
}

// Plain HTTP to a TLS port: the scheme decides, not the port.
TEST_F(TlsTest, HttpSchemeIsNotSentOverTls) {
  server_.Serve("/page.html", 200, "secure page");
  std::string text;
  EXPECT_FALSE(client_.FetchText("http://127.0.0.1:" + std::to_string(server_.port()) + "/page.html", 80, text));
}

}  // namespace
}  // namespace pagelark::net
