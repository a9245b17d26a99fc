#include "links/LinkState.h"

#include <algorithm>

#include "platform/cp932.h"

namespace pagelark {

std::string_view CandidateList::ListedKind(std::string_view url) const {
  const auto found = listed_.find(url);
  return found == listed_.end() ? std::string_view() : std::string_view(kinds_[found->second]);
}

std::size_t CandidateList::IndexOf(std::string_view url) const {
  const auto found = listed_.find(url);
  return found == listed_.end() ? npos : found->second;
}

void CandidateList::Append(std::string url, std::string kind) {
  listed_.emplace(url, urls_.size());
  urls_.push_back(std::move(url));
  kinds_.push_back(std::move(kind));
}

void CandidateList::Clear() {
  urls_.clear();
  kinds_.clear();
  listed_.clear();
}

void LinkState::Reset() {
  candidates.Clear();
  outsideLinks.clear();
  serverName.clear();
  page.Clear();
  writtenValues.clear();
  localLinks.clear();
  pageLinksStart = 0;
  storedNames.clear();
  lineReasons.clear();
  pendingStartUrls = 0;
}

MirrorPlace PlaceCandidate(std::string_view downloadFolder, std::string_view url, std::string_view kind,
                           bool oneFolder) {
  return kind == kKindSrc ? PlaceFile(downloadFolder, url, oneFolder) : PlacePage(downloadFolder, url, oneFolder);
}

bool LinkState::ClaimStoredName(std::string_view url, std::string_view kind, bool oneFolder) {
  return storedNames.insert(cp932::ToLower(PlaceCandidate("", url, kind, oneFolder).filePath)).second;
}

void LinkState::BeginPage(std::string text) {
  page.Assign(std::move(text));
  writtenValues.clear();
  pageLinksStart = localLinks.size();
}

void LinkState::EndPage() {
  const auto first = localLinks.begin() + static_cast<std::ptrdiff_t>(std::min(pageLinksStart, localLinks.size()));
  std::sort(first, localLinks.end(), [](const LocalLink& a, const LocalLink& b) { return a.target < b.target; });
  localLinks.erase(std::unique(first, localLinks.end()), localLinks.end());
}

}  // namespace pagelark
