#include "crawl/PageScan.h"

#include "links/ScanPass.h"

namespace pagelark {

void ScanPage(Host& host, CrawlJob& job, const std::string& url, const std::string& text,
              const std::string& contentType) {
  job.links.BeginPage(text);
  if (host.CurrentSettings().requisites) {
    // The requisites first, so that a value they share with the passes is
    // taken as a requisite; every link resolves against the page's base and
    // is read in the page's encoding.
    const PageEncoding encoding = DetectPageEncoding(contentType, text);
    const std::string base = TakeBaseHref(url, encoding, job.links);
    RunRequisitePass(url, base, encoding, job.links, host, job.maxFilesValue);
    for (const ScanPass& pass : kScanPasses) {
      RunScanPass(pass, url, base, encoding, job.links, host, job.maxFilesValue);
    }
  } else {
    for (const ScanPass& pass : kScanPasses) RunScanPass(pass, url, job.links, host, job.maxFilesValue);
  }
  job.links.EndPage();
}

void ScanStyleSheet(Host& host, CrawlJob& job, const std::string& url, const std::string& text,
                    const std::string& contentType) {
  job.links.BeginPage(text);
  RunStyleSheetPass(url, DetectStyleSheetEncoding(contentType, text), job.links, host, job.maxFilesValue);
  job.links.EndPage();
}

}  // namespace pagelark
