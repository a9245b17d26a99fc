// What a link becomes in the saved copy of its page. A link the run
// downloads points at the local copy, where the mirror layout stores it,
// always by a path relative to the page's own folder, so that the mirror
// opens wherever it is moved: a relative link keeps its own local form where
// that names the stored file, any other link ("http://h/x", "//h/x", "/x")
// gets the relative path that does. A link the run never downloads becomes
// its absolute URL, so that it still opens online. Targets name the mirrored folders also
// while every file is stored in one folder, as the saved pages always have.
// A URL listed already is named by the kind it was listed with, since that
// kind decides the stored file's name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "links/AddCandidate.h"
#include "links/LinkState.h"

namespace pagelark {

// Where the mirror layout stores `url` of `kind`, relative to the download
// folder, as the links to it name it (a folder by its index page).
std::string StoredPath(std::string_view url, std::string_view kind);

// The targets of the links of one page.
class LinkRewriter {
 public:
  // `pageUrl` is the URL of the page that holds the links, query included.
  explicit LinkRewriter(std::string_view pageUrl);
  LinkRewriter(const LinkRewriter&) = delete;
  LinkRewriter& operator=(const LinkRewriter&) = delete;

  // The text that replaces `link` (as written in the page, letter case
  // restored). `kind` "src" names a file, any other kind a page.
  std::string Target(std::string_view link, std::string_view kind, const CandidateOutcome& outcome) const;

  // True when `value`, a local path in the page, names where `url` of
  // `kind` is stored (letter case aside).
  bool Reaches(std::string_view value, std::string_view url, std::string_view kind) const;
  // The same, with where the URL is stored known already (StoredPath): for
  // a caller that tests many values against one URL.
  bool ReachesStoredPath(std::string_view value, std::string_view stored) const;

 private:
  std::string LocalTarget(std::string_view link, std::string_view kind, const CandidateOutcome& outcome) const;
  bool SpellsStoredPath(std::string_view written, std::string_view stored) const;

  std::string pageFolderPath_;                // where the page is stored, below the download folder
  std::vector<std::string_view> pageFolder_;  // its steps
};

// Replaces `link` wherever it stands as a whole link value in the state's
// page by its target, and returns the rewritten page text. (The scan passes
// rewrite only the values they found, where they found them.)
const std::string& RewriteLink(LinkState& state, std::string_view pageUrl, std::string_view link, std::string_view kind,
                               const CandidateOutcome& outcome);

}  // namespace pagelark
