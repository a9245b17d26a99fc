#include "links/ScanPass.h"

#include "links/AddCandidate.h"
#include "links/DownloadFilters.h"
#include "links/LinkRewriting.h"
#include "links/TagScanner.h"
#include "platform/cp932.h"

namespace pagelark {
namespace {

// Decided on the lower-cased link, as the scanner returns it.
std::string_view KindOf(LinkKindRule rule, std::string_view lowerLink) {
  switch (rule) {
    case LinkKindRule::kFile:
      return kKindSrc;
    case LinkKindRule::kPage:
      return kKindUrl;
    case LinkKindRule::kByLink:
      break;
  }
  if (lowerLink.find('?') != std::string_view::npos) return kKindCgi;
  return IsPageUrl(lowerLink) ? kKindUrl : kKindSrc;
}

bool ListIsFull(const LinkState& state, int maxFilesValue) {
  return maxFilesValue <= 0 || state.candidates.size() >= static_cast<std::size_t>(maxFilesValue);
}

}  // namespace

void WalkLinks(const ScanPass& pass, std::string_view source, std::string_view lower,
               const std::function<bool()>& carryOn, const std::function<void(const FoundLink&)>& onLink) {
  AttributeScanner scanner(lower, pass.tagWord, pass.attributeWord);
  for (std::size_t base = 0;;) {
    const ScanResult found = pass.anchorScanner ? scanner.ScanAnchor(base) : scanner.ScanAttribute(base);
    if (found.end || !carryOn()) return;
    if (!found.value.empty()) {
      // The link keeps the letter case of its first occurrence in the rest of the page.
      const std::size_t first = cp932::Find(lower, found.value, base);
      onLink({source.substr(first, found.value.size()), found.value, found.tagText});
    }
    base = found.next;
  }
}

void RunScanPass(const ScanPass& pass, std::string_view pageUrl, LinkState& state, Host& host, int maxFilesValue) {
  const LinkRewriter rewriter(state.downloadFolder, pageUrl);
  LinkValueReplacer replacer;
  const auto carryOn = [&] {
    if (ListIsFull(state, maxFilesValue)) return false;
    if (pass.pumpsMessages) host.PumpMessages();
    return true;
  };
  std::vector<std::string> written;
  const auto onLink = [&](const FoundLink& found) {
    if (state.pageTargets.contains(found.lowerLink)) return;
    const std::string_view kind = KindOf(pass.kindRule, found.lowerLink);
    const std::string_view tagText = kind == kKindUrl ? found.tagText : std::string_view();
    const CandidateOutcome outcome = AddCandidate(pageUrl, found.link, kind, tagText, state, host);
    // Of links with the same text the first decides the replacement.
    if (replacer.Has(found.lowerLink)) return;
    std::string target = rewriter.Target(found.link, kind, outcome);
    if (target != found.link) written.push_back(cp932::ToLower(target));
    replacer.Add(found.lowerLink, std::move(target));
  };
  WalkLinks(pass, state.page.pageText(), state.page.pageTextLower(), carryOn, onLink);
  replacer.Apply(state.page);
  state.pageTargets.insert(written.begin(), written.end());
}

}  // namespace pagelark
