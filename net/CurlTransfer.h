// One HTTP request on a libcurl easy handle, its answer handed to a sink.
#pragma once

#include <curl/curl.h>

#include <string>
#include <string_view>

#include "net/RequestProfile.h"
#include "net/WebClientOptions.h"

namespace pagelark::net {

// Receives the answer to a request.
class BodySink {
 public:
  virtual ~BodySink() = default;
  // An answer's head (not an interim 1xx one) has arrived.
  virtual void OnHead() {}
  // The next bytes of a 200 answer's body; false when they cannot be kept.
  virtual bool Write(std::string_view bytes) = 0;
};

// How far a request got.
enum class TransferEnd {
  kComplete,     // the whole answer arrived; the status is its code
  kNotSetUp,     // libcurl refused the request's settings; nothing was sent
  kSendFailed,   // no answer head: URL not split, host unknown, connection
                 // refused, connect time-out, no answer in time
  kBodyFailed,   // an answer head arrived, then the transfer broke or stalled
  kBodyNotRead,  // the status was not 200, so the body was left unread
  kSinkFailed,   // the sink refused bytes of the body
};

struct TransferResult {
  TransferEnd end = TransferEnd::kNotSetUp;
  long status = 0;    // 0 until an answer head arrived
  std::string error;  // why the transfer did not complete
  bool IsOk200() const { return end == TransferEnd::kComplete && status == 200; }
};

struct TransferRequest {
  const RequestProfile& profile;
  std::string_view url;   // CP932, as the caller has it
  unsigned short port;    // used when the URL cannot be split
  std::string_view body;  // sent by POST (even empty) and by GET when not empty
};

// Runs `request` on `handle` (reset before and after; its open connections
// stay for the next request). Exceptions thrown by the sink are carried
// across libcurl and rethrown here.
TransferResult RunTransfer(CURL* handle, const TransferRequest& request, const WebClientOptions& options,
                           BodySink& sink);

}  // namespace pagelark::net
