// What each HTTP operation sends: its session name, verb, version, redirect
// rule and header lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pagelark::net {

enum class HttpVerb { kGet, kPost };

// kDefault is HTTP/1.1 on every scheme, so the request line is the same over
// TLS as over plain HTTP.
enum class HttpVersion { kDefault, k1_0 };

// Followed redirects stop after this many hops; the next one is a failure.
inline constexpr long kMaxRedirects = 20;

inline constexpr std::string_view kFetchSessionName = "My Session";
inline constexpr std::string_view kFormGetSessionName = "GetServer";
inline constexpr std::string_view kFormPostSessionName = "PostServer";
inline constexpr std::string_view kFetchHeaderBlock = "Accept: text\r\nUser-Agent: HTML Get Sample\r\n";
inline constexpr std::string_view kFormContentType = "Content-Type: application/x-www-form-urlencoded\r\n";

struct RequestProfile {
  std::string_view sessionName;  // the agent name the session is opened with
  HttpVerb verb = HttpVerb::kGet;
  HttpVersion version = HttpVersion::kDefault;
  bool followRedirects = false;
  // Header lines (each ending in CR LF) added with the add-if-absent rule.
  std::string_view addIfAbsentHeaders;
  // Header lines given with the request when it is sent.
  std::string_view sendHeaders;
};

const RequestProfile& FetchProfile();       // FetchText, FetchToFile
const RequestProfile& QueryFetchProfile();  // FetchQueryToFile
const RequestProfile& FormGetProfile();     // SubmitFormGet
const RequestProfile& FormPostProfile();    // SubmitFormPost

// The request's header lines in the order sent, without CR LF. The merge
// rule: the session's agent name is the request's User-Agent from the moment
// the request is opened, and the add-if-absent lines only add names that are
// not present yet, so an added "User-Agent" line gives way to the session
// name. Every request thus carries its session name as its User-Agent. The
// send headers come last.
std::vector<std::string> HeaderLines(const RequestProfile& profile);

// True when `lines` holds a header named `name` (letter case ignored).
bool HasHeader(const std::vector<std::string>& lines, std::string_view name);

}  // namespace pagelark::net
