// Checks of a mirror that pagelark-cli made against the site it was made
// from, decided without the product's own scanner: a small tokenizer finds
// the attribute values of the served pages, and a saved page must be its
// served page with some of those values replaced.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pagelark::test {

// One attribute value of a start tag: the bytes [begin, end) of the page.
struct AttributeValue {
  std::string name;  // the attribute's name, lower-case
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The attribute values of every start tag (`<` name, then `name = "v"`,
// `'v'` or `v`), in page order. Comments, declarations, end tags and the
// contents of script and style elements hold none.
std::vector<AttributeValue> ScanAttributeValues(std::string_view html);

// Where `saved` first differs from `served`, other than by whole attribute
// values of `served` replaced by texts without quotes, "<", ">" or blanks.
struct PageDifference {
  bool same = true;
  std::size_t servedAt = 0;
  std::size_t savedAt = 0;
};
PageDifference CompareOutsideValues(std::string_view served, std::string_view saved);

// Character references of ASCII characters decoded, as a browser reads an
// attribute value ("&amp;", "&#45;", "&#x2D;").
std::string DecodeReferences(std::string_view value);

// The site path (no leading "/", references and percents decoded, dot steps removed) that a
// link value of the page at `pagePath` leads to on the server `origin`
// ("http://127.0.0.1:<port>"); none for another server, another scheme, or the
// page itself (an empty value, a query or fragment alone).
std::optional<std::string> ResolveOnSite(std::string_view pagePath, std::string_view value, std::string_view origin);

// A site served on 127.0.0.1 and the mirror pagelark-cli made of it.
struct MirroredSite {
  std::filesystem::path site;            // the served folder
  std::filesystem::path downloadFolder;  // absolute, as the run used it
  std::filesystem::path mirror;          // the server's folder in the mirror
  std::string origin;                    // "http://127.0.0.1:<port>"
  std::string progress;                  // pagelark-cli's standard output
};

// What one check found: how many, and the first few described.
struct Findings {
  std::size_t count = 0;
  std::vector<std::string> examples;

  void Add(std::string example);
  bool empty() const { return count == 0; }
};
// "<count> <what>; the first <n>:" and one example a line.
std::string Describe(const Findings& findings, std::string_view what);

// Saved pages that differ from their served page outside link values, and
// other saved files that differ from their served file at all. A mirror file
// is matched to the served file of the same path ignoring letter case (URL
// parts are stored lower-case); an "index.htm" twin to its "index.html".
Findings ChangedFiles(const MirroredSite& mirrored);

// Empty files in the mirror whose served file is not empty.
Findings EmptyFiles(const MirroredSite& mirrored);

// Link values of saved pages that are absolute file-system paths (a leading
// "/", "\" or drive letter, or the download folder's path) and not values the
// served page already held.
Findings FileSystemPathLinks(const MirroredSite& mirrored);

// The site's own broken links: the targets of href, src and background values
// of the pages the mirror holds that lie on the server and name no served file,
// each with a page that links to it.
std::map<std::string, std::string> BrokenLinks(const MirroredSite& mirrored);

// Served pages that pages the mirror holds link to (without a query, whose
// local name is the product's own) and that the mirror lacks: the pages the
// other checks never see.
Findings MissingPages(const MirroredSite& mirrored);

// Failed requests of the run (pagelark-cli's progress lines) for anything but
// the site's broken links.
Findings UnexpectedFailures(const MirroredSite& mirrored, const std::map<std::string, std::string>& broken);

// The site's broken links that the run never reported as failed.
Findings UnreportedBrokenLinks(const MirroredSite& mirrored, const std::map<std::string, std::string>& broken);

}  // namespace pagelark::test
