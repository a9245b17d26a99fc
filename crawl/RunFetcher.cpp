#include "crawl/RunFetcher.h"

#include <algorithm>

#include "links/LinkState.h"
#include "links/PathFields.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark {
namespace {

constexpr std::size_t kAheadPerConnection = 2;

// The smaller of two bounds, 0 standing for none.
std::uint64_t Tighter(std::uint64_t a, std::uint64_t b) {
  if (a == 0) return b;
  if (b == 0) return a;
  return std::min(a, b);
}

}  // namespace

FetchWay FetchWayOf(const std::string& url, const std::string& kind) {
  if (kind == kKindCgi) return FetchWay::kForm;
  if (kind == kKindUrl || kind == kKindCss) return FetchWay::kText;
  if (kind == kKindSrc) {
    std::string folder, name;
    SplitPath(url, folder, name, '/');
    if (cp932::Find(name, "?") != cp932::npos) return FetchWay::kQueryFile;
  }
  return FetchWay::kFile;
}

RunFetcher::RunFetcher(Host& host, net::WebClient& web, CrawlJob& job, int connections)
    : host_(host), web_(web), job_(job) {
  if (connections <= 1) return;
  window_ = kAheadPerConnection * static_cast<std::size_t>(connections);
  pool_ = std::make_unique<net::FetchPool>(web.Options(), connections);
}

void RunFetcher::LookAhead(std::size_t next, std::size_t end) {
  if (!pool_) return;
  pool_->DropBelow(next);
  const CandidateList& candidates = job_.links.candidates;
  const std::size_t until = std::min({next + 1 + window_, end, candidates.size()});
  for (std::size_t i = std::max(lookedAheadTo_, next); i < until; ++i) {
    // Start URLs listed late are fetched at their turn.
    if (!candidates.IsListed(i)) continue;
    const FetchWay way = FetchWayOf(candidates.Url(i), candidates.Kind(i));
    if (way == FetchWay::kText || way == FetchWay::kFile) {
      pool_->Submit(i, candidates.Url(i), kDefaultPort, HeldBound(way));
    }
  }
  lookedAheadTo_ = std::max(lookedAheadTo_, until);
}

std::uint64_t RunFetcher::HeldBound(FetchWay way) const {
  const net::WebClientOptions& options = web_.Options();
  return Tighter(way == FetchWay::kText ? options.maxTextBytes : options.maxFileBytes, kMostHeldBytes);
}

// The answer fetched ahead for the candidate, when there is one to use: not
// when none was sent, when its fetch broke off with an exception, nor when
// the body passed the held size but not the client's own bound (it is then
// fetched at its turn). A stop while waiting gives the failure of a stopped
// transfer.
std::optional<net::PooledAnswer> RunFetcher::TakeAhead(std::size_t candidate, FetchWay way) {
  if (!pool_ || candidate == kNoCandidate || !pool_->Holds(candidate)) return std::nullopt;
  const net::WebClientOptions& options = web_.Options();
  std::optional<net::PooledAnswer> answer = pool_->Take(
      candidate,
      [this] {
        host_.PumpMessages();
        return !job_.stopRequested;
      },
      options.keepGoingInterval);
  if (!answer) {
    net::PooledAnswer stopped;
    stopped.failure = net::Failure::Of(net::FailureKind::kStopped);
    return stopped;
  }
  if (answer->unusable) return std::nullopt;
  const std::uint64_t own = way == FetchWay::kText ? options.maxTextBytes : options.maxFileBytes;
  const bool heldTooSmall = answer->failure.kind == net::FailureKind::kTooLarge && HeldBound(way) != own;
  if (heldTooSmall) return std::nullopt;
  return answer;
}

bool RunFetcher::FetchText(std::size_t candidate, const std::string& url, std::string& text) {
  std::optional<net::PooledAnswer> answer = TakeAhead(candidate, FetchWay::kText);
  if (!answer) return NoteLive(web_.FetchText(url, kDefaultPort, text));
  if (!NoteHeld(*answer)) return false;
  if (text.empty()) {
    text = std::move(answer->body);
  } else {
    text.append(answer->body);
  }
  if (!text.empty()) return true;
  lastFailure_ = net::Failure::Of(net::FailureKind::kEmpty);
  return false;
}

bool RunFetcher::FetchToFile(std::size_t candidate, const std::string& localPath, const std::string& url) {
  const std::optional<net::PooledAnswer> answer = TakeAhead(candidate, FetchWay::kFile);
  if (!answer) return NoteLive(web_.FetchToFile(localPath, url, kDefaultPort));
  return SaveHeld(*answer, localPath, url);
}

// Writes a held 200 body as FetchToFile writes one that arrives: through a
// staged file opened first, a failed write thrown as DownloadWriteError.
bool RunFetcher::SaveHeld(const net::PooledAnswer& answer, const std::string& localPath, const std::string& url) {
  platform::StagedFile file;
  if (!file.Open(localPath)) {
    lastFailure_ = net::Failure::Of(net::FailureKind::kCannotWrite);
    lastContentType_.clear();
    return false;
  }
  if (!NoteHeld(answer)) return false;
  if (file.Write(answer.body.data(), answer.body.size()) && file.Commit()) return true;
  lastFailure_ = net::Failure::Of(net::FailureKind::kCannotWrite);
  throw net::DownloadWriteError("cannot write the download of " + url + " to " + localPath);
}

bool RunFetcher::FetchQueryToFile(const std::string& localPath, const std::string& url) {
  return NoteLive(web_.FetchQueryToFile(localPath, url, kDefaultPort));
}

bool RunFetcher::SubmitForm(RequestMethod method, const std::string& body, std::string& answer,
                            const std::string& url) {
  try {
    return NoteLive(method == RequestMethod::kGet ? web_.SubmitFormGet(body, answer, url, kDefaultPort)
                                                  : web_.SubmitFormPost(body, answer, url, kDefaultPort));
  } catch (const net::NetError&) {
    NoteLive(false);  // why a form answer broke off, for its failure line
    throw;
  }
}

bool RunFetcher::NoteLive(bool result) {
  lastFailure_ = web_.LastFailure();
  lastContentType_ = web_.LastContentType();
  bytesReceived_ += web_.LastBodyBytes();
  return result;
}

bool RunFetcher::NoteHeld(const net::PooledAnswer& answer) {
  lastFailure_ = answer.failure;
  lastContentType_ = answer.contentType;
  if (answer.ok) bytesReceived_ += answer.body.size();
  return answer.ok;
}

}  // namespace pagelark
