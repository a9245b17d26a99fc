// The start and stop commands and the run. The window and pagelark-cli both
// drive a run through this class; it talks back only through Host.
#pragma once

#include <memory>
#include <string>

#include "settings/Host.h"

namespace pagelark {

class CrawlEngine {
 public:
  // `programDir` ends with "\" and holds the log folder; `profilePath` names
  // the current profile (the log file takes its stem).
  explicit CrawlEngine(Host& host);
  ~CrawlEngine();
  CrawlEngine(const CrawlEngine&) = delete;
  CrawlEngine& operator=(const CrawlEngine&) = delete;

  // The start command: checks the settings, prepares the download folder,
  // writes the start line, runs, writes the end line. Returns the run's
  // result: 1 when it reached its end sequence, 0 when it was abandoned or
  // the start command refused the settings. A start while a run is going is
  // refused with a message (-1).
  int StartDownload(const std::string& programDir, const std::string& profilePath);

  // The stop command: the run ends at its next stop test.
  void StopDownload();

  bool IsRunning() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace pagelark
