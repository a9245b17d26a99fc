// The settings of a new profile and of a first start.
#pragma once

#include "settings/CrawlSettings.h"
#include "settings/Host.h"

namespace pagelark {

// URL "http://", the user's download folder, Count "1000", LinkCount "500", all kinds with
// the list "htm", "html", GET, same server only, the disable list switched
// on; everything else off or empty.
CrawlSettings NewProfileSettings();

// What a first start (no profile named in set.ini) shows: URL "http://",
// the user's download folder, Count "100", all kinds with "htm", "html"; everything else,
// LinkCount and the request method included, off or empty.
CrawlSettings FirstStartSettings();

// The New command: empties the progress list and the status line and puts
// the new-profile settings into the front end. The index file stays as it
// is; nothing is written to disk.
void ResetProfile(Host& host);

}  // namespace pagelark
