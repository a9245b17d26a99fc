#include "net/Failure.h"

namespace pagelark::net {
namespace {

const char* TextOf(FailureKind kind) {
  switch (kind) {
    case FailureKind::kNone:
      return "";
    case FailureKind::kBadUrl:
      return "bad URL";
    case FailureKind::kUnknownHost:
      return "unknown host";
    case FailureKind::kRefused:
      return "refused";
    case FailureKind::kTimedOut:
      return "timed out";
    case FailureKind::kTooSlow:
      return "too slow";
    case FailureKind::kHttpStatus:
      return "HTTP";
    case FailureKind::kEmpty:
      return "empty";
    case FailureKind::kTooLarge:
      return "too large";
    case FailureKind::kStopped:
      return "stopped";
    case FailureKind::kCutShort:
      return "cut short";
    case FailureKind::kCannotWrite:
      return "cannot write";
    case FailureKind::kOther:
      break;
  }
  return "network error";
}

}  // namespace

Failure Failure::Of(FailureKind kind) { return {kind, TextOf(kind)}; }

}  // namespace pagelark::net
