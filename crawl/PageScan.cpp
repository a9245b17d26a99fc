#include "crawl/PageScan.h"

#include "links/ScanPass.h"

namespace pagelark {

void ScanPage(Host& host, CrawlJob& job, const std::string& url, const std::string& text) {
  job.links.BeginPage(text);
  for (const ScanPass& pass : kScanPasses) RunScanPass(pass, url, job.links, host, job.maxFilesValue);
  job.links.EndPage();
}

}  // namespace pagelark
