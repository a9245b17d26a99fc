#include "links/LinkState.h"

#include <algorithm>
#include <stdexcept>

#include "platform/cp932.h"

namespace pagelark {

const std::string& CandidateList::Url(std::size_t index) const {
  return index < headSlots_ ? headUrls_.at(index) : tailUrls_.at(index - headSlots_);
}

const std::string& CandidateList::Kind(std::size_t index) const {
  return index < headSlots_ ? headKinds_.at(index) : tailKinds_.at(index - headSlots_);
}

std::vector<std::string> CandidateList::Urls() const {
  std::vector<std::string> urls = headUrls_;
  urls.insert(urls.end(), tailUrls_.begin(), tailUrls_.end());
  return urls;
}

std::string_view CandidateList::ListedKind(std::string_view url) const {
  const std::size_t index = IndexOf(url);
  return index == npos ? std::string_view() : std::string_view(Kind(index));
}

std::size_t CandidateList::IndexOf(std::string_view url) const {
  const std::size_t number = listed_.Find(url);
  return number == TextIndex::npos ? npos : firstEntries_[number];
}

void CandidateList::List(std::string_view url, std::size_t index) {
  if (listed_.Insert(std::string(url)).second) firstEntries_.push_back(index);
}

void CandidateList::AppendStartUrl(std::string url, std::string kind) {
  if (headUrls_.size() == headSlots_) {
    if (!tailUrls_.empty()) throw std::logic_error("a start URL after the found links, without a slot");
    ++headSlots_;
  }
  List(url, headUrls_.size());
  headUrls_.push_back(std::move(url));
  headKinds_.push_back(std::move(kind));
}

void CandidateList::ReserveStartUrls(std::size_t count) {
  if (!tailUrls_.empty()) throw std::logic_error("start URL slots after the found links");
  headSlots_ += count;
}

void CandidateList::Append(std::string url, std::string kind) {
  List(url, size());
  tailUrls_.push_back(std::move(url));
  tailKinds_.push_back(std::move(kind));
}

void CandidateList::Clear() {
  headUrls_.clear();
  headKinds_.clear();
  headSlots_ = 0;
  tailUrls_.clear();
  tailKinds_.clear();
  listed_.Clear();
  firstEntries_.clear();
}

void LinkState::Reset() {
  candidates.Clear();
  outsideLinks.clear();
  serverName.clear();
  page.Clear();
  writtenValues.clear();
  localLinks.clear();
  pageLinksStart = 0;
  storedNames.Clear();
  lineReasons.clear();
  pendingStartUrls = 0;
}

MirrorPlace PlaceCandidate(std::string_view downloadFolder, std::string_view url, std::string_view kind,
                           bool oneFolder) {
  return IsFileKind(kind) ? PlaceFile(downloadFolder, url, oneFolder, IsRequisiteKind(kind))
                          : PlacePage(downloadFolder, url, oneFolder);
}

bool LinkState::ClaimStoredName(std::string_view url, std::string_view kind, bool oneFolder) {
  return ClaimStoredPath(PlaceCandidate("", url, kind, oneFolder).filePath);
}

bool LinkState::ClaimStoredPath(std::string_view filePath) {
  return storedNames.Insert(cp932::ToLower(filePath)).second;
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
