#include "crawl/CrawlRun.h"

#include <algorithm>
#include <cstdint>

#include "crawl/LinkRepair.h"
#include "crawl/PageScan.h"
#include "crawl/RunLog.h"
#include "crawl/StatusFormat.h"
#include "links/DownloadFilters.h"
#include "links/LocalNames.h"
#include "links/MirrorLayout.h"
#include "links/PageText.h"
#include "links/PathFields.h"
#include "messages/RunTexts.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "settings/SettingNumbers.h"

namespace pagelark {
namespace {

constexpr const char* kIndexPageNames[] = {"index.html", "index.htm", "index.shtml"};
constexpr char kFileLinePrefix[] = "\t";
constexpr char kFormLinePrefix[] = " ";
// The reason of a file refused because a folder level on its way is a
// symbolic link.
constexpr char kFolderIsALink[] = "folder is a link";

bool Holds(const std::string& text, std::string_view what) { return cp932::Find(text, what) != cp932::npos; }

// A Content-Type of an HTML page ("text/html", "application/xhtml+xml").
bool NamesHtml(const std::string& contentType) { return Holds(cp932::ToLower(contentType), "html"); }

std::string KindOfStartUrl(const std::string& url) {
  if (Holds(url, "?")) return std::string(kKindCgi);
  return std::string(IsPageUrl(url) ? kKindUrl : kKindSrc);
}

}  // namespace

CrawlRun::CrawlRun(Host& host, net::WebClient& web, CrawlJob& job)
    : host_(host), web_(web), job_(job), fetch_(host, web, job, ConnectionCount(host.CurrentSettings())) {}

RunResult CrawlRun::RunCrawl(const std::string& programDir, const std::string& profilePath) {
  Reset();
  // The run's one catch-all: whatever escapes a step (a network error in a
  // form submission, a full disk) drops the candidate in hand and ends the
  // run in its end sequence with the counts reached so far.
  try {
    CounterRanges ranges;
    if (!ReadCounterRanges(host_, ranges)) return RunResult::kAbandoned;
    if (!ExpandStartUrls(ranges)) return RunResult::kAbandoned;
    FindServerName();
    if (!MainLoop()) return RunResult::kAbandoned;
  } catch (...) {
  }
  RestoreMissingLinks(job_.links, host_.CurrentSettings().oneFolder, host_.CurrentSettings().requisites);
  const bool stopped = job_.stopRequested;
  EndSequence(programDir, profilePath, stopped);
  return stopped ? RunResult::kStopped : RunResult::kEnded;
}

void CrawlRun::Reset() {
  job_.links.Reset();
  job_.indexFile.clear();
  host_.SetIndexFile(job_.indexFile);
  job_.stopRequested = false;
  nextIndex_ = 0;
  downloadedCount_ = 0;
}

// Lists the start URLs in the walk's order, but no more than the run can
// fetch: the main loop never goes past the file limit, so the start URLs
// behind it are only counted (`pendingStartUrls`, for the status line's
// total), not listed or probed. Of those it can fetch, the first
// `startUrlsListedAhead` are listed now; the others keep their slots at the
// head of the list and are listed as the main loop reaches them. Counters
// whose ranges give billions of URLs thus cost what the run fetches.
bool CrawlRun::ExpandStartUrls(const CounterRanges& ranges) {
  ranges_ = ranges;
  nextOrdinal_ = 0;
  bool abandoned = false;
  const std::uint64_t combinations = CombinationCount(ranges);
  const std::uint64_t fetchable = std::min<std::uint64_t>(combinations, std::max(job_.maxFilesValue, 0));
  const std::uint64_t ahead = std::min<std::uint64_t>(fetchable, job_.startUrlsListedAhead);
  ForEachCombination(
      ranges,
      [this] {
        host_.PumpMessages();
        return !job_.stopRequested;
      },
      [&](const CounterValues& values) {
        if (nextOrdinal_ >= ahead) return false;
        ++nextOrdinal_;
        abandoned = !AddStartUrl(ExpandCounters(job_.startUrl, values, ranges));
        return !abandoned;
      });
  if (!job_.stopRequested && !abandoned) {
    job_.links.candidates.ReserveStartUrls(static_cast<std::size_t>(fetchable - nextOrdinal_));
    job_.links.pendingStartUrls = combinations - fetchable;
  }
  if (const auto last = LastCombination(ranges)) lastStartUrl_ = ExpandCounters(job_.startUrl, *last, ranges);
  host_.SetIndexFile(job_.indexFile);
  return !abandoned;
}

bool CrawlRun::AddStartUrl(std::string url) {
  if (cp932::EndsWithChar(url, '/')) {
    const std::string page = ProbeIndexPage(url);
    if (page.empty()) {
      host_.AppendLine(kFileLinePrefix + url + msg::kCannotDownload);
      return false;
    }
    url += page;
    job_.indexFile = url;
  }
  const std::string kind = KindOfStartUrl(url);
  job_.links.ClaimStoredName(url, kind, host_.CurrentSettings().oneFolder);
  job_.links.candidates.AppendStartUrl(url, kind);
  if (job_.indexFile.empty()) job_.indexFile = url;
  job_.indexFile = ToLocalForm(job_.indexFile);
  return true;
}

std::string CrawlRun::ProbeIndexPage(const std::string& folderUrl) {
  for (const char* name : kIndexPageNames) {
    std::string scratch;
    if (fetch_.FetchText(RunFetcher::kNoCandidate, folderUrl + name, scratch)) return name;
  }
  return {};
}

// The host of the last start URL of the walk (also when it was not listed).
void CrawlRun::FindServerName() {
  const CandidateList& candidates = job_.links.candidates;
  job_.links.serverName.clear();
  if (candidates.size() > 0) web_.ExtractServer(lastStartUrl_, kDefaultPort, job_.links.serverName);
}

// False when a start URL listed on the way has no index page: the run is
// abandoned, as it is when that happens before the first fetch.
bool CrawlRun::MainLoop() {
  while (nextIndex_ < job_.links.candidates.size() && nextIndex_ < static_cast<std::size_t>(job_.maxFilesValue)) {
    host_.PumpMessages();
    if (job_.stopRequested) break;
    if (!ListWaitingStartUrl()) return false;
    fetch_.LookAhead(nextIndex_, static_cast<std::size_t>(job_.maxFilesValue));
    if (!ProcessGuarded()) break;
  }
  return true;
}

// The start URL of the slot in hand, when it waits for one.
bool CrawlRun::ListWaitingStartUrl() {
  if (job_.links.candidates.IsListed(nextIndex_)) return true;
  const bool listed = AddStartUrl(ExpandCounters(job_.startUrl, CombinationAt(ranges_, nextOrdinal_++), ranges_));
  host_.SetIndexFile(job_.indexFile);
  return listed;
}

// One candidate. What goes wrong with it (a form answer broken off, a page
// too large for memory) is its failure line, and the run goes on with the
// next one; a file that cannot be written (the disk is full) ends the run
// with a message that says so. False when the run must end.
bool CrawlRun::ProcessGuarded() {
  const std::size_t index = nextIndex_;
  const std::int32_t count = downloadedCount_;
  reported_ = false;
  bool goOn = true;
  std::string reason;
  try {
    ProcessCandidate();
    return true;
  } catch (const net::NetError&) {
    reason = fetch_.LastFailure().text;
  } catch (const std::bad_alloc&) {
    reason = "out of memory";
  } catch (const net::DownloadWriteError&) {
    goOn = false;
  } catch (const platform::FileWriteError&) {
    goOn = false;
  }
  if (!goOn) reason = "cannot write";
  downloadedCount_ = count;
  ReportFailure(index, std::move(reason));
  nextIndex_ = index + 1;
  if (!goOn) host_.ShowMessage(msg::kCannotWriteDisk);
  return goOn;
}

// The failure line of a candidate whose step threw: replaces a success line
// it may have had for its fetch.
void CrawlRun::ReportFailure(std::size_t index, std::string reason) {
  const std::string& url = job_.links.candidates.Url(index);
  const bool form = job_.links.candidates.Kind(index) == kKindCgi;
  const std::size_t mark = cp932::Find(url, "?");
  const bool post = form && host_.CurrentSettings().requestMethod == RequestMethod::kPost && mark != cp932::npos;
  const std::string shown = post ? url.substr(0, mark) : url;
  AppendReasonedFailure(
      (form ? kFormLinePrefix : kFileLinePrefix) + shown + (reported_ ? msg::kCannotCreate : msg::kFailed), index,
      shown, std::move(reason));
}

void CrawlRun::ProcessCandidate() {
  ReportProgress();
  const std::string url = job_.links.candidates.Url(nextIndex_);
  const std::string kind = job_.links.candidates.Kind(nextIndex_);
  if (kind != kKindUrl || Wanted(url)) {
    host_.AppendLine(url + msg::kDownloading);
    host_.SetStatus(FormatStatus(msg::kStatusDownloading, {std::to_string(nextIndex_ + 1), StatusTotal(), url}));
  }
  if (kind == kKindSrc || kind == kKindReq) {
    FetchFile(url, kind);
    ++nextIndex_;
    return;
  }
  std::string text;
  const bool fetched = kind == kKindCgi   ? SubmitForm(url, text)
                       : kind == kKindCss ? FetchStyleSheet(url, text)
                                          : FetchPage(url, text);
  if (!fetched) {
    ++nextIndex_;
    return;
  }
  if (kind == kKindCss) {
    job_.links.pageIndex = nextIndex_;
    ScanStyleSheet(host_, job_, url, text, fetch_.LastContentType());
  } else if (ScansAsPage(url)) {
    job_.links.pageIndex = nextIndex_;
    ScanPage(host_, job_, url, text, fetch_.LastContentType());
  } else {
    job_.links.BeginPage(std::move(text));
  }
  SavePage(url, kind);
}

void CrawlRun::FetchFile(const std::string& url, const std::string& kind) {
  const bool oneFolder = host_.CurrentSettings().oneFolder;
  const MirrorPlace place = PlaceCandidate(job_.links.downloadFolder, url, kind, oneFolder);
  // A folder level that is a symbolic link would lead the file out of the
  // download folder: the file is refused with its failure line, and no
  // folder is created through the link.
  if (platform::LinkBelow(job_.links.downloadFolder, place.filePath)) {
    Report(kFileLinePrefix, url, false, kFolderIsALink);
    return;
  }
  if (!oneFolder) platform::CreateDirectories(place.folder);
  // A requisite with a query ("req") is a plain GET, not a form.
  const bool saved = FetchWayOf(url, kind) == FetchWay::kQueryFile
                         ? fetch_.FetchQueryToFile(place.filePath, url)
                         : fetch_.FetchToFile(nextIndex_, place.filePath, url);
  Report(kFileLinePrefix, url, saved, fetch_.LastFailure().text);
  if (saved) job_.links.MarkStored(nextIndex_);
  if (saved && kind == kKindSrc && host_.CurrentSettings().requisites && NamesHtml(fetch_.LastContentType())) {
    ScanStoredPage(url, place.filePath);
  }
}

// Whether a fetched page or form answer is scanned: by its name, as
// described; with requisites on, by what its server says it is: one served
// as HTML is scanned whatever its name, one served as anything else (a
// picture, an archive) never.
bool CrawlRun::ScansAsPage(const std::string& url) {
  const std::string& contentType = fetch_.LastContentType();
  if (!host_.CurrentSettings().requisites || contentType.empty()) return IsPageUrl(url);
  return NamesHtml(contentType);
}

// A file served as HTML ("view.php", "news/123"): its links are followed and
// rewritten where it is stored; it keeps the name that links to it give.
void CrawlRun::ScanStoredPage(const std::string& url, const std::string& path) {
  const std::string contentType = fetch_.LastContentType();
  const std::uint64_t limit = RunLimitsOf(host_.CurrentSettings().bounds).maxPageBytes;
  const std::size_t most = limit == 0 ? SIZE_MAX - 1 : static_cast<std::size_t>(limit);
  std::string text;
  // A page over the page bound stays as it was downloaded, unscanned.
  if (!platform::ReadFileBytes(path, text, most + 1) || text.size() > most) return;
  job_.links.pageIndex = nextIndex_;
  ScanPage(host_, job_, url, text, contentType);
  platform::RewriteTextFile(path, job_.links.page.pageText());
}

bool CrawlRun::SubmitForm(const std::string& url, std::string& answer) {
  const RequestMethod method = host_.CurrentSettings().requestMethod;
  std::string shown = url;
  std::string query;
  const std::size_t mark = cp932::Find(url, "?");
  if (method == RequestMethod::kPost && mark != cp932::npos) {
    query = url.substr(mark + 1);
    shown = url.substr(0, mark);
  }
  const bool answered = fetch_.SubmitForm(method, query, answer, url);
  Report(kFormLinePrefix, shown, answered, fetch_.LastFailure().text);
  return answered;
}

// A style sheet, held for its scan. An empty one is a sheet all the same.
bool CrawlRun::FetchStyleSheet(const std::string& url, std::string& text) {
  const bool fetched = fetch_.FetchText(nextIndex_, url, text) || fetch_.LastFailure().kind == net::FailureKind::kEmpty;
  Report(kFileLinePrefix, url, fetched, fetch_.LastFailure().text);
  return fetched;
}

bool CrawlRun::FetchPage(const std::string& url, std::string& text) {
  const bool fetched = fetch_.FetchText(nextIndex_, url, text);
  if (Wanted(url)) Report(kFileLinePrefix, url, fetched, fetch_.LastFailure().text);
  return fetched;
}

void CrawlRun::SavePage(const std::string& url, const std::string& kind) {
  const CrawlSettings& settings = host_.CurrentSettings();
  const bool stored = kind != kKindUrl || Wanted(url);
  const MirrorPlace place = IsFileKind(kind) ? PlaceCandidate(job_.links.downloadFolder, url, kind, settings.oneFolder)
                                             : PlacePage(job_.links.downloadFolder, url, settings.oneFolder, stored);
  const bool linked = stored && platform::LinkBelow(job_.links.downloadFolder, place.filePath);
  if (stored && !settings.oneFolder && !linked) platform::CreateDirectories(place.folder);
  if (host_.CurrentSettings().belowStartUrlOnly) StripOutsideLinks();
  if (stored && (linked || !platform::WriteTextFile(place.filePath, job_.links.page.pageText()))) {
    AppendReasonedFailure(kFileLinePrefix + url + msg::kCannotCreate, nextIndex_, url,
                          linked ? kFolderIsALink : "cannot write");
    --downloadedCount_;
    ++nextIndex_;
    return;
  }
  if (stored) job_.links.MarkStored(nextIndex_);
  if (!place.twinSource.empty() && !platform::LinkBelow(job_.links.downloadFolder, place.twinPath)) {
    platform::CopyFileReplacing(place.twinSource, place.twinPath);
  }
  ++nextIndex_;
}

// Cuts the recorded anchor tag texts out of the page, wherever they stand.
// A recorded URL is left alone: the scan has already written that link into
// the page as its absolute URL, so that it still opens online.
void CrawlRun::StripOutsideLinks() {
  for (const std::string& entry : job_.links.outsideLinks) {
    if (entry.starts_with('<')) ReplaceInPage(job_.links.page, entry, "", MatchScope::kAnywhere);
  }
}

// A stopped run says so in its last line (and so in its log) and its message.
void CrawlRun::EndSequence(const std::string& programDir, const std::string& profilePath, bool stopped) {
  ReportProgress();
  host_.SetStatus(FormatStatus(msg::kStatusCount, {std::to_string(downloadedCount_)}));
  if (stopped) host_.AppendLine(msg::kDownloadStopped);
  if (host_.CurrentSettings().writeLog) WriteRunLog(host_, job_.links.lineReasons, programDir, profilePath);
  host_.ShowRunEnd(stopped ? msg::kDownloadStopped : msg::kDownloadComplete);
}

void CrawlRun::ReportProgress() { host_.ReportProgress({nextIndex_, ListedTotal(), fetch_.BytesReceived()}); }

bool CrawlRun::Wanted(const std::string& url) { return IsWantedKind(host_.CurrentSettings(), url); }

void CrawlRun::Report(const char* prefix, const std::string& url, bool succeeded, std::string_view whyNot) {
  reported_ = true;
  if (!succeeded) {
    AppendReasonedFailure(prefix + url + msg::kFailed, nextIndex_, url, std::string(whyNot));
    return;
  }
  host_.AppendLine(prefix + url + msg::kSucceeded);
  ++downloadedCount_;
}

// A failure line, its reason beside it for the front end and the log, and
// the status line saying which candidate failed and why.
void CrawlRun::AppendReasonedFailure(const std::string& line, std::size_t index, const std::string& url,
                                     std::string reason) {
  if (reason.empty()) reason = "failed";
  host_.SetStatus(FormatStatus(msg::kStatusFailed, {std::to_string(index + 1), StatusTotal(), url, reason}));
  AppendFailureLine(host_, job_.links.lineReasons, line, std::move(reason));
}

// The status line's total: the candidates listed and the start URLs behind
// the file limit.
std::size_t CrawlRun::ListedTotal() const {
  return job_.links.candidates.size() + static_cast<std::size_t>(job_.links.pendingStartUrls);
}

std::string CrawlRun::StatusTotal() const { return std::to_string(ListedTotal()); }

}  // namespace pagelark
