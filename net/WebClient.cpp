#include "net/WebClient.h"

#include <curl/curl.h>

#include <utility>

#include "net/CurlTransfer.h"
#include "net/RequestProfile.h"
#include "net/UrlParts.h"
#include "platform/fs.h"

namespace pagelark::net {
namespace {

// libcurl's global set-up, once per process, before the first handle; its
// clean-up runs at exit, after every WebClient made since.
void EnsureCurlGlobalInit() {
  struct CurlGlobal {
    CURLcode code = curl_global_init(CURL_GLOBAL_DEFAULT);
    ~CurlGlobal() {
      if (code == CURLE_OK) curl_global_cleanup();
    }
  };
  static const CurlGlobal global;
}

// Appends the body to a text; a form answer empties the text first, when its
// head arrives. Drop takes back what a failed transfer appended.
//
// With a limit, the text grows through start + limit / 2^k bytes: a buffer is
// replaced only when full, by one twice its size, so the old and the touched
// part of the new one together never pass start + limit, also when an endless
// body runs into the limit.
class TextSink : public BodySink {
 public:
  TextSink(std::string& text, bool emptyOnHead, std::uint64_t limit)
      : text_(text),
        emptyOnHead_(emptyOnHead),
        limit_(static_cast<std::size_t>(limit)),
        start_(text.size()),
        startCapacity_(text.capacity()) {}
  void OnHead(std::int64_t bodyLength) override {
    if (emptyOnHead_) {
      text_.clear();
      start_ = 0;
    }
    // A body of known length (within its limit) takes one allocation.
    if (bodyLength > 0) text_.reserve(start_ + static_cast<std::size_t>(bodyLength));
  }
  bool Write(std::string_view bytes) override {
    const std::size_t needed = text_.size() + bytes.size();
    if (limit_ != 0 && needed > text_.capacity()) text_.reserve(start_ + GrownBody(needed - start_));
    text_.append(bytes);
    return true;
  }
  void Drop() {
    text_.resize(start_);
    if (text_.capacity() > startCapacity_) text_.shrink_to_fit();
  }

 private:
  static constexpr std::size_t kSmallestGrowth = 4096;

  // The smallest limit / 2^k (not below kSmallestGrowth) that holds `body`
  // bytes; the transfer never hands over more than the limit.
  std::size_t GrownBody(std::size_t body) const {
    std::size_t grown = limit_;
    while (grown / 2 >= body && grown / 2 >= kSmallestGrowth) grown /= 2;
    return grown;
  }

  std::string& text_;
  bool emptyOnHead_;
  std::size_t limit_;
  std::size_t start_;
  std::size_t startCapacity_;
};

class FileSink : public BodySink {
 public:
  explicit FileSink(platform::StagedFile& file) : file_(file) {}
  bool Write(std::string_view bytes) override { return file_.Write(bytes.data(), bytes.size()); }

 private:
  platform::StagedFile& file_;
};

}  // namespace

WebClient::WebClient(WebClientOptions options) : options_(std::move(options)) { EnsureCurlGlobalInit(); }

WebClient::~WebClient() = default;

CurlSession& WebClient::Session() {
  if (!session_ || !options_.reuseConnections) session_ = std::make_unique<CurlSession>();
  return *session_;
}

void WebClient::SetBounds(std::uint64_t maxTextBytes, std::uint64_t maxFileBytes, long lowSpeedBytesPerSecond,
                          std::chrono::seconds lowSpeedTime) {
  options_.maxTextBytes = maxTextBytes;
  options_.maxFileBytes = maxFileBytes;
  options_.timeouts.lowSpeedBytesPerSecond = lowSpeedBytesPerSecond;
  options_.timeouts.lowSpeedTime = lowSpeedTime;
}

bool WebClient::ExtractServer(const std::string& url, unsigned short port, std::string& server) {
  UrlParts parts;
  SplitUrl(url, port, parts);
  server = parts.host;
  return true;
}

bool WebClient::FetchText(const std::string& url, unsigned short port, std::string& text) {
  if (!FetchBody(url, port, text, options_.maxTextBytes)) return false;
  if (!text.empty()) return true;
  lastFailure_ = Failure::Of(FailureKind::kEmpty);
  return false;
}

bool WebClient::FetchBody(const std::string& url, unsigned short port, std::string& body, std::uint64_t maxBytes) {
  TextSink sink(body, false, maxBytes);
  const TransferResult result = RunTransfer(Session(), {FetchProfile(), url, port, {}, maxBytes}, options_, sink);
  NoteResult(result);
  if (result.IsOk200()) return true;
  sink.Drop();
  return false;
}

bool WebClient::FetchToFile(const std::string& localPath, const std::string& url, unsigned short port) {
  return Download(FetchProfile(), localPath, url, port, {});
}

bool WebClient::FetchQueryToFile(const std::string& localPath, const std::string& url, unsigned short port) {
  return Download(QueryFetchProfile(), localPath, url, port, url);
}

bool WebClient::SubmitFormGet(const std::string& body, std::string& response, const std::string& url,
                              unsigned short port) {
  return SubmitForm(FormGetProfile(), body, response, url, port);
}

bool WebClient::SubmitFormPost(const std::string& body, std::string& response, const std::string& url,
                               unsigned short port) {
  return SubmitForm(FormPostProfile(), body, response, url, port);
}

bool WebClient::Download(const RequestProfile& profile, const std::string& localPath, const std::string& url,
                         unsigned short port, std::string_view body) {
  // The body goes to a temporary file that replaces the local file only once
  // the whole 200 answer is in; on any other end it is removed, so a failed
  // download leaves no file and an earlier copy as it was.
  platform::StagedFile file;
  if (!file.Open(localPath)) {
    lastFailure_ = Failure::Of(FailureKind::kCannotWrite);
    lastContentType_.clear();
    lastBodyBytes_ = 0;
    return false;
  }
  FileSink sink(file);
  const TransferResult result =
      RunTransfer(Session(), {profile, url, port, body, options_.maxFileBytes}, options_, sink);
  NoteResult(result);
  const bool sinkFailed = result.end == TransferEnd::kSinkFailed;
  if (!sinkFailed && !result.IsOk200()) return false;
  if (sinkFailed || !file.Commit()) {
    lastFailure_ = Failure::Of(FailureKind::kCannotWrite);
    lastBodyBytes_ = 0;
    throw DownloadWriteError("cannot write the download of " + url + " to " + localPath);
  }
  return true;
}

void WebClient::NoteResult(const TransferResult& result) {
  lastFailure_ = result.failure;
  lastContentType_ = result.contentType;
  lastBodyBytes_ = result.IsOk200() ? result.bodyBytes : 0;
}

bool WebClient::SubmitForm(const RequestProfile& profile, const std::string& body, std::string& response,
                           const std::string& url, unsigned short port) {
  TextSink sink(response, true, options_.maxTextBytes);
  const TransferResult result =
      RunTransfer(Session(), {profile, url, port, body, options_.maxTextBytes}, options_, sink);
  NoteResult(result);
  if (!result.IsOk200()) sink.Drop();
  switch (result.end) {
    case TransferEnd::kComplete:
      return result.status == 200;
    case TransferEnd::kSendFailed:
    case TransferEnd::kBodyNotRead:
    case TransferEnd::kStopped:
    case TransferEnd::kTooLarge:
      return false;
    case TransferEnd::kNotSetUp:
    case TransferEnd::kBodyFailed:
    case TransferEnd::kSinkFailed:
      break;
  }
  throw NetError(std::string(profile.sessionName) + " " + url + ": " + result.error);
}

}  // namespace pagelark::net
