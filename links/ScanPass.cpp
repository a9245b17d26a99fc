#include "links/ScanPass.h"

#include <algorithm>

#include "links/AddCandidate.h"
#include "links/CharacterReferences.h"
#include "links/DownloadFilters.h"
#include "links/LinkResolution.h"
#include "links/LinkRewriting.h"
#include "links/PageRequisites.h"
#include "links/TagScanner.h"
#include "platform/cp932.h"

namespace pagelark {
namespace {

// A ".css" path, its query aside.
bool NamesStyleSheet(std::string_view lowerLink) {
  const std::string_view path = lowerLink.substr(0, lowerLink.find('?'));
  return path.ends_with(".css");
}

// Decided on the lower-cased link, as the scanner returns it.
std::string_view KindOf(LinkKindRule rule, std::string_view lowerLink) {
  const bool query = lowerLink.find('?') != std::string_view::npos;
  switch (rule) {
    case LinkKindRule::kFile:
      return kKindSrc;
    case LinkKindRule::kPage:
      return kKindUrl;
    case LinkKindRule::kStyleSheet:
      return kKindCss;
    case LinkKindRule::kRequisite:
      if (NamesStyleSheet(lowerLink)) return kKindCss;
      if (query) return kKindReq;
      return IsPageUrl(lowerLink) ? kKindUrl : kKindSrc;
    case LinkKindRule::kByLink:
      break;
  }
  if (query) return kKindCgi;
  return IsPageUrl(lowerLink) ? kKindUrl : kKindSrc;
}

// A link to a candidate stored before this page stays good; the others are
// recorded for the repair at the end of the run.
void RecordLocalLink(LinkState& state, std::size_t target) {
  if (target < state.pageIndex && state.IsStored(target)) return;
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
  WalkLinks(pass, source, lower, TagMap(lower), carryOn, onLink);
}

void WalkLinks(const ScanPass& pass, std::string_view source, std::string_view lower, const TagMap& tags,
               const std::function<bool()>& carryOn, const std::function<void(const FoundLink&)>& onLink) {
  AttributeScanner scanner(lower, pass.tagWord, pass.attributeWord, tags);
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
  const TagMap tags(lower);
  for (const ScanPass& pass : kScanPasses) {
    WalkLinks(
        pass, source, lower, tags, [] { return true; },
        [&](const FoundLink& found) {
          values.push_back({found.at, found.link});
        });
  }
  for (const RequisiteRef& ref : FindPageRequisites(source, lower, tags))
    values.push_back({ref.at, source.substr(ref.at, ref.size)});
  std::sort(values.begin(), values.end(), [](const PageValue& a, const PageValue& b) { return a.at < b.at; });
  values.erase(
      std::unique(values.begin(), values.end(), [](const PageValue& a, const PageValue& b) { return a.at == b.at; }),
      values.end());
  return values;
}

std::vector<PageValue> StyleSheetValuesOf(std::string_view sheet) {
  std::vector<RequisiteRef> refs;
  FindStyleRefs(sheet, 0, refs);
  std::vector<PageValue> values;
  for (const RequisiteRef& ref : refs) values.push_back({ref.at, sheet.substr(ref.at, ref.size)});
  return values;
}

LinkTaker::LinkTaker(std::string_view pageUrl, std::string_view baseUrl, LinkState& state, Host& host,
                     std::optional<PageEncoding> encoding)
    : rewriter_(pageUrl),
      replacer_(state.passValues),
      baseUrl_(baseUrl),
      state_(state),
      host_(host),
      encoding_(encoding) {
  replacer_.Clear();
}

void LinkTaker::Take(std::string_view link, std::string_view lowerLink, std::size_t at, std::string_view tagText,
                     bool decodeReferences, LinkKindRule rule, bool forwardSlashes) {
  if (MeetsSpans(state_.writtenValues, at, at + link.size())) return;
  // The link as a browser reads the attribute: character references decoded.
  const std::size_t size = link.size();
  const bool plain = !decodeReferences || link.find('&') == std::string_view::npos;
  const std::string decoded = plain ? std::string() : DecodeCharacterReferences(link);
  std::string_view read = plain ? link : std::string_view(decoded);
  const std::string inSystemForm = encoding_ ? LinkToSystem(read, *encoding_) : std::string();
  if (encoding_) read = inSystemForm;
  const std::string_view kind = KindOf(rule, plain && !encoding_ ? lowerLink : cp932::ToLower(read));
  const CandidateOutcome outcome =
      AddCandidate(baseUrl_, read, kind, kind == kKindUrl ? tagText : std::string_view(), state_, host_);
  std::string target = rewriter_.Target(read, kind, outcome);
  if (outcome.downloaded()) {
    RecordLocalLink(state_, outcome.index);
    if (forwardSlashes) target = cp932::ReplaceAll(target, "\\", "/");
  } else if (!plain) {
    // A URL that stays online keeps its references: as written when it
    // was absolute already, else with "&" written as "&amp;".
    if (target == read) return;
    target = cp932::ReplaceAll(target, "&", "&amp;");
  }
  if (encoding_) target = SystemToPage(target, *encoding_);
  const std::string_view asWritten = std::string_view(state_.page.pageText()).substr(at, size);
  // A requisite's value is taken even when it stays as it is, so that a
  // later pass meeting it leaves it alone.
  if (target == asWritten && !forwardSlashes) return;
  replacer_.Add(at, at + size, std::move(target));
}

void LinkTaker::Apply() { replacer_.Apply(state_.page, state_.writtenValues); }

namespace {

// Each reference as a link of the page, until the list is full.
void TakeRefs(const std::vector<RequisiteRef>& refs, bool html, LinkTaker& taker, LinkState& state, Host& host,
              int maxFilesValue) {
  std::size_t taken = 0;
  for (const RequisiteRef& ref : refs) {
    if (ListIsFull(state, maxFilesValue)) break;
    if (++taken % 64 == 0) host.PumpMessages();
    const std::string_view link = std::string_view(state.page.pageText()).substr(ref.at, ref.size);
    const std::string_view lower = std::string_view(state.page.pageTextLower()).substr(ref.at, ref.size);
    // Written with "/": in a style sheet a backslash is an escape, and every
    // browser reads "/" in a file path.
    taker.Take(link, lower, ref.at, {}, html, ref.styleSheet ? LinkKindRule::kStyleSheet : LinkKindRule::kRequisite,
               true);
  }
  taker.Apply();
}

}  // namespace

void RunRequisitePass(std::string_view pageUrl, std::string_view baseUrl, PageEncoding encoding, LinkState& state,
                      Host& host, int maxFilesValue) {
  LinkTaker taker(pageUrl, baseUrl, state, host, encoding);
  TakeRefs(FindPageRequisites(state.page.pageText(), state.page.pageTextLower(), state.page.Tags()), true, taker, state,
           host, maxFilesValue);
}

void RunStyleSheetPass(std::string_view sheetUrl, PageEncoding encoding, LinkState& state, Host& host,
                       int maxFilesValue) {
  std::vector<RequisiteRef> refs;
  FindStyleRefs(state.page.pageText(), 0, refs);
  LinkTaker taker(sheetUrl, sheetUrl, state, host, encoding);
  TakeRefs(refs, false, taker, state, host, maxFilesValue);
}

std::string TakeBaseHref(std::string_view pageUrl, PageEncoding encoding, LinkState& state) {
  // A base element's name stands right behind its "<": a page without
  // "<base" (most pages) has none, and its tags are not read for one.
  if (cp932::Find(state.page.pageTextLower(), "<base") == cp932::npos) return std::string(pageUrl);
  const std::optional<BaseHref> base = FindBaseHref(state.page.pageText(), state.page.Tags());
  if (!base) return std::string(pageUrl);
  const std::string value = LinkToSystem(
      DecodeCharacterReferences(std::string_view(state.page.pageText()).substr(base->value.at, base->value.size)),
      encoding);
  std::string resolved = HasOtherScheme(value) ? std::string() : ResolveLink(pageUrl, value);
  ValueReplacer cut;
  cut.Add(base->tagStart, base->tagEnd, "");
  cut.Apply(state.page, state.writtenValues);
  return resolved.empty() ? std::string(pageUrl) : resolved;
}

namespace {

void RunPass(const ScanPass& pass, LinkTaker& taker, LinkState& state, Host& host, int maxFilesValue) {
  const auto carryOn = [&] {
    if (ListIsFull(state, maxFilesValue)) return false;
    if (pass.pumpsMessages) host.PumpMessages();
    return true;
  };
  const auto onLink = [&](const FoundLink& found) {
    taker.Take(found.link, found.lowerLink, found.at, found.tagText, true, pass.kindRule);
  };
  WalkLinks(pass, state.page.pageText(), state.page.pageTextLower(), state.page.Tags(), carryOn, onLink);
  taker.Apply();
}

}  // namespace

void RunScanPass(const ScanPass& pass, std::string_view pageUrl, LinkState& state, Host& host, int maxFilesValue) {
  LinkTaker taker(pageUrl, pageUrl, state, host);
  RunPass(pass, taker, state, host, maxFilesValue);
}

void RunScanPass(const ScanPass& pass, std::string_view pageUrl, std::string_view baseUrl, PageEncoding encoding,
                 LinkState& state, Host& host, int maxFilesValue) {
  LinkTaker taker(pageUrl, baseUrl, state, host, encoding);
  RunPass(pass, taker, state, host, maxFilesValue);
}

}  // namespace pagelark
