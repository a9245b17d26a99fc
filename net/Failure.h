// Why an HTTP operation failed, in plain terms for a failure line or the
// status line.
#pragma once

#include <string>

namespace pagelark::net {

enum class FailureKind {
  kNone,         // the operation succeeded; no text
  kBadUrl,       // "bad URL": the URL cannot be split
  kUnknownHost,  // "unknown host": the host name cannot be resolved
  kRefused,      // "refused": no server accepts connections there
  kTimedOut,     // "timed out": no connection, or no answer head, in time
  kTooSlow,      // "too slow": the answer came slower than the low-speed limit
  kHttpStatus,   // "HTTP 404": an answer other than 200
  kEmpty,        // "empty": a page with no bytes (FetchText)
  kTooLarge,     // "too large": the body announced or passed its limit
  kStopped,      // "stopped": WebClientOptions::keepGoing returned false
  kCutShort,     // "cut short": the connection ended before the answer was whole
  kCannotWrite,  // "cannot write": the local file cannot be created or written
  kOther,        // libcurl's own text (a TLS failure, too many redirects, ...)
};

struct Failure {
  FailureKind kind = FailureKind::kNone;
  std::string text;  // short ASCII text, empty for kNone

  static Failure Of(FailureKind kind);  // the fixed text of a kind
};

}  // namespace pagelark::net
