#include "crawl/LinkRepair.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "links/LinkRewriting.h"
#include "links/MirrorLayout.h"
#include "links/PageEncoding.h"
#include "links/ScanPass.h"
#include "platform/fs.h"

namespace pagelark {
namespace {

MirrorPlace PlaceOf(const LinkState& links, std::size_t index, bool oneFolder) {
  return PlaceCandidate(links.downloadFolder, links.candidates.Url(index), links.candidates.Kind(index), oneFolder);
}

// The recorded links whose target has no file, sorted by page.
std::vector<LocalLink> MissingLinks(const LinkState& links, bool oneFolder) {
  std::unordered_map<std::uint32_t, bool> stored;
  std::vector<LocalLink> missing;
  for (const LocalLink& link : links.localLinks) {
    auto [known, added] = stored.try_emplace(link.target, false);
    if (added) known->second = platform::FileExists(PlaceOf(links, link.target, oneFolder).filePath);
    if (!known->second) missing.push_back(link);
  }
  std::stable_sort(missing.begin(), missing.end(),
                   [](const LocalLink& a, const LocalLink& b) { return a.page < b.page; });
  return missing;
}

// Gives the links of one saved page to `targets` their URLs back.
std::size_t RepairPage(const LinkState& links, std::uint32_t pageIndex, const std::vector<std::uint32_t>& targets,
                       bool oneFolder, bool pageEncodings) {
  const MirrorPlace place = PlaceOf(links, pageIndex, oneFolder);
  if (platform::LinkBelow(links.downloadFolder, place.filePath)) return 0;
  std::string bytes;
  if (!platform::ReadFileBytes(place.filePath, bytes)) return 0;
  PageText page;
  page.Assign(std::move(bytes));
  const LinkRewriter rewriter(links.candidates.Url(pageIndex));
  ValueReplacer replacer;
  std::size_t count = 0;
  const bool styleSheet = links.candidates.Kind(pageIndex) == kKindCss;
  const std::vector<PageValue> values =
      styleSheet ? StyleSheetValuesOf(page.pageText()) : LinkValuesOf(page.pageText(), page.pageTextLower());
  std::optional<PageEncoding> encoding;
  if (pageEncodings) {
    encoding = styleSheet ? DetectStyleSheetEncoding({}, page.pageText()) : DetectPageEncoding({}, page.pageText());
  }
  // Where each target is stored, found once for all the page's values.
  std::vector<std::string> storedPaths;
  storedPaths.reserve(targets.size());
  for (std::uint32_t target : targets) {
    storedPaths.push_back(StoredPath(links.candidates.Url(target), links.candidates.Kind(target)));
  }
  for (const PageValue& value : values) {
    const std::string read = encoding ? LinkToSystem(value.value, *encoding) : std::string(value.value);
    for (std::size_t i = 0; i < targets.size(); ++i) {
      const std::string& url = links.candidates.Url(targets[i]);
      if (!rewriter.ReachesStoredPath(read, storedPaths[i])) continue;
      replacer.Add(value.at, value.at + value.value.size(), encoding ? SystemToPage(url, *encoding) : url);
      ++count;
      break;
    }
  }
  if (count == 0) return 0;
  std::vector<TextSpan> written;
  replacer.Apply(page, written);
  try {
    if (!platform::RewriteTextFile(place.filePath, page.pageText())) return 0;
  } catch (const platform::FileWriteError&) {
    return 0;  // the old page stays whole
  }
  if (!place.twinSource.empty()) platform::CopyFileReplacing(place.twinSource, place.twinPath);
  return count;
}

}  // namespace

std::size_t RestoreMissingLinks(const LinkState& links, bool oneFolder, bool pageEncodings) {
  const std::vector<LocalLink> missing = MissingLinks(links, oneFolder);
  std::size_t restored = 0;
  for (auto first = missing.begin(); first != missing.end();) {
    const auto last = std::find_if(first, missing.end(), [&](const LocalLink& l) { return l.page != first->page; });
    std::vector<std::uint32_t> targets;
    for (auto it = first; it != last; ++it) targets.push_back(it->target);
    restored += RepairPage(links, first->page, targets, oneFolder, pageEncodings);
    first = last;
  }
  return restored;
}

}  // namespace pagelark
