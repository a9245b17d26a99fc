#include "crawl/PageScan.h"

#include "links/ScanPass.h"

namespace pagelark {

void ScanPage(Host& host, CrawlJob& job, const std::string& url, const std::string& text) {
  job.links.BeginPage(text);
  if (host.CurrentSettings().requisites) {
    // The requisites first, so that a value they share with the passes is
    // taken as a requisite; every link resolves against the page's base.
    const std::string base = TakeBaseHref(url, job.links);
    RunRequisitePass(url, base, job.links, host, job.maxFilesValue);
    for (const ScanPass& pass : kScanPasses) RunScanPass(pass, url, base, job.links, host, job.maxFilesValue);
  } else {
    for (const ScanPass& pass : kScanPasses) RunScanPass(pass, url, job.links, host, job.maxFilesValue);
  }
  job.links.EndPage();
}

void ScanStyleSheet(Host& host, CrawlJob& job, const std::string& url, const std::string& text) {
  job.links.BeginPage(text);
  RunStyleSheetPass(url, job.links, host, job.maxFilesValue);
  job.links.EndPage();
}

}  // namespace pagelark
