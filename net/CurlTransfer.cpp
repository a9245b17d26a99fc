#include "net/CurlTransfer.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <vector>

#include "net/UrlParts.h"

namespace pagelark::net {
namespace {

constexpr const char* kAllowedProtocols = "http,https";
// The longest wait for the sockets when no keepGoing is to be called; libcurl
// wakes earlier for its own timers.
constexpr std::chrono::milliseconds kIdleWait{1000};
// An error page announced at most this long is read and dropped, within
// this time, rather than ending the connection: the next request reuses it.
constexpr curl_off_t kSkippedBodyBytes = 64 * 1024;
constexpr std::chrono::milliseconds kSkippedBodyTime{1000};

struct CallbackState {
  CallbackState(CURL* curl, BodySink& bodySink, const TransferRequest& request)
      : handle(curl),
        sink(bodySink),
        followsRedirects(request.profile.followRedirects),
        maxBodyBytes(request.maxBodyBytes) {}
  CURL* handle;
  BodySink& sink;
  bool followsRedirects;
  std::uint64_t maxBodyBytes;
  std::uint64_t bodyBytes = 0;
  bool headArrived = false;
  bool tooLarge = false;
  bool bodyNotRead = false;
  bool sinkFailed = false;
  bool stopped = false;
  // An error page's body read to its end and dropped, so that the
  // connection stays open for the next request; given up (the connection
  // closed) past kSkippedBodyBytes or kSkippedBodyTime.
  bool skippingBody = false;
  std::uint64_t skippedBytes = 0;
  std::chrono::steady_clock::time_point skipUntil;
  std::exception_ptr pending;
};

long ResponseCode(CURL* handle) {
  long code = 0;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &code);
  return code;
}

// The Content-Length of the answer, -1 when none was given.
curl_off_t AnnouncedLength(CURL* handle) {
  curl_off_t length = -1;
  curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  return length;
}

bool IsEndOfHead(std::string_view line) { return line == "\r\n" || line == "\n"; }

// Only a 200 answer's body is read; a redirect that libcurl follows leads to
// the next answer.
bool BodyWanted(long status, bool followsRedirects) {
  return status == 200 || (followsRedirects && status >= 300 && status < 400);
}

// Exceptions must not unwind through libcurl's C frames: each callback parks
// one in the state, ends the transfer, and RunTransfer rethrows it.
std::size_t OnHeaderLine(char* data, std::size_t size, std::size_t count, void* user) {
  auto& state = *static_cast<CallbackState*>(user);
  const std::size_t length = size * count;
  try {
    const long status = ResponseCode(state.handle);
    if (IsEndOfHead({data, length}) && status >= 200) {
      state.headArrived = true;
      const curl_off_t announced = status == 200 && state.maxBodyBytes != 0 ? AnnouncedLength(state.handle) : -1;
      const bool tooLarge = announced > 0 && static_cast<std::uint64_t>(announced) > state.maxBodyBytes;
      state.sink.OnHead(tooLarge ? -1 : announced);
      // The answer ends with its head: an error page's body is not waited
      // for, unless it is announced short (then it is read and dropped, and
      // the connection stays).
      if (!BodyWanted(status, state.followsRedirects)) {
        const curl_off_t body = AnnouncedLength(state.handle);
        if (body >= 0 && body <= kSkippedBodyBytes) {
          state.skippingBody = true;
          state.skipUntil = std::chrono::steady_clock::now() + kSkippedBodyTime;
          return length;
        }
        state.bodyNotRead = true;
        return 0;
      }
      // Nor is a body announced larger than it may be.
      if (tooLarge) {
        state.tooLarge = true;
        return 0;
      }
    }
    return length;
  } catch (...) {
    state.pending = std::current_exception();
    return 0;
  }
}

std::size_t OnBodyBytes(char* data, std::size_t size, std::size_t count, void* user) {
  auto& state = *static_cast<CallbackState*>(user);
  const std::size_t length = size * count;
  try {
    if (ResponseCode(state.handle) != 200) {
      state.skippedBytes += length;
      if (state.skippingBody && state.skippedBytes <= static_cast<std::uint64_t>(kSkippedBodyBytes)) return length;
      state.bodyNotRead = true;
      return 0;
    }
    if (state.maxBodyBytes != 0 && length > state.maxBodyBytes - state.bodyBytes) {
      state.tooLarge = true;
      return 0;
    }
    state.bodyBytes += length;
    if (!state.sink.Write({data, length})) {
      state.sinkFailed = true;
      return 0;
    }
    return length;
  } catch (...) {
    state.pending = std::current_exception();
    return 0;
  }
}

struct SlistDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, SlistDeleter>;

// The profile's lines, plus empty "Accept:" and "Expect:" lines that keep
// libcurl from adding its own "Accept: */*" and "Expect: 100-continue".
HeaderList MakeHeaderList(const RequestProfile& profile) {
  std::vector<std::string> lines = HeaderLines(profile);
  if (!HasHeader(lines, "Accept")) lines.emplace_back("Accept:");
  lines.emplace_back("Expect:");
  HeaderList list;
  for (const std::string& line : lines) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (grown == nullptr) return nullptr;
    list.release();
    list.reset(grown);
  }
  return list;
}

