// The run's link state: the candidate list, the outside-link record, the
// values the filters compare against, and the page being rewritten.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "links/FailureLines.h"
#include "links/MirrorLayout.h"
#include "links/PageText.h"
#include "links/TextIndex.h"

namespace pagelark {

// Candidate kinds, kept as the texts the candidate list holds.
inline constexpr std::string_view kKindUrl = "url";  // a page: fetch as text, scan, save
inline constexpr std::string_view kKindSrc = "src";  // a file: fetch straight to disk
inline constexpr std::string_view kKindCgi = "cgi";  // a URL with a query: a form request
// Page requisites (only while the Requisites switch is on):
inline constexpr std::string_view kKindReq = "req";  // a file with a query: fetched with a plain GET
inline constexpr std::string_view kKindCss = "css";  // a style sheet: fetched, its url() and @import followed, saved

// A URL of `kind` is stored as a file (its name kept, a query put before its
// extension), not as a page.
inline bool IsFileKind(std::string_view kind) { return kind == kKindSrc || kind == kKindReq || kind == kKindCss; }
inline bool IsRequisiteKind(std::string_view kind) { return kind == kKindReq || kind == kKindCss; }

// Every URL of a run in the order found, with its kind. The start URLs come
// first (the head), then the links found in pages (the tail). The head can
// hold slots for start URLs not listed yet (counters whose URLs are listed as
// the run reaches them), so that the index of a found link never changes.
// Entries are only appended; a set beside the lists answers "already
// listed?" (an exact, case-sensitive comparison of whole texts) at once.
// Each URL's text is kept once, in that set; an entry holds its number and
// its kind's, so a long run's list costs little more than its texts.
class CandidateList {
 public:
  // The entry at `index`, which must be listed (below size(), not a slot
  // still waiting for its start URL).
  const std::string& Url(std::size_t index) const;
  const std::string& Kind(std::size_t index) const;
  // Every URL listed, in index order.
  std::vector<std::string> Urls() const;
  // Entries and head slots waiting for their start URL.
  std::size_t size() const { return headSlots_ + tail_.size(); }
  // Whether the entry at `index` is listed (false for a waiting head slot).
  bool IsListed(std::size_t index) const { return index < head_.size() || index >= headSlots_; }
  // Start URLs still to come into reserved head slots.
  std::size_t WaitingStartUrls() const { return headSlots_ - head_.size(); }

  bool Contains(std::string_view url) const { return listed_.Find(url) != TextIndex::npos; }
  // For an IndexOf or Append of `url` to come (TextIndex::Prefetch).
  void Prefetch(std::string_view url) const { listed_.Prefetch(url); }
  // The index of the URL's first entry; npos when it is not listed.
  std::size_t IndexOf(std::string_view url) const;
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  // The kind the URL was first listed with; empty when it is not listed.
  std::string_view ListedKind(std::string_view url) const;
  // A start URL, into the next head slot (a new one while no link is
  // listed). Taken even when the URL is listed already: start URLs are not
  // tested.
  void AppendStartUrl(std::string url, std::string kind);
  // Keeps `count` head slots for start URLs to come; before any found link.
  void ReserveStartUrls(std::size_t count);
  // A link found in a page, at the end of the tail.
  void Append(std::string url, std::string kind);
  void Clear();

 private:
  struct Entry {
    std::uint32_t url;  // its number in listed_
    std::uint8_t kind;  // its number in kinds_
  };
  Entry Enter(std::string url, std::string kind, std::size_t index);
  const Entry& At(std::size_t index) const;

  std::vector<Entry> head_;
  std::size_t headSlots_ = 0;  // listed start URLs and slots waiting for theirs
  std::vector<Entry> tail_;
  // Each listed URL, and the index of its first entry by the URL's number.
  TextIndex listed_;
  std::vector<std::size_t> firstEntries_;
  std::deque<std::string> kinds_;  // the few kinds, in the order first met
};

// Where a candidate of `kind` is stored: a file ("src") or a page.
MirrorPlace PlaceCandidate(std::string_view downloadFolder, std::string_view url, std::string_view kind,
                           bool oneFolder);

struct LocalLink {
  std::uint32_t page;
  std::uint32_t target;
  bool operator==(const LocalLink&) const = default;
};

struct LinkState {
  CandidateList candidates;
  // Anchor tag texts and URLs that a saved page loses while only links below
  // the start URL are followed.
  std::vector<std::string> outsideLinks;
  std::string serverName;  // host of the last expanded start URL
  // Start URLs behind the file limit: counted for the status line, never listed.
  std::uint64_t pendingStartUrls = 0;
  std::string startFolderUrl;  // the start URL as typed, up to its last "/"
  int maxDuplicateLinksValue = 0;
  std::string downloadFolder;  // ends with "\"
  PageText page;
  // Where the scan of the current page wrote values into it in place of
  // links, in page order. A later pass that meets one of them (a tag that two
  // passes match) leaves it as it is: it is a local path now, not a link of
  // the site.
  std::vector<TextSpan> writtenValues;
  // The values that the scan pass under way rewrites (LinkTaker), kept from
  // pass to pass so that one set of buffers serves every pass of every page.
  ValueReplacer passValues;
  // The candidate index of the page being scanned.
  std::size_t pageIndex = 0;
  // Every local link written into a saved page: (page, candidate) indexes.
  // Once the downloads are done, the links to candidates whose file is
  // missing get their URL back.
  std::vector<LocalLink> localLinks;
  std::size_t pageLinksStart = 0;  // where the current page's local links begin
  // The candidates whose file or page is stored, by index. A local link to
  // one of them needs no repair, so it is not recorded: a long run's record
  // then holds mostly the links to candidates still to come.
  std::vector<bool> storedCandidates;
  TextIndex storedNames;                // the stored names the run's candidates hold
  std::vector<LineReason> lineReasons;  // why each failure line failed, for the log

  // Empties what a run starts without: the candidates, the outside links,
  // the server name and the page. The start command's values
  // (startFolderUrl, maxDuplicateLinksValue, downloadFolder) stay.
  void Reset();

  // Takes the name under which `url` of `kind` is stored for this run. False
  // when another URL of the run holds it already (two URLs that differ only
  // in letter case, or whose query names meet): the second would overwrite
  // the first's file.
  bool ClaimStoredName(std::string_view url, std::string_view kind, bool oneFolder);
  // The same for a stored path placed already (PlaceCandidate's filePath).
  bool ClaimStoredPath(std::string_view filePath);

  void MarkStored(std::size_t index);
  bool IsStored(std::size_t index) const { return index < storedCandidates.size() && storedCandidates[index]; }

  // Makes a copy of `text` the page being processed.
  void BeginPage(std::string_view text);
  // After the scan of the page: its local links, each once.
  void EndPage();
};

}  // namespace pagelark
