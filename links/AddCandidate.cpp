#include "links/AddCandidate.h"

#include "links/DownloadFilters.h"
#include "links/LinkResolution.h"

namespace pagelark {
namespace {

// "%d件目を追加中" (adding the %d-th entry), in CP932.
constexpr std::string_view kAddingStatusTail = "\x8C\x8F\x96\xDA\x82\xF0\x92\xC7\x89\xC1\x92\x86";

// The status line follows the list's growth in steps of this many URLs.
constexpr std::size_t kStatusStep = 100;

}  // namespace

CandidateOutcome AddCandidate(std::string_view pageUrl, std::string_view link, std::string_view kind,
                              std::string_view anchorTagText, LinkState& state, Host& host) {
  using Result = CandidateOutcome::Result;
  if (HasOtherScheme(link)) return {Result::kDropped, std::string(link)};
  std::string url = ResolveLink(pageUrl, link);
  if (url.empty()) return {Result::kDropped, std::move(url)};
  if (!PassesAdmissionTests(url, anchorTagText, host.CurrentSettings(), state)) {
    return {Result::kDropped, std::move(url)};
  }
  if (state.candidates.Contains(url)) return {Result::kListed, std::move(url)};
  state.candidates.Append(url, std::string(kind));
  const std::size_t count = state.candidates.size();
  if (count % kStatusStep == 0) host.SetStatus(std::to_string(count) + std::string(kAddingStatusTail));
  return {Result::kAdded, std::move(url)};
}

}  // namespace pagelark