// Sets options one after the other and remembers the first refusal.
class OptionSetter {
 public:
  explicit OptionSetter(CURL* handle) : handle_(handle) {}
  template <typename Value>
  void operator()(CURLoption option, Value value) {
    if (code_ == CURLE_OK) code_ = curl_easy_setopt(handle_, option, value);
  }
  CURLcode code() const { return code_; }

 private:
  CURL* handle_;
  CURLcode code_ = CURLE_OK;
};

void SetVerbAndBody(OptionSetter& set, HttpVerb verb, std::string_view body) {
  if (verb == HttpVerb::kGet && body.empty()) {
    set(CURLOPT_HTTPGET, 1L);
    return;
  }
  set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  // Never null: libcurl would read the body from standard input.
  set(CURLOPT_POSTFIELDS, body.data() != nullptr ? body.data() : "");
  // A GET that carries a body: libcurl would call it POST otherwise.
  if (verb == HttpVerb::kGet) set(CURLOPT_CUSTOMREQUEST, "GET");
}

void SetLimits(OptionSetter& set, const WebClientOptions& options) {
  set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.timeouts.connect.count()));
  set(CURLOPT_LOW_SPEED_LIMIT, options.timeouts.lowSpeedBytesPerSecond);
  set(CURLOPT_LOW_SPEED_TIME, static_cast<long>(options.timeouts.lowSpeedTime.count()));
  if (!options.caFile.empty()) set(CURLOPT_CAINFO, options.caFile.c_str());
}

struct Transfer {
  std::string url;
  HeaderList headers;
  char error[CURL_ERROR_SIZE] = {};
};

CURLcode SetUp(CURL* handle, const TransferRequest& request, const WebClientOptions& options, Transfer& transfer,
               CallbackState& state) {
  const RequestProfile& profile = request.profile;
  OptionSetter set(handle);
  set(CURLOPT_ERRORBUFFER, transfer.error);
  set(CURLOPT_URL, transfer.url.c_str());
  set(CURLOPT_PROTOCOLS_STR, kAllowedProtocols);
  set(CURLOPT_REDIR_PROTOCOLS_STR, kAllowedProtocols);
  set(CURLOPT_PATH_AS_IS, 1L);  // "/a/../b" goes out as written
  set(CURLOPT_NOSIGNAL, 1L);
  set(CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);  // a proxy's answer is not the server's head
  set(CURLOPT_HTTP_VERSION,
      static_cast<long>(profile.version == HttpVersion::k1_0 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1));
  set(CURLOPT_FOLLOWLOCATION, profile.followRedirects ? 1L : 0L);
  set(CURLOPT_MAXREDIRS, kMaxRedirects);
  set(CURLOPT_HTTPHEADER, transfer.headers.get());
  SetVerbAndBody(set, profile.verb, request.body);
  SetLimits(set, options);
  set(CURLOPT_HEADERFUNCTION, &OnHeaderLine);
  set(CURLOPT_HEADERDATA, &state);
  set(CURLOPT_WRITEFUNCTION, &OnBodyBytes);
  set(CURLOPT_WRITEDATA, &state);
  return set.code();
}

// Takes the handle off the multi handle on every way out; a transfer taken
// off before its end closes its connection.
struct RemoveOnExit {
  CURLM* multi;
  CURL* handle;
  ~RemoveOnExit() { curl_multi_remove_handle(multi, handle); }
};

CURLcode DoneCode(CURLM* multi, CURL* handle) {
  int queued = 0;
  while (const CURLMsg* message = curl_multi_info_read(multi, &queued)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == handle) return message->data.result;
  }
  return CURLE_FAILED_INIT;
}

// Drives the transfer until it ends. curl_easy_perform waits up to a second
// at a time while nothing arrives; this loop wakes at least every
// keepGoingInterval, so keepGoing is heard within that time in every phase.
CURLcode Perform(const CurlSession& session, const WebClientOptions& options, CallbackState& state) {
  using Clock = std::chrono::steady_clock;
  if (curl_multi_add_handle(session.multi(), session.easy()) != CURLM_OK) return CURLE_FAILED_INIT;
  const RemoveOnExit removeOnExit{session.multi(), session.easy()};
  const bool asks = static_cast<bool>(options.keepGoing);
  const auto interval = std::max(options.keepGoingInterval, std::chrono::milliseconds(1));
  auto nextCall = Clock::now() + interval;
  for (;;) {
    int running = 0;
    if (curl_multi_perform(session.multi(), &running) != CURLM_OK) return CURLE_FAILED_INIT;
    if (running == 0) return DoneCode(session.multi(), session.easy());
    if (state.skippingBody && Clock::now() >= state.skipUntil) {
      state.bodyNotRead = true;
      return CURLE_ABORTED_BY_CALLBACK;
    }
    auto wait = state.skippingBody ? std::chrono::milliseconds(50) : kIdleWait;
    if (asks) {
      const auto now = Clock::now();
      if (now >= nextCall) {
        if (!options.keepGoing()) {
          state.stopped = true;
          return CURLE_ABORTED_BY_CALLBACK;
        }
        nextCall = Clock::now() + interval;
      }
      wait = std::chrono::ceil<std::chrono::milliseconds>(nextCall - Clock::now());
    }
    const int waitMs = static_cast<int>(std::clamp(wait, std::chrono::milliseconds(0), kIdleWait).count());
    if (curl_multi_poll(session.multi(), nullptr, 0, waitMs, nullptr) != CURLM_OK) return CURLE_FAILED_INIT;
  }
}

