#include <gtest/gtest.h>

#include "net/UrlParts.h"
#include "net/WebClient.h"

namespace pagelark::net {
namespace {

struct SplitRow {
  std::string url;
  unsigned short port;
  std::string scheme, host;
  unsigned short expectedPort;
  std::string object;
};

TEST(SplitUrl, SplitsSchemeHostPortAndObject) {
  const SplitRow rows[] = {
      {"http://www.example.com/a/b.html", 80, "http", "www.example.com", 80, "/a/b.html"},
      {"http://www.example.com", 80, "http", "www.example.com", 80, "/"},
      {"http://www.example.com?x=1", 80, "http", "www.example.com", 80, "/?x=1"},
      {"http://Host.Example:8080/p?q=1&r=2", 80, "http", "Host.Example", 8080, "/p?q=1&r=2"},
      {"HTTPS://secure.example/x", 80, "https", "secure.example", 443, "/x"},
      {"https://secure.example:8443/", 80, "https", "secure.example", 8443, "/"},
      {"ftp://files.example/f.zip", 80, "ftp", "files.example", 21, "/f.zip"},
      {"gopher://g.example/", 80, "gopher", "g.example", 70, "/"},
      {"news://n.example/x", 8000, "news", "n.example", 8000, "/x"},
      {"http://user:pw@host.example/x", 80, "http", "host.example", 80, "/x"},
      {"http://[::1]:8080/x", 80, "http", "::1", 8080, "/x"},
      {"http://host.example:/x", 80, "http", "host.example", 80, "/x"},
      {"http://host.example/a/../b c/\x95\x5C.html", 80, "http", "host.example", 80, "/a/../b c/\x95\x5C.html"},
      {"http://host.example#top", 80, "http", "host.example", 80, "/#top"},
  };
  for (const SplitRow& row : rows) {
    SCOPED_TRACE(row.url);
    UrlParts parts;
    ASSERT_TRUE(SplitUrl(row.url, row.port, parts));
    EXPECT_EQ(parts.scheme, row.scheme);
    EXPECT_EQ(parts.host, row.host);
    EXPECT_EQ(parts.port, row.expectedPort);
    EXPECT_EQ(parts.object, row.object);
  }
}

TEST(SplitUrl, RefusesWhatCannotBeSplitAndKeepsThePassedPort) {
  const std::string urls[] = {"",          "www.example.com/x", "http:/x",        "http://",
                              "http:///x", "http://host:abc/",  "http://host:0/", "http://host:65536/",
                              "://host/",  "1http://host/",     " http://host/",  "http://[::1/"};
  for (const std::string& url : urls) {
    SCOPED_TRACE(url);
    UrlParts parts;
    EXPECT_FALSE(SplitUrl(url, 8123, parts));
    EXPECT_EQ(parts.port, 8123);
    EXPECT_EQ(parts.host, "");
  }
}

// The wire tests show the encoding end to end; these rows add the scheme and
// host forms and the bytes that stay as written.
TEST(RequestUrl, EncodesWhatARequestLineCannotCarry) {
  const struct {
    UrlParts parts;
    std::string url;
  } rows[] = {
      {{"https", "h.example", 443, "/"}, "https://h.example:443/"},
      {{"ftp", "h.example", 21, "/f"}, "http://h.example:21/f"},
      {{"http", "h.example", 80, "/x\r\nHost: evil\t\x7F"}, "http://h.example:80/x%0D%0AHost:%20evil%09%7F"},
      {{"http", "h.example", 80, "/%41/a\\b|c?x=%zz"}, "http://h.example:80/%41/a\\b|c?x=%zz"},
      {{"http", "h.example", 80, "/\xFD\x81"}, "http://h.example:80/%FD%81"},
      {{"http", "::1", 8080, "/"}, "http://[::1]:8080/"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.url);
    EXPECT_EQ(RequestUrl(row.parts), row.url);
  }
}

// As a browser sends it: the path's characters in UTF-8, the query's bytes as
// they are, a byte CP932 cannot decode as it is.
TEST(RequestUrl, SendsThePathInUtf8WhenAsked) {
  const UrlParts parts{"http", "h", 80, "/\x8E\xCA\x90\x5E/\xB1\xFD.png?q=\x8E\xCA"};  // 写真/ｱ + 0xFD
  EXPECT_EQ(RequestUrl(parts, true), "http://h:80/%E5%86%99%E7%9C%9F/%EF%BD%B1%FD.png?q=%8E%CA");
  EXPECT_EQ(RequestUrl(parts), "http://h:80/%8E%CA%90%5E/%B1%FD.png?q=%8E%CA");
}

TEST(IsUsableHost, RefusesHostsThatCannotResolve) {
  const struct {
    std::string host;
    bool usable;
  } rows[] = {{"www.example.com", true}, {"127.0.0.1", true},  {"::1", true},
              {"my_host-1.local", true}, {"", false},          {"exa mple.com", false},
              {"\x97\xE1.jp", false},    {"host/evil", false}, {"host\r\n", false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.host);
    EXPECT_EQ(IsUsableHost(row.host), row.usable);
  }
}

TEST(ExtractServer, GivesTheHostOrNothingAndAlwaysTrue) {
  WebClient client;
  std::string server = "old";
  EXPECT_TRUE(client.ExtractServer("http://user@Host.Example:8080/x?y", 80, server));
  EXPECT_EQ(server, "Host.Example");
  EXPECT_TRUE(client.ExtractServer("no url at all", 80, server));
  EXPECT_EQ(server, "");
}

}  // namespace
}  // namespace pagelark::net
