#include "links/LinkState.h"

#include <algorithm>
#include <stdexcept>

#include "platform/cp932.h"

namespace pagelark {

const std::string& CandidateList::Url(std::size_t index) const { return listed_.Text(At(index).url); }

const std::string& CandidateList::Kind(std::size_t index) const { return kinds_[At(index).kind]; }

const CandidateList::Entry& CandidateList::At(std::size_t index) const {
  return index < headSlots_ ? head_.at(index) : tail_.at(index - headSlots_);
}

std::vector<std::string> CandidateList::Urls() const {
  std::vector<std::string> urls;
  urls.reserve(head_.size() + tail_.size());
  for (const Entry& entry : head_) urls.push_back(listed_.Text(entry.url));
  for (const Entry& entry : tail_) urls.push_back(listed_.Text(entry.url));
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

// The entry of `url` of `kind` at `index`; a URL met for the first time gets
// its number, and its first entry is `index`.
CandidateList::Entry CandidateList::Enter(std::string url, std::string kind, std::size_t index) {
  const auto [number, added] = listed_.Insert(std::move(url));
  if (added) firstEntries_.push_back(index);
  auto known = std::find(kinds_.begin(), kinds_.end(), kind);
  if (known == kinds_.end()) known = kinds_.insert(kinds_.end(), std::move(kind));
  return {static_cast<std::uint32_t>(number), static_cast<std::uint8_t>(known - kinds_.begin())};
}

void CandidateList::AppendStartUrl(std::string url, std::string kind) {
  if (head_.size() == headSlots_) {
    if (!tail_.empty()) throw std::logic_error("a start URL after the found links, without a slot");
    ++headSlots_;
  }
  head_.push_back(Enter(std::move(url), std::move(kind), head_.size()));
}

void CandidateList::ReserveStartUrls(std::size_t count) {
  if (!tail_.empty()) throw std::logic_error("start URL slots after the found links");
  headSlots_ += count;
}

void CandidateList::Append(std::string url, std::string kind) {
  tail_.push_back(Enter(std::move(url), std::move(kind), size()));
}

void CandidateList::Clear() {
  head_.clear();
  headSlots_ = 0;
  tail_.clear();
  listed_.Clear();
  firstEntries_.clear();
  kinds_.clear();
}

void LinkState::Reset() {
  candidates.Clear();
  outsideLinks.clear();
  serverName.clear();
  page.Clear();
  writtenValues.clear();
  localLinks.clear();
  pageLinksStart = 0;
  storedCandidates.clear();
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

void LinkState::MarkStored(std::size_t index) {
  if (storedCandidates.size() <= index) storedCandidates.resize(index + 1);
  storedCandidates[index] = true;
}

void LinkState::BeginPage(std::string_view text) {
  page.AssignCopy(text);
  writtenValues.clear();
  pageLinksStart = localLinks.size();
}

void LinkState::EndPage() {
  const auto first = localLinks.begin() + static_cast<std::ptrdiff_t>(std::min(pageLinksStart, localLinks.size()));
  std::sort(first, localLinks.end(), [](const LocalLink& a, const LocalLink& b) { return a.target < b.target; });
  localLinks.erase(std::unique(first, localLinks.end()), localLinks.end());
}

}  // namespace pagelark