TransferEnd EndOf(CURLcode code, const CallbackState& state) {
  if (code == CURLE_OK) return TransferEnd::kComplete;
  if (state.stopped) return TransferEnd::kStopped;
  if (state.tooLarge) return TransferEnd::kTooLarge;
  if (state.sinkFailed) return TransferEnd::kSinkFailed;
  if (state.bodyNotRead || state.skippingBody) return TransferEnd::kBodyNotRead;
  return state.headArrived ? TransferEnd::kBodyFailed : TransferEnd::kSendFailed;
}

// libcurl's codes in plain terms; what the callbacks saw comes first.
Failure FailureOf(CURLcode code, const CallbackState& state, long status) {
  if (state.stopped) return Failure::Of(FailureKind::kStopped);
  if (state.tooLarge) return Failure::Of(FailureKind::kTooLarge);
  if (state.sinkFailed) return Failure::Of(FailureKind::kCannotWrite);
  if (state.bodyNotRead || state.skippingBody || (code == CURLE_OK && status != 200)) {
    return {FailureKind::kHttpStatus, "HTTP " + std::to_string(status)};
  }
  switch (code) {
    case CURLE_OK:
      return {};
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
      return Failure::Of(FailureKind::kBadUrl);
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return Failure::Of(FailureKind::kUnknownHost);
    case CURLE_COULDNT_CONNECT:
      return Failure::Of(FailureKind::kRefused);
    case CURLE_OPERATION_TIMEDOUT:  // the connect time-out or the low-speed limit
      return Failure::Of(state.headArrived ? FailureKind::kTooSlow : FailureKind::kTimedOut);
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
      return Failure::Of(FailureKind::kCutShort);
    default:
      return {FailureKind::kOther, curl_easy_strerror(code)};
  }
}

TransferResult Failed(TransferEnd end, FailureKind kind, std::string error) {
  Failure failure = kind == FailureKind::kOther ? Failure{kind, error} : Failure::Of(kind);
  return {end, 0, std::move(error), std::move(failure), {}, 0};
}

// Clears the handle's options, which point into this call's locals, on every
// way out.
struct ResetOnExit {
  CURL* handle;
  ~ResetOnExit() { curl_easy_reset(handle); }
};

}  // namespace

CurlSession::CurlSession() : easy_(curl_easy_init()), multi_(curl_multi_init()) {}

TransferResult RunTransfer(CurlSession& session, const TransferRequest& request, const WebClientOptions& options,
                           BodySink& sink) {
  CURL* const handle = session.easy();
  if (handle == nullptr || session.multi() == nullptr) {
    return Failed(TransferEnd::kNotSetUp, FailureKind::kOther, "no libcurl handle");
  }
  UrlParts parts;
  if (!SplitUrl(request.url, request.port, parts)) {
    return Failed(TransferEnd::kSendFailed, FailureKind::kBadUrl, "URL cannot be split");
  }
  if (!IsUsableHost(parts.host)) {
    return Failed(TransferEnd::kSendFailed, FailureKind::kUnknownHost, "host name cannot be resolved");
  }

  Transfer transfer{RequestUrl(parts, options.utf8Paths), MakeHeaderList(request.profile)};
  if (!transfer.headers) {
    return Failed(TransferEnd::kNotSetUp, FailureKind::kOther, "out of memory for header lines");
  }
  curl_easy_reset(handle);
  const ResetOnExit resetOnExit{handle};
  CallbackState state(handle, sink, request);
  if (const CURLcode code = SetUp(handle, request, options, transfer, state); code != CURLE_OK) {
    return Failed(TransferEnd::kNotSetUp, FailureKind::kOther, curl_easy_strerror(code));
  }
  const CURLcode code = Perform(session, options, state);
  if (state.pending) std::rethrow_exception(state.pending);
  TransferResult result{EndOf(code, state), ResponseCode(handle), {}, {}, {}, state.bodyBytes};
  const char* contentType = nullptr;
  if (curl_easy_getinfo(handle, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType != nullptr) {
    result.contentType = contentType;
  }
  result.failure = FailureOf(code, state, result.status);
  if (code != CURLE_OK) result.error = transfer.error[0] != '\0' ? transfer.error : curl_easy_strerror(code);
  return result;
}

}  // namespace pagelark::net
