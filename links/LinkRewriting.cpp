#include "links/LinkRewriting.h"

#include <algorithm>

#include "links/LinkResolution.h"
#include "links/LocalNames.h"
#include "links/MirrorLayout.h"
#include "links/PathFields.h"
#include "platform/cp932.h"

namespace pagelark {
namespace {

constexpr std::string_view kIndexPage = "index.html";

using Steps = std::vector<std::string_view>;
// Room for the steps of a usual path: walking one then allocates once.
constexpr std::size_t kUsualSteps = 16;

// The steps of a backslash path as a file system walks them: empty and "."
// steps vanish, ".." climbs. False when a ".." would climb above the start.
bool WalkSteps(std::string_view path, Steps& steps) {
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(cp932::Find(path, "\\", start), path.size());
    const std::string_view step = path.substr(start, end - start);
    if (step == "..") {
      if (steps.empty()) return false;
      steps.pop_back();
    } else if (!step.empty() && step != ".") {
      steps.push_back(step);
    }
    start = end + 1;
  }
  return true;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Letter case aside, as a file system that ignores it compares names: the
// single-byte letters compare in lower case, double-byte characters as they
// stand. Lower-casing keeps every character's length, so names that match
// split into characters alike.
bool SameStep(std::string_view a, std::string_view b) {
  if (a == b) return true;
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    const std::size_t length = cp932::CharLength(a, i);
    if (length != cp932::CharLength(b, i)) return false;
    if (length == 2 ? a.substr(i, 2) != b.substr(i, 2) : LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    i += length;
  }
  return true;
}

bool SameSteps(const Steps& a, const Steps& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameStep);
}

// The path from the folder `from` to `to`, both as steps below one root.
std::string RelativePath(const Steps& from, const Steps& to) {
  std::size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && SameStep(from[common], to[common])) {
    ++common;
  }
  std::string path;
  for (std::size_t i = common; i < from.size(); ++i) path.append("..\\");
  for (std::size_t i = common; i < to.size(); ++i) path.append(i > common ? "\\" : "").append(to[i]);
  return path;
}

// A mirrored path as the file system opens it: a folder by its index page.
std::string WithIndexPage(std::string path) {
  if (cp932::EndsWithChar(path, '\\')) path.append(kIndexPage);
  return path;
}

// The link's own local form: what it becomes when its text, read as a
// relative path, names the stored file.
std::string WrittenLocalForm(std::string_view link, std::string_view kind) {
  std::string local = ToLocalForm(link);
  if (cp932::Find(local, "?") != cp932::npos) {
    if (IsRequisiteKind(kind)) return RequisiteFileName(local);
    return kind == kKindSrc ? QueryFileName(local) : QueryPageName(local);
  }
  if (cp932::EndsWithChar(local, '\\')) local.append(kIndexPage);
  return local;
}

}  // namespace

std::string StoredPath(std::string_view url, std::string_view kind) {
  return WithIndexPage(PlaceCandidate("", url, kind, false).filePath);
}

LinkRewriter::LinkRewriter(std::string_view pageUrl) {
  std::string name;
  SplitPath(StoredPath(pageUrl, kKindUrl), pageFolderPath_, name, '\\');
  WalkSteps(pageFolderPath_, pageFolder_);
}

std::string LinkRewriter::Target(std::string_view link, std::string_view kind, const CandidateOutcome& outcome) const {
  if (!outcome.downloaded()) return outcome.url.empty() ? std::string(link) : outcome.url;
  return LocalTarget(link, outcome.kind.empty() ? kind : std::string_view(outcome.kind), outcome);
}

std::string LinkRewriter::LocalTarget(std::string_view link, std::string_view kind,
                                      const CandidateOutcome& outcome) const {
  // The mirrored path as it stands, unless a folder's index page must be named.
  std::string_view stored = outcome.mirroredPath;
  std::string storedCopy;
  if (stored.empty() || cp932::EndsWithChar(stored, '\\')) {
    storedCopy = outcome.mirroredPath.empty() ? StoredPath(outcome.url, kind) : WithIndexPage(outcome.mirroredPath);
    stored = storedCopy;
  }
  // Keep a relative link's own form where it opens the stored file (a
  // leading "\\" would start at the root).
  const std::string written = WrittenLocalForm(link, kind);
  const bool relative = !IsRootedLink(link) && !written.starts_with('\\');
  if (relative && SpellsStoredPath(written, stored)) return written;
  Steps storedSteps;
  storedSteps.reserve(kUsualSteps);
  WalkSteps(stored, storedSteps);
  Steps writtenSteps;
  writtenSteps.reserve(pageFolder_.size() + kUsualSteps);
  writtenSteps.assign(pageFolder_.begin(), pageFolder_.end());
  if (relative && WalkSteps(written, writtenSteps) && SameSteps(writtenSteps, storedSteps)) return written;
  return RelativePath(pageFolder_, storedSteps);
}

// The usual case, told without walking steps: the page's folder followed by
// the written form is the stored path, letter case aside. Stored paths and
// the page's folder (which ends with "\") hold no empty, "." or ".." step,
// so the two texts then walk to the same steps.
bool LinkRewriter::SpellsStoredPath(std::string_view written, std::string_view stored) const {
  const std::string_view folder = pageFolderPath_;
  return stored.size() == folder.size() + written.size() && SameStep(stored.substr(0, folder.size()), folder) &&
         SameStep(stored.substr(folder.size()), written);
}

bool LinkRewriter::Reaches(std::string_view value, std::string_view url, std::string_view kind) const {
  return ReachesStoredPath(value, StoredPath(url, kind));
}

bool LinkRewriter::ReachesStoredPath(std::string_view value, std::string_view stored) const {
  // Requisites are written with "/" (a "\" escapes in style sheets).
  const std::string path = cp932::ReplaceAll(value, "/", "\\");
  Steps valueSteps = pageFolder_, storedSteps;
  WalkSteps(stored, storedSteps);
  return !path.starts_with('\\') && WalkSteps(path, valueSteps) && SameSteps(valueSteps, storedSteps);
}

const std::string& RewriteLink(LinkState& state, std::string_view pageUrl, std::string_view link, std::string_view kind,
                               const CandidateOutcome& outcome) {
  const std::string target = LinkRewriter(pageUrl).Target(link, kind, outcome);
  ReplaceInPage(state.page, link, target, MatchScope::kWholeValue);
  return state.page.pageText();
}

}  // namespace pagelark
