#include "links/ScanPass.h"

#include <algorithm>

#include "links/AddCandidate.h"
#include "links/CharacterReferences.h"
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

void RecordLocalLink(LinkState& state, std::string_view url) {
  const std::size_t target = state.candidates.IndexOf(url);
  if (target == CandidateList::npos) return;
  const LocalLink link{static_cast<std::uint32_t>(state.pageIndex), static_cast<std::uint32_t>(target)};
  if (state.localLinks.size() == state.pageLinksStart || !(state.localLinks.back() == link)) {
    state.localLinks.push_back(link);
  }
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
      // The link keeps the letter case it has where it stands.
      const auto at = static_cast<std::size_t>(found.value.data() - lower.data());
      onLink({source.substr(at, found.value.size()), found.value, found.tagText, at});
    }
    base = found.next;
  }
}

std::vector<PageValue> LinkValuesOf(std::string_view source, std::string_view lower) {
  std::vector<PageValue> values;
  for (const ScanPass& pass : kScanPasses) {
    WalkLinks(
        pass, source, lower, [] { return true; },
        [&](const FoundLink& found) {
          values.push_back({found.at, found.link});
        });
  }
  std::sort(values.begin(), values.end(), [](const PageValue& a, const PageValue& b) { return a.at < b.at; });
  values.erase(
      std::unique(values.begin(), values.end(), [](const PageValue& a, const PageValue& b) { return a.at == b.at; }),
      values.end());
  return values;
}

void RunScanPass(const ScanPass& pass, std::string_view pageUrl, LinkState& state, Host& host, int maxFilesValue) {
  const LinkRewriter rewriter(pageUrl);
  ValueReplacer replacer;
  const auto carryOn = [&] {
    if (ListIsFull(state, maxFilesValue)) return false;
    if (pass.pumpsMessages) host.PumpMessages();
    return true;
  };
  const auto onLink = [&](const FoundLink& found) {
    if (WithinSpans(state.writtenValues, found.at, found.at + found.lowerLink.size())) return;
    // The link as a browser reads the attribute: character references decoded.
    const bool plain = found.link.find('&') == std::string_view::npos;
    const std::string decoded = plain ? std::string() : DecodeCharacterReferences(found.link);
    const std::string_view link = plain ? found.link : std::string_view(decoded);
    const std::string_view kind = KindOf(pass.kindRule, plain ? found.lowerLink : cp932::ToLower(link));
    const std::string_view tagText = kind == kKindUrl ? found.tagText : std::string_view();
    const CandidateOutcome outcome = AddCandidate(pageUrl, link, kind, tagText, state, host);
    std::string target = rewriter.Target(link, kind, outcome);
    if (outcome.downloaded()) {
      RecordLocalLink(state, outcome.url);
    } else if (!plain) {
      // A URL that stays online keeps its references: as written when it
      // was absolute already, else with "&" written as "&amp;".
      if (target == link) return;
      target = cp932::ReplaceAll(target, "&", "&amp;");
    }
    const std::string_view asWritten = std::string_view(state.page.pageText()).substr(found.at, found.link.size());
    if (target == asWritten) return;
    replacer.Add(found.at, found.at + found.link.size(), std::move(target));
  };
  WalkLinks(pass, state.page.pageText(), state.page.pageTextLower(), carryOn, onLink);
  replacer.Apply(state.page, state.writtenValues);
}

}  // namespace pagelark
