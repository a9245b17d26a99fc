// The start and stop commands as the window drives them. An interface, so that
// the window's tests can stand in a run that pumps events while it goes.
#pragma once

#include <memory>
#include <string>

#include "crawl/RunResult.h"
#include "settings/Host.h"

namespace pagelark::ui {

class DownloadRunner {
 public:
  virtual ~DownloadRunner() = default;
  // Checks the settings and runs; returns when the run has ended.
  virtual StartResult StartDownload(const std::string& programDir, const std::string& profilePath) = 0;
  // Asks the run to stop at its next stop test.
  virtual void StopDownload() = 0;
  virtual bool IsRunning() const = 0;
};

// The crawl engine, reporting to `host`.
std::unique_ptr<DownloadRunner> MakeCrawlRunner(Host& host);

}  // namespace pagelark::ui
