// One HTTP request on a libcurl easy handle, its answer handed to a sink.
#pragma once

#include <curl/curl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "net/Failure.h"
#include "net/RequestProfile.h"
#include "net/WebClientOptions.h"

namespace pagelark::net {

// Receives the answer to a request.
class BodySink {
 public:
  virtual ~BodySink() = default;
  // An answer's head (not an interim 1xx one) has arrived. `bodyLength` is the
  // announced length of a 200 answer's body when a limit applies and the
  // length is within it, so that much may be reserved; else -1.
  virtual void OnHead(std::int64_t /*bodyLength*/) {}
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
  kStopped,      // WebClientOptions::keepGoing returned false
  kTooLarge,     // the 200 answer's body announced or passed maxBodyBytes
};

struct TransferResult {
  TransferEnd end = TransferEnd::kNotSetUp;
  long status = 0;              // 0 until an answer head arrived
  std::string error;            // why the transfer did not complete
  Failure failure;              // why the request did not give a whole 200 answer
  std::string contentType;      // the answer's Content-Type, empty without one
  std::uint64_t bodyBytes = 0;  // the bytes of a 200 body handed to the sink
  bool IsOk200() const { return end == TransferEnd::kComplete && status == 200; }
};

struct TransferRequest {
  const RequestProfile& profile;
  std::string_view url;   // CP932, as the caller has it
  unsigned short port;    // used when the URL cannot be split
  std::string_view body;  // sent by POST (even empty) and by GET when not empty
  // The largest 200 body taken; a larger one ends the transfer as soon as its
  // head announces it or its bytes pass it. 0: no limit.
  std::uint64_t maxBodyBytes = 0;
};

// The libcurl handles of one client: the easy handle that carries each
// request, and the multi handle that drives it and keeps the open connections
// from one request to the next. Either is null when libcurl could not make it.
class CurlSession {
 public:
  CurlSession();
  CURL* easy() const { return easy_.get(); }
  CURLM* multi() const { return multi_.get(); }

 private:
  struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
  };
  struct MultiDeleter {
    void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
  };
  // The multi handle goes first: it closes the connections it keeps.
  std::unique_ptr<CURL, EasyDeleter> easy_;
  std::unique_ptr<CURLM, MultiDeleter> multi_;
};

// Runs `request` on the session (its easy handle reset before and after; the
// open connections stay for the next request), calling options.keepGoing
// while it lasts. Exceptions thrown by the sink are carried across libcurl
// and rethrown here; those of keepGoing pass through.
TransferResult RunTransfer(CurlSession& session, const TransferRequest& request, const WebClientOptions& options,
                           BodySink& sink);

}  // namespace pagelark::net
