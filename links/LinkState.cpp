#include "links/LinkState.h"

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
}

void LinkState::BeginPage(std::string text) {
  page.Assign(std::move(text));
  writtenValues.clear();
}

}  // namespace pagelark
