// The start and stop commands and the run. The window and pagelark-cli both
// drive a run through this class; it talks back only through Host.
#pragma once

#include <memory>
#include <string>

#include "crawl/RunResult.h"
#include "net/WebClientOptions.h"
#include "settings/Host.h"

namespace pagelark {

class CrawlEngine {
 public:
  explicit CrawlEngine(Host& host, net::WebClientOptions webOptions = {});
  ~CrawlEngine();
  CrawlEngine(const CrawlEngine&) = delete;
  CrawlEngine& operator=(const CrawlEngine&) = delete;

  // The start command: checks the settings, makes the download folder the
  // current directory, writes the start line, runs, writes the end line.
  // `programDir` (ending with "\") holds the log folder; `profilePath` names
  // the current profile, whose stem names the log.
  StartResult StartDownload(const std::string& programDir, const std::string& profilePath);

  // The stop command: the run ends at its next stop test.
  void StopDownload();

  bool IsRunning() const;

  // How many of the counters' start URLs are listed before the first fetch
  // (10,000); the others are listed as the run reaches them.
  void SetStartUrlsListedAhead(std::size_t count);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace pagelark
