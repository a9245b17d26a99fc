// One pass of the page scan: walk the page for one kind of tag, hand every
// link found to AddCandidate, and rewrite the links in the page. A page scan
// runs the five passes of kScanPasses in order, each over the page as the
// passes before it left it.
#pragma once

#include <array>
#include <functional>
#include <string_view>
#include <vector>

#include "links/LinkState.h"
#include "settings/Host.h"

namespace pagelark {

// How a pass decides the kind of each link it finds.
enum class LinkKindRule {
  kFile,    // always "src"
  kPage,    // always "url"
  kByLink,  // "cgi" when the link holds "?", else "url" for a page URL, else "src"
};

struct ScanPass {
  std::string_view tagWord;
  std::string_view attributeWord;
  bool anchorScanner;  // ScanAnchor (tag texts go to AddCandidate) instead of ScanAttribute
  LinkKindRule kindRule;
  bool pumpsMessages;  // window events are dispatched after every scanner call
};

inline constexpr std::array<ScanPass, 5> kScanPasses = {{
    {"img", "src", false, LinkKindRule::kFile, true},
    {"body", "background", false, LinkKindRule::kFile, false},
    {"a", "href", true, LinkKindRule::kByLink, true},
    {"option", "value", false, LinkKindRule::kByLink, true},
    {"frame", "src", false, LinkKindRule::kPage, false},
}};

// A link found by a pass.
struct FoundLink {
  std::string_view link;       // as written in the page, in its own letter case
  std::string_view lowerLink;  // as the scanner returned it
  std::string_view tagText;    // the anchor's tag text (anchor pass, not a style sheet), else empty
  std::size_t at;              // where the value stands in the page
};

// Walks one text (`source` as written, `lower` its lower-cased twin) as the
// pass's scanner reads it, from the start to the end. After every scanner
// call that found a tag, `carryOn` decides whether the walk goes on; then a
// non-empty value goes to `onLink`.
void WalkLinks(const ScanPass& pass, std::string_view source, std::string_view lower,
               const std::function<bool()>& carryOn, const std::function<void(const FoundLink&)>& onLink);

// A link value of a page, as written, and where it stands.
struct PageValue {
  std::size_t at;
  std::string_view value;
};

// The link values that the five passes read in `source` (`lower` its
// lower-cased twin), in page order, each once. For pages saved already.
std::vector<PageValue> LinkValuesOf(std::string_view source, std::string_view lower);

// Runs one pass over state.page for the page at `pageUrl` (the candidate's
// URL, query included). The pass ends when the scanner finds no further tag,
// or when the candidate list holds `maxFilesValue` entries (tested after
// every scanner call, before the link is used). Each link, in the letter
// case it has where it stands, goes to AddCandidate; then the values found are rewritten where they stand, in one
// sweep over the page. Nothing else in the page changes.
// The walk reads state.page in place: nothing may change it while a pass
// runs, the window events it pumps included.
void RunScanPass(const ScanPass& pass, std::string_view pageUrl, LinkState& state, Host& host, int maxFilesValue);

}  // namespace pagelark
