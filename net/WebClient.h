// The HTTP operations of the utility object: the host of a URL, a page as
// text, a download to a file, a download of a query URL, and form submission
// by GET and by POST, over libcurl.
//
// URLs are CP932 texts split as "scheme://host[:port]/path?query" (see
// net/UrlParts.h). "https" goes over TLS (the URL's port, else 443); every
// other scheme is sent as plain HTTP to the split host and port. In the path
// and query, spaces, control bytes and bytes above 127 are sent
// percent-encoded byte by byte; everything else goes out as written.
//
// Every request carries its session name as its User-Agent ("My Session" for
// the fetches, "GetServer" and "PostServer" for the forms); see
// net/RequestProfile.h for the merge rule. Each operation blocks until its
// transfer ends; the options bound it: the connect time-out and low-speed
// abort end a transfer with a silent or trickling server, maxTextBytes and
// maxFileBytes one whose body is too large, and keepGoing is asked several
// times a second whether to go on. Proxies come from the usual environment
// variables.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "net/Failure.h"
#include "net/NetError.h"
#include "net/WebClientOptions.h"

namespace pagelark::net {

class CurlSession;
struct RequestProfile;
struct TransferResult;

class WebClient {
 public:
  explicit WebClient(WebClientOptions options = {});
  ~WebClient();
  WebClient(const WebClient&) = delete;
  WebClient& operator=(const WebClient&) = delete;

  // Writes the host of `url` into `server`, empty when the URL cannot be
  // split. Makes no request. Always true.
  bool ExtractServer(const std::string& url, unsigned short port, std::string& server);

  // GET, redirects followed. Appends every byte of a 200 answer's body to
  // `text` (which is not emptied first). True when the status is 200 and
  // `text` is not empty afterwards. Every network error, a body over
  // maxTextBytes and a stop give false, with `text` as it was.
  bool FetchText(const std::string& url, unsigned short port, std::string& text);

  // The GET of FetchText and FetchToFile, its 200 body appended to `body`
  // with `maxBytes` as the bound (0: none) instead of the client's. True for
  // a whole 200 answer, empty or not; else false, `body` as it was.
  bool FetchBody(const std::string& url, unsigned short port, std::string& body, std::uint64_t maxBytes);

  // GET, redirects followed; a 200 answer's body is written byte for byte to
  // a temporary file beside `localPath` (CP932 system form), which replaces
  // the file at `localPath` once the whole answer is in (platform::StagedFile).
  // False at once, without a request, when that file cannot be opened. True
  // when the status is 200. Any other status, every network error, a body
  // over maxFileBytes and a stop give false and leave no file: a file already
  // at `localPath` stays as it was.
  // A failed write throws DownloadWriteError, the temporary file removed.
  bool FetchToFile(const std::string& localPath, const std::string& url, unsigned short port);

  // As FetchToFile, but HTTP/1.0, redirects not followed (a 3xx status is a
  // failure), no Accept line, "Content-Type: application/x-www-form-urlencoded"
  // and the whole URL text, unchanged, as the body of the GET.
  bool FetchQueryToFile(const std::string& localPath, const std::string& url, unsigned short port);

  // Form submission: HTTP/1.0, redirects not followed, the Content-Type line
  // above, `body` as the request body (GET: only when not empty; POST: always,
  // "Content-Length: 0" when empty). `url` keeps its query on the request line.
  // - No answer head (URL that cannot be split, unknown host, refused
  //   connection, connect time-out, no answer in time): false, `response`
  //   left as it was.
  // - An answer head arrived: `response` is emptied; a 200 answer's body is
  //   then appended and the result is true, even for an empty body; any other
  //   status, a body over maxTextBytes and a stop give false with `response`
  //   empty.
  // - A stop before the head: false, `response` left as it was.
  // - A network error after the head (a body cut short or stalled), or
  //   libcurl refusing to set up the request: NetError is thrown.
  bool SubmitFormGet(const std::string& body, std::string& response, const std::string& url, unsigned short port);
  bool SubmitFormPost(const std::string& body, std::string& response, const std::string& url, unsigned short port);

  // Why the last of the five operations above failed ("HTTP 404", "refused",
  // "timed out", "too large", "stopped", ...); kind kNone after a success.
  // Also set before NetError or DownloadWriteError is thrown.
  const Failure& LastFailure() const { return lastFailure_; }

  // The Content-Type of the last answer ("text/html; charset=UTF-8"), empty
  // when it had none.
  const std::string& LastContentType() const { return lastContentType_; }

  // The size of the last operation's body when it was a whole 200 answer
  // (whether kept in memory or written to a file), else 0.
  std::uint64_t LastBodyBytes() const { return lastBodyBytes_; }

  const WebClientOptions& Options() const { return options_; }

  // Paths sent in UTF-8 from now on (WebClientOptions::utf8Paths).
  void SetUtf8Paths(bool on) { options_.utf8Paths = on; }

  // The bounds of the operations from now on: a run sets its profile's.
  void SetBounds(std::uint64_t maxTextBytes, std::uint64_t maxFileBytes, long lowSpeedBytesPerSecond,
                 std::chrono::seconds lowSpeedTime);

 private:
  CurlSession& Session();
  bool Download(const RequestProfile& profile, const std::string& localPath, const std::string& url,
                unsigned short port, std::string_view body);
  bool SubmitForm(const RequestProfile& profile, const std::string& body, std::string& response, const std::string& url,
                  unsigned short port);
  void NoteResult(const TransferResult& result);

  WebClientOptions options_;
  std::unique_ptr<CurlSession> session_;
  Failure lastFailure_;
  std::string lastContentType_;
  std::uint64_t lastBodyBytes_ = 0;
};

}  // namespace pagelark::net
