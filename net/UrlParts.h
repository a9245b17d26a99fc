// Splitting a URL into what a request needs, and the URL handed to libcurl.
#pragma once

#include <string>
#include <string_view>

namespace pagelark::net {

struct UrlParts {
  std::string scheme;  // lower case
  std::string host;    // as written; an IPv6 address without its brackets
  unsigned short port = 0;
  std::string object;  // path and query as written, always starting with "/"
};

// Splits "scheme://[user[:password]@]host[:port][/path][?query]". The port is
// the URL's own or, without one, its scheme's default (http 80, https 443,
// ftp 21, gopher 70); a scheme without a default keeps `port`. User and
// password are dropped: no request sends them. False when there is no
// "scheme://", no host, or a port that is not a number from 1 to 65535;
// `parts` then holds only `port` and empty texts.
bool SplitUrl(std::string_view url, unsigned short port, UrlParts& parts);

// True when the host can be looked up as it stands. A host holding a space,
// a control byte, a byte above 127 or a URL delimiter never resolves, so a
// request to it fails before any traffic.
bool IsUsableHost(std::string_view host);

// The URL given to libcurl: TLS for "https", plain HTTP for every other
// scheme, to the split host and port. The object goes out as written, except
// that every space, control byte and CP932 character with a byte above 127 is
// sent percent-encoded byte by byte ("%20", "%82%A0", "%95%5C"), so that no
// URL can break the request line. A "#" starts a fragment, never sent.
// With `utf8Path`, the path's CP932 characters go in UTF-8 (a byte CP932
// cannot decode stays as it is), as a browser sends a path; the query as it is.
std::string RequestUrl(const UrlParts& parts, bool utf8Path = false);

}  // namespace pagelark::net
