// Turns a link found in a page into a candidate of the run: resolve it, pass
// it through the admission tests, and append it when it is new.
#pragma once

#include <string>
#include <string_view>

#include "links/LinkState.h"
#include "settings/Host.h"

namespace pagelark {

// What became of a link; the page rewriting needs to know.
struct CandidateOutcome {
  enum class Result {
    kAdded,    // appended to the candidate list
    kListed,   // already listed: downloaded all the same
    kDropped,  // a filter refused it, or it names another scheme: never downloaded
  };
  Result result = Result::kDropped;
  // The resolved absolute URL; for a link of another scheme, the link itself.
  std::string url;
  // The kind the run stores the URL by: the one it was listed with first,
  // which for a listed URL may differ from the kind of the link in hand.
  std::string kind;
  // Where the URL is stored below the download folder in mirrored folders
  // (PlaceCandidate, not in one folder), when AddCandidate placed it so;
  // else empty.
  // Initializers, so that the three fields above may be given alone.
  std::string mirroredPath = {};
  // The index of the URL's first entry in the candidate list, when listed.
  std::size_t index = CandidateList::npos;

  bool downloaded() const { return result != Result::kDropped; }
};

// Resolves `link` against `pageUrl` (the candidate's own URL, query
// included), runs the admission tests with the settings as they stand now,
// and appends the URL with `kind` ("url", "src" or "cgi") unless it is listed
// already; a "src" URL that ends in "/" is appended as a page ("url").
// `anchorTagText` is the anchor's tag text for a page link of the anchor
// pass, else empty. Every 100th URL is shown in the status line.
CandidateOutcome AddCandidate(std::string_view pageUrl, std::string_view link, std::string_view kind,
                              std::string_view anchorTagText, LinkState& state, Host& host);

}  // namespace pagelark
