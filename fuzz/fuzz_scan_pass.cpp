// A whole page scan as the run does it (the five passes over one page, with
// settings and a file limit chosen by the input), then the cut of outside
// links at save time. Checks: the lower-case twin always equals the
// lower-cased page, the written values stay sorted inside the page and
// nothing else of it changes, the list keeps to the file limit, every listed
// URL is stored inside the download folder, and every link of the page that
// became a download is rewritten to a relative path that reaches the stored
// file.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/FuzzChecks.h"
#include "links/AddCandidate.h"
#include "links/CharacterReferences.h"
#include "links/LinkResolution.h"
#include "links/LinkRewriting.h"
#include "links/ScanPass.h"
#include "platform/cp932.h"
#include "support/QuietHost.h"

namespace pagelark::fuzz {
namespace {

struct PageUrl {
  std::string_view url;
  std::string_view server;
  std::string_view startFolder;
};

constexpr PageUrl kPageUrls[] = {
    {"http://www.example.jp/dir/index.html", "www.example.jp", "http://www.example.jp/dir/"},
    {"http://www.example.jp/dir/list.cgi?page=2&sort=\x90\x56", "www.example.jp", "http://www.example.jp/dir/"},
    {"https://www.example.jp/", "www.example.jp", "https://www.example.jp/"},
    {"http://www.example.jp/\x95\x5C/", "www.example.jp", "http://www.example.jp/\x95\x5C/"},
    {"www.example.jp/dir/page.html", "www.example.jp", "www.example.jp/dir/"},
    {"http://www.example.jp:8080/a/b/c/d.htm", "www.example.jp:8080", "http://www.example.jp:8080/a/"},
};

CrawlSettings SettingsFrom(FuzzedDataProvider& input) {
  CrawlSettings settings;
  settings.belowStartUrlOnly = input.ConsumeBool();
  settings.sameServerOnly = input.ConsumeBool();
  settings.oneFolder = input.ConsumeBool();
  settings.useFilter = input.ConsumeBool();
  settings.useEnableList = input.ConsumeBool();
  settings.useDisableList = input.ConsumeBool();
  settings.allKinds = input.ConsumeBool();
  settings.kinds = {"jpg", "png", "pdf"};
  settings.enableUrls = {"/news/", "\x83\x65\x83\x58\x83\x67"};  // "テスト"
  settings.disableUrls = {"ad", ".zip"};
  return settings;
}

void CheckTwin(const LinkState& state) {
  Check(state.page.pageTextLower() == cp932::ToLower(state.page.pageText()), "the twin is the lower-cased page",
        state.page.pageText());
  const std::optional<TagMap>& tags = state.page.mappedTags();
  Check(!tags || *tags == TagMap(state.page.pageTextLower()), "a tag map kept through rewrites maps the page",
        state.page.pageText());
}

void CheckWrittenValues(const LinkState& state) {
  std::size_t after = 0;
  for (const TextSpan& span : state.writtenValues) {
    Check(span.start >= after && span.start <= span.end && span.end <= state.page.pageText().size(),
          "written values lie in order inside the page", state.page.pageText());
    after = span.end;
  }
}

// Only the written values changed: the text around them is the page's own,
// in the same order (the stretch before the first and after the last
// exactly; the ones between found in turn).
void CheckOnlyValuesChanged(const LinkState& state, std::string_view original) {
  const std::string_view page = state.page.pageText();
  if (state.writtenValues.empty()) {
    Check(page == original, "a page without written values stays as it is", original);
    return;
  }
  std::size_t from = 0, at = 0;
  for (const TextSpan& span : state.writtenValues) {
    const std::string_view gap = page.substr(from, span.start - from);
    const bool first = &span == &state.writtenValues.front();
    const std::size_t found = first ? (original.starts_with(gap) ? 0 : std::string_view::npos) : original.find(gap, at);
    Check(found != std::string_view::npos, "the text around the written values stays", original);
    at = found + gap.size();
    from = span.end;
  }
  const std::string_view tail = page.substr(from);
  Check(original.size() >= at + tail.size() && original.ends_with(tail), "the text around the written values stays",
        original);
}

// Every link of `page` as a pass reads it, character references decoded.
std::vector<std::string> LinksOf(const std::string& page) {
  std::vector<std::string> links;
  const std::string lower = cp932::ToLower(page);
  for (const ScanPass& pass : kScanPasses) {
    WalkLinks(
        pass, page, lower, [] { return true; },
        [&](const FoundLink& found) { links.push_back(DecodeCharacterReferences(found.link)); });
  }
  return links;
}

// A link to a listed URL, kept as a download, must open the stored file from
// the page's folder, by a relative path.
void CheckRewritten(const LinkRewriter& rewriter, const LinkState& state, std::string_view link, std::string_view url) {
  const std::string_view kind = state.candidates.ListedKind(url);
  if (kind.empty()) return;
  const CandidateOutcome outcome{CandidateOutcome::Result::kListed, std::string(url), std::string(kind)};
  const std::string target = rewriter.Target(link, kind, outcome);
  Check(!IsRootedLink(target) && !target.starts_with('\\') && !Holds(target, ":"),
        "a downloaded link becomes a relative path", link);
  Check(rewriter.Reaches(target, url, kind), "a downloaded link reaches the stored file", link);
}

}  // namespace
}  // namespace pagelark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pagelark;
  using namespace pagelark::fuzz;
  FuzzedDataProvider input(data, size);
  const PageUrl& pageUrl = input.PickValueInArray(kPageUrls);
  test::QuietHost host;
  host.settings = SettingsFrom(input);
  const int maxFiles = input.ConsumeIntegralInRange(0, 300);
  LinkState state;
  state.downloadFolder = kDownloadFolder;
  state.startFolderUrl = pageUrl.startFolder;
  state.maxDuplicateLinksValue = input.ConsumeIntegralInRange(-1, 20);
  state.Reset();
  state.candidates.Append(std::string(pageUrl.url), std::string(kKindUrl));
  state.serverName = pageUrl.server;
  state.pageIndex = 0;
  const bool requisites = input.ConsumeBool();
  const std::string page = input.ConsumeRemainingBytesAsString();

  state.BeginPage(page);
  if (requisites) {
    RunRequisitePass(pageUrl.url, pageUrl.url, PageEncoding::kCp932, state, host, maxFiles);
    CheckWrittenValues(state);
  }
  for (const ScanPass& pass : kScanPasses) {
    RunScanPass(pass, pageUrl.url, state, host, maxFiles);
    CheckTwin(state);
    CheckWrittenValues(state);
  }
  state.EndPage();
  CheckOnlyValuesChanged(state, page);

  Check(state.candidates.size() <= std::max<std::size_t>(1, static_cast<std::size_t>(maxFiles)),
        "the list keeps to the file limit", page);
  for (const LocalLink& link : state.localLinks) {
    Check(link.page == 0 && link.target < state.candidates.size(), "a local link names a listed URL", page);
  }
  for (std::size_t i = 1; i < state.localLinks.size(); ++i) {
    Check(state.localLinks[i - 1].target < state.localLinks[i].target, "a page's local links are kept once each", page);
  }
  for (const std::string& url : state.candidates.Urls()) CheckPlacements(url);

  const LinkRewriter rewriter(pageUrl.url);
  for (const std::string& url : state.candidates.Urls()) CheckRewritten(rewriter, state, url, url);
  for (const std::string& link : LinksOf(page)) {
    if (!HasOtherScheme(link)) CheckRewritten(rewriter, state, link, ResolveLink(pageUrl.url, link));
  }

  // The cut at save time, and the values of the saved page.
  for (const std::string& entry : state.outsideLinks) {
    if (entry.starts_with('<')) ReplaceInPage(state.page, entry, "", MatchScope::kAnywhere);
  }
  CheckTwin(state);
  LinkValuesOf(state.page.pageText(), state.page.pageTextLower());
  StyleSheetValuesOf(state.page.pageText());
  return 0;
}
