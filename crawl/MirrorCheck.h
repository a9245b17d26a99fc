// The mirror check: reads every saved page below a download folder and finds
// what keeps the mirror from working offline. It reads only files, so it
// works on any mirror, also one made by an earlier version (whose rooted
// links are absolute file-system paths).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pagelark {

struct MirrorReport {
  struct Link {
    std::string page;   // below the mirror folder, system form
    std::string value;  // the link as the page holds it
  };
  std::size_t pages = 0;
  std::size_t links = 0;
  std::vector<Link> broken;          // a local link that opens no file
  std::vector<Link> onlineMirrored;  // an online link to a server that is mirrored here
  std::size_t onlineElsewhere = 0;   // online links to other servers
  std::vector<Link> absolutePaths;   // local links that name a file by its absolute path
  std::vector<std::string> emptyFiles;

  // Whole: every local link opens a file and no file is empty.
  bool Whole() const { return broken.empty() && emptyFiles.empty(); }
};

// `folder`: the download folder, system form, ending with "\".
MirrorReport CheckMirror(const std::string& folder);

}  // namespace pagelark
