// One pass of the page scan: walk the page for one kind of tag, hand every
// link found to AddCandidate, and rewrite the links in the page. A page scan
// runs the five passes of kScanPasses in order, each over the page as the
// passes before it left it.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "links/LinkRewriting.h"
#include "links/LinkState.h"
#include "links/PageEncoding.h"
#include "links/TagMap.h"
#include "settings/Host.h"

namespace pagelark {

// How a pass decides the kind of each link it finds.
enum class LinkKindRule {
  kFile,        // always "src"
  kPage,        // always "url"
  kByLink,      // "cgi" when the link holds "?", else "url" for a page URL, else "src"
  kRequisite,   // "css" for a ".css" path, else "req" when the link holds "?",
                // else "url" for a page URL, else "src"
  kStyleSheet,  // always "css"
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
// The same with the text's tags mapped already (`tags` maps `lower`).
void WalkLinks(const ScanPass& pass, std::string_view source, std::string_view lower, const TagMap& tags,
               const std::function<bool()>& carryOn, const std::function<void(const FoundLink&)>& onLink);

// A link value of a page, as written, and where it stands.
struct PageValue {
  std::size_t at;
  std::string_view value;
};

// The link values that the five passes and the requisite pass read in
// `source` (`lower` its lower-cased twin), in page order, each once. For
// pages saved already.
std::vector<PageValue> LinkValuesOf(std::string_view source, std::string_view lower);

// The url() and @import values of a saved style sheet, in order.
std::vector<PageValue> StyleSheetValuesOf(std::string_view sheet);

// What a pass does with each link it finds in the page being scanned: the
// link, as a browser reads it (character references decoded where asked),
// goes to AddCandidate, and its value is rewritten where it stands; Apply
// makes the rewrites in one sweep. One taker at a time per LinkState: they
// share its passValues.
class LinkTaker {
 public:
  // `pageUrl` names the page (where it is stored); its links resolve against
  // `baseUrl` (the page's <base href>, else the page's own URL). With an
  // `encoding`, links are read in it (PageEncoding.h) and what is written
  // back is written in it; without one, every byte is taken as CP932.
  LinkTaker(std::string_view pageUrl, std::string_view baseUrl, LinkState& state, Host& host,
            std::optional<PageEncoding> encoding = std::nullopt);

  // The link `link` standing at `at` in the page; `lowerLink` is its
  // lower-cased twin. `rule` decides the kind from the lower-cased link as
  // read; `tagText` is the anchor's tag text, given only to a page link.
  // `forwardSlashes` writes a local path with "/" instead of "\".
  void Take(std::string_view link, std::string_view lowerLink, std::size_t at, std::string_view tagText,
            bool decodeReferences, LinkKindRule rule, bool forwardSlashes = false);
  void Apply();

 private:
  LinkRewriter rewriter_;
  ValueReplacer& replacer_;  // the state's passValues
  std::string_view baseUrl_;
  LinkState& state_;
  Host& host_;
  std::optional<PageEncoding> encoding_;
};

// Runs one pass over state.page for the page at `pageUrl` (the candidate's
// URL, query included). The pass ends when the scanner finds no further tag,
// or when the candidate list holds `maxFilesValue` entries (tested after
// every scanner call, before the link is used). Each link, in the letter
// case it has where it stands, goes to AddCandidate; then the values found are rewritten where they stand, in one
// sweep over the page. Nothing else in the page changes.
// The walk reads state.page in place: nothing may change it while a pass
// runs, the window events it pumps included.
void RunScanPass(const ScanPass& pass, std::string_view pageUrl, LinkState& state, Host& host, int maxFilesValue);
// The same, links resolved against `baseUrl` and read in `encoding`.
void RunScanPass(const ScanPass& pass, std::string_view pageUrl, std::string_view baseUrl, PageEncoding encoding,
                 LinkState& state, Host& host, int maxFilesValue);

// Page requisites (PageRequisites.h) of the page in state.page, listed and
// rewritten as the passes do with their links. It runs before them, so that
// a value it shares with them (an image, a style-sheet link) is taken once,
// as a requisite: fetched with a plain GET, stored as a file.
void RunRequisitePass(std::string_view pageUrl, std::string_view baseUrl, PageEncoding encoding, LinkState& state,
                      Host& host, int maxFilesValue);

// The url() and @import references of the style sheet in state.page.
void RunStyleSheetPass(std::string_view sheetUrl, PageEncoding encoding, LinkState& state, Host& host,
                       int maxFilesValue);

// The URL that the page's links resolve against: its <base href>, resolved,
// else `pageUrl`. The base tag is cut from the page, so that the saved copy's
// local links resolve from where it is stored (and no pass reads the tag as
// an anchor).
std::string TakeBaseHref(std::string_view pageUrl, PageEncoding encoding, LinkState& state);

}  // namespace pagelark
