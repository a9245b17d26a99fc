// The state of a download run, kept between runs: the next run resets it.
#pragma once

#include <cstdint>
#include <string>

#include "links/LinkState.h"

namespace pagelark {

struct CrawlJob {
  // Candidate lists, outside links, server name, start folder, download
  // folder (absolute, ending with "\"), page text.
  LinkState links;
  std::string startUrl;   // as typed, placeholders unexpanded
  std::string indexFile;  // local form of the first start page
  std::int32_t maxFilesValue = 0;
  // Start URLs listed before the first fetch; the rest are listed as the run
  // reaches them.
  std::size_t startUrlsListedAhead = 10000;
  bool stopRequested = false;
  bool running = false;
};

}  // namespace pagelark
