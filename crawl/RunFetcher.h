// The requests of a run. With one connection every request goes out at its
// candidate's turn on the run's client, one after the other. With more, the
// plain GETs of candidates already listed (pages, style sheets, files) also
// go out ahead of their turn, in list order, on a pool of connections; the
// answer is taken at the turn and handled as if it had just arrived, so the
// lines, the files and their bytes are those of one connection. Forms and
// query downloads are only ever sent at their turn.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "crawl/CrawlJob.h"
#include "net/FetchPool.h"
#include "net/WebClient.h"
#include "settings/CrawlSettings.h"
#include "settings/Host.h"

namespace pagelark {

// Replaced by the URL's own port or its scheme's.
inline constexpr unsigned short kDefaultPort = 80;

// How a candidate is fetched at its turn.
enum class FetchWay {
  kText,       // a page or style sheet, held for its scan
  kFile,       // a file, saved as it comes
  kQueryFile,  // a file named with a query: a GET with the URL as its body
  kForm,       // a form submission (GET or POST)
};
FetchWay FetchWayOf(const std::string& url, const std::string& kind);

class RunFetcher {
 public:
  // A page or file fetched ahead is held in memory up to this size; a larger
  // one is fetched again at its turn, on the run's client.
  static constexpr std::uint64_t kMostHeldBytes = std::uint64_t{8} << 20;
  static constexpr std::size_t kNoCandidate = static_cast<std::size_t>(-1);

  RunFetcher(Host& host, net::WebClient& web, CrawlJob& job, int connections);

  // Sends ahead the plain GETs of the listed candidates from `next` on, below
  // `end`, a few per connection.
  void LookAhead(std::size_t next, std::size_t end);

  // The WebClient operations of the same names; `candidate` is the index of
  // the candidate fetched (kNoCandidate for other requests).
  bool FetchText(std::size_t candidate, const std::string& url, std::string& text);
  bool FetchToFile(std::size_t candidate, const std::string& localPath, const std::string& url);
  bool FetchQueryToFile(const std::string& localPath, const std::string& url);
  bool SubmitForm(RequestMethod method, const std::string& body, std::string& answer, const std::string& url);

  const net::Failure& LastFailure() const { return lastFailure_; }
  const std::string& LastContentType() const { return lastContentType_; }

  // The bytes of the whole 200 bodies taken so far: a body fetched ahead
  // counts when it is taken at its turn, never when it is dropped.
  std::uint64_t BytesReceived() const { return bytesReceived_; }

 private:
  std::uint64_t HeldBound(FetchWay way) const;
  std::optional<net::PooledAnswer> TakeAhead(std::size_t candidate, FetchWay way);
  bool SaveHeld(const net::PooledAnswer& answer, const std::string& localPath, const std::string& url);
  bool NoteLive(bool result);
  bool NoteHeld(const net::PooledAnswer& answer);

  Host& host_;
  net::WebClient& web_;
  CrawlJob& job_;
  std::size_t window_ = 0;                // candidates sent ahead beyond the turn
  std::size_t lookedAheadTo_ = 0;         // candidates below it have been considered
  std::unique_ptr<net::FetchPool> pool_;  // none with one connection
  net::Failure lastFailure_;
  std::string lastContentType_;
  std::uint64_t bytesReceived_ = 0;
};

}  // namespace pagelark
