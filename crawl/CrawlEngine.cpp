#include "crawl/CrawlEngine.h"

#include "crawl/CrawlJob.h"
#include "crawl/CrawlRun.h"
#include "crawl/StartCommand.h"
#include "crawl/StatusFormat.h"
#include "links/PathFields.h"
#include "messages/RunTexts.h"
#include "net/WebClient.h"
#include "platform/clock.h"
#include "settings/SettingNumbers.h"

namespace pagelark {

struct CrawlEngine::Impl {
  Impl(Host& h, net::WebClientOptions options) : host(h), web(WithStopHook(std::move(options))) {}

  // While a transfer waits on the network, the window's events are still
  // dispatched (it repaints, its stop button is heard) and a stop request
  // abandons the transfer at once.
  net::WebClientOptions WithStopHook(net::WebClientOptions options) {
    if (!options.keepGoing) {
      options.keepGoing = [this] {
        host.PumpMessages();
        return !job.stopRequested;
      };
    }
    return options;
  }

  Host& host;
  CrawlJob job;
  net::WebClient web;
};

namespace {

// Marks the job running for the life of the run, also when it throws.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

std::string ClockNow() { return FormatClock(platform::LocalTimeNow()); }

}  // namespace

CrawlEngine::CrawlEngine(Host& host, net::WebClientOptions webOptions)
    : impl_(std::make_unique<Impl>(host, std::move(webOptions))) {}
CrawlEngine::~CrawlEngine() = default;

void CrawlEngine::SetStartUrlsListedAhead(std::size_t count) { impl_->job.startUrlsListedAhead = count; }

StartResult CrawlEngine::StartDownload(const std::string& programDir, const std::string& profilePath) {
  Host& host = impl_->host;
  CrawlJob& job = impl_->job;
  if (job.running) {
    host.ShowMessage(msg::kRunInProgress);
    return StartResult::kBusy;
  }
  const RunningFlag running(job.running);
  StartValues values;
  if (!CheckStartSettings(host, values)) return StartResult::kRefused;
  job.startUrl = values.startUrl;
  job.maxFilesValue = values.maxFilesValue;
  std::string fileName;
  SplitPath(values.startUrl, job.links.startFolderUrl, fileName, '/');
  job.links.maxDuplicateLinksValue = values.maxDuplicateLinksValue;
  job.links.downloadFolder = values.downloadFolder;

  const RunLimits limits = RunLimitsOf(host.CurrentSettings().bounds);
  impl_->web.SetBounds(limits.maxPageBytes, limits.maxFileBytes, limits.minBytesPerSecond, limits.minSpeedTime);
  // Page requisites go with the paths a browser sends (UTF-8).
  impl_->web.SetUtf8Paths(host.CurrentSettings().requisites);

  host.ClearLines();
  host.AppendLine("");
  host.AppendLine(msg::kStartLine + ClockNow());
  const RunResult result = CrawlRun(host, impl_->web, job).RunCrawl(programDir, profilePath);
  host.AppendLine(msg::kEndLine + ClockNow());
  switch (result) {
    case RunResult::kEnded:
      return StartResult::kEnded;
    case RunResult::kStopped:
      return StartResult::kStopped;
    case RunResult::kAbandoned:
      break;
  }
  return StartResult::kRefused;
}

void CrawlEngine::StopDownload() { impl_->job.stopRequested = true; }

bool CrawlEngine::IsRunning() const { return impl_->job.running; }

}  // namespace pagelark
