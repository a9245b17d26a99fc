#include "links/LinkState.h"

namespace pagelark {

bool CandidateList::Contains(std::string_view url) const { return listed_.find(url) != listed_.end(); }

void CandidateList::Append(std::string url, std::string kind) {
  listed_.insert(url);
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
  pageTargets.clear();
}

void LinkState::BeginPage(std::string text) {
  page.Assign(std::move(text));
  pageTargets.clear();
}

}  // namespace pagelark
