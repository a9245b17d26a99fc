// Where a downloaded URL lands under the download folder: in folders that
// mirror the URL (scheme, host, path), or all in the download folder itself.
//
// Nothing derived from a URL can lead outside the download folder: "." and
// ".." steps, empty steps (an absolute part) and ":" (a drive part) are
// removed from the URL-derived part before it is joined to the folder. On a
// case-sensitive file system that part is stored lower-case, matching the
// lower-case local links written into saved pages.
#pragma once

#include <string>
#include <string_view>

namespace pagelark {

struct MirrorPlace {
  std::string folder;      // folder chain to create first; empty: create nothing
  std::string filePath;    // where the file is written
  std::string twinSource;  // an "index.html" page to copy to twinPath; else empty
  std::string twinPath;    // its "index.htm" twin
};

// A non-page file (kind "src"; with `requisite`, a page requisite, named by
// RequisiteFileName). `downloadFolder` ends with "\".
MirrorPlace PlaceFile(std::string_view downloadFolder, std::string_view url, bool oneFolder, bool requisite = false);

// A page (kind "url" or "cgi"). `stored` is false for a "url" page whose kind
// is not wanted: then nothing is created or written (filePath is empty), but
// the "index.htm" twin is still tried in the download folder itself.
MirrorPlace PlacePage(std::string_view downloadFolder, std::string_view url, bool oneFolder, bool stored = true);

// Removes from a URL-derived relative path every step that could leave the
// folder it is joined to. A final "\" is kept. A lone lead byte is escaped
// first, so that a "/" behind it, turned into "\", never becomes its trail byte.
std::string ConfineLocalPart(std::string_view part);

}  // namespace pagelark
