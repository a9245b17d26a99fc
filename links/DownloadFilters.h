// Which found links become downloads: the two URL classifiers and the
// admission tests that every resolved link passes through. All are plain
// substring and prefix tests on the URL text; none parses the URL. Settings
// are passed in as the caller read them at the moment of the test.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "links/LinkState.h"
#include "settings/CrawlSettings.h"

namespace pagelark {

// True when the URL looks like a page to scan: ".html", ".htm", ".css",
// ".shtml" or ".cgi" anywhere in it (any letter case), or a final "/".
bool IsPageUrl(std::string_view url);

// True when every kind is wanted, or the URL holds "." and one of the chosen
// extensions anywhere (letter case counts).
bool IsWantedKind(const CrawlSettings& settings, std::string_view url);

// The seven admission tests in their order: same server, enable list,
// disable list, mail links, below the start URL (which records outside links
// found in anchors), wanted kind, unresolved parent steps. False when one
// drops the URL. `anchorTagText` is the anchor's tag text for a page link of
// the anchor pass, else empty.
bool PassesAdmissionTests(std::string_view url, std::string_view anchorTagText, const CrawlSettings& settings,
                          LinkState& state);

// Appends `entry` to the outside-link record; when the record then holds more
// than `limit` entries, the entry at index `limit` is removed again.
void RecordOutsideLink(std::vector<std::string>& outsideLinks, std::string entry, int limit);

}  // namespace pagelark
