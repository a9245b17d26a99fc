#include "links/AddCandidate.h"

#include "links/DownloadFilters.h"
#include "links/LinkResolution.h"
#include "messages/RunTexts.h"
#include "platform/cp932.h"

namespace pagelark {
namespace {

// The status line follows the list's growth in steps of this many URLs.
constexpr std::size_t kStatusStep = 100;

}  // namespace

CandidateOutcome AddCandidate(std::string_view pageUrl, std::string_view link, std::string_view kind,
                              std::string_view anchorTagText, LinkState& state, Host& host) {
  using Result = CandidateOutcome::Result;
  if (HasOtherScheme(link)) return {Result::kDropped, std::string(link), {}};
  // A NUL byte would cut the stored name short: it is sent and stored as "%00".
  std::string url = ResolveLink(pageUrl, link);
  if (url.find('\0') != std::string::npos) url = cp932::ReplaceAll(url, std::string_view("\0", 1), "%00");
  if (url.empty()) return {Result::kDropped, std::move(url), {}};
  // The lookup below waits on memory in a large list: started now, it
  // overlaps the admission tests.
  state.candidates.Prefetch(url);
  if (!PassesAdmissionTests(url, anchorTagText, host.CurrentSettings(), state)) {
    return {Result::kDropped, std::move(url), {}};
  }
  if (const std::size_t listed = state.candidates.IndexOf(url); listed != CandidateList::npos) {
    return {Result::kListed, std::move(url), state.candidates.Kind(listed), {}, listed};
  }
  // A file link to a folder ("dir/", ".") names the folder's index page, as
  // an anchor to it does: it is listed as a page, fetched and stored as one.
  if (IsFileKind(kind) && cp932::EndsWithChar(url, '/')) kind = kKindUrl;
  const bool oneFolder = host.CurrentSettings().oneFolder;
  std::string storedPath = PlaceCandidate("", url, kind, oneFolder).filePath;
  if (!state.ClaimStoredPath(storedPath)) {
    AppendFailureLine(host, state.lineReasons, "\t" + url + msg::kFailed, "name in use");
    return {Result::kDropped, std::move(url), {}};
  }
  state.candidates.Append(url, std::string(kind));
  const std::size_t count = state.candidates.size();
  const std::size_t index = count - 1;
  if (count % kStatusStep == 0) host.SetStatus(cp932::ReplaceAll(msg::kAddingCandidate, "%d", std::to_string(count)));
  // The rewriting of the link needs the mirrored path: worked out once.
  if (oneFolder) storedPath.clear();
  return {Result::kAdded, std::move(url), std::string(kind), std::move(storedPath), index};
}

}  // namespace pagelark
