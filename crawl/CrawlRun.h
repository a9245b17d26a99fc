// One run: the start URLs expanded from the counters, then every candidate
// fetched in list order up to the file limit, pages scanned and saved.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "crawl/Counters.h"
#include "crawl/CrawlJob.h"
#include "crawl/RunFetcher.h"
#include "crawl/RunResult.h"
#include "net/WebClient.h"
#include "settings/Host.h"

namespace pagelark {

class CrawlRun {
 public:
  CrawlRun(Host& host, net::WebClient& web, CrawlJob& job);

  RunResult RunCrawl(const std::string& programDir, const std::string& profilePath);

 private:
  void Reset();
  bool ExpandStartUrls(const CounterRanges& ranges);
  bool AddStartUrl(std::string url);
  std::string ProbeIndexPage(const std::string& folderUrl);
  void FindServerName();
  bool MainLoop();
  bool ListWaitingStartUrl();
  bool ProcessGuarded();
  void ProcessCandidate();
  void ReportFailure(std::size_t index, std::string reason);
  void FetchFile(const std::string& url, const std::string& kind);
  bool FetchStyleSheet(const std::string& url, std::string& text);
  bool ScansAsPage(const std::string& url);
  void ScanStoredPage(const std::string& url, const std::string& path);
  bool SubmitForm(const std::string& url, std::string& answer);
  bool FetchPage(const std::string& url, std::string& text);
  void SavePage(const std::string& url, const std::string& kind);
  void StripOutsideLinks();
  void EndSequence(const std::string& programDir, const std::string& profilePath, bool stopped);

  bool Wanted(const std::string& url);
  void Report(const char* prefix, const std::string& url, bool succeeded, std::string_view whyNot);
  void AppendReasonedFailure(const std::string& line, std::size_t index, const std::string& url, std::string reason);
  void ReportProgress();
  std::size_t ListedTotal() const;
  std::string StatusTotal() const;

  Host& host_;
  net::WebClient& web_;
  CrawlJob& job_;
  RunFetcher fetch_;
  std::size_t nextIndex_ = 0;
  std::string lastStartUrl_;       // the walk's last start URL, listed or not
  CounterRanges ranges_{};         // the run's counters, for start URLs listed late
  std::uint64_t nextOrdinal_ = 0;  // the walk's ordinal of the next start URL to list
  bool reported_ = false;          // the candidate in hand has its result line
  std::int32_t downloadedCount_ = 0;
};

}  // namespace pagelark
