// The scan of a fetched page: five passes, one per kind of tag that carries
// links, each over the page as the passes before it rewrote it; with the
// Requisites switch on, the page's requisites first. And the scan of a
// fetched style sheet.
#pragma once

#include <string>

#include "crawl/CrawlJob.h"
#include "settings/Host.h"

namespace pagelark {

// Puts `text` into the job's page, runs the passes for the page at `url`
// (query included) and leaves the rewritten page in the job's page.
// `contentType` is the answer's Content-Type, which may name the encoding.
void ScanPage(Host& host, CrawlJob& job, const std::string& url, const std::string& text,
              const std::string& contentType = {});

// The same for a style sheet: its url() and @import references.
void ScanStyleSheet(Host& host, CrawlJob& job, const std::string& url, const std::string& text,
                    const std::string& contentType = {});

}  // namespace pagelark
