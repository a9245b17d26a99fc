#include "sites/SiteChecks.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <utility>

#include "support/TempDir.h"

namespace pagelark::test {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kShownExamples = 8;
constexpr std::size_t kExcerptBefore = 24;
constexpr std::size_t kExcerptAfter = 48;

// How pagelark-cli's progress lines end when a request or a save failed
// (the run's texts kFailed, kCannotCreate and kCannotDownload in UTF-8).
constexpr std::string_view kFailureEndings[] = {"のダウンロードに失敗しました。", "の作成に失敗しました。",
                                                "はダウンロードできません。"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return Lower(c); });
  return lower;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) { return a.size() == b.size() && Lower(a) == Lower(b); }

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && SameIgnoringCase(text.substr(text.size() - end.size()), end);
}

// The first "</name" at or after `from`, letter case ignored.
std::size_t FindEndTag(std::string_view html, std::string_view name, std::size_t from) {
  const std::string wanted = "</" + std::string(name);
  for (std::size_t at = html.find("</", from); at != std::string_view::npos; at = html.find("</", at + 2)) {
    if (SameIgnoringCase(html.substr(at, wanted.size()), wanted)) return at;
  }
  return std::string_view::npos;
}

std::size_t SkipBlanks(std::string_view html, std::size_t at) {
  while (at < html.size() && IsBlank(html[at])) ++at;
  return at;
}

// Reads the attributes of the start tag whose name ends at `at`; returns the
// offset behind the tag's ">".
std::size_t ScanTagAttributes(std::string_view html, std::size_t at, std::vector<AttributeValue>& values) {
  const std::size_t n = html.size();
  while (true) {
    while (at < n && (IsBlank(html[at]) || html[at] == '/')) ++at;
    if (at >= n) return n;
    if (html[at] == '>') return at + 1;
    std::size_t nameEnd = at + 1;
    while (nameEnd < n && !IsBlank(html[nameEnd]) && html[nameEnd] != '/' && html[nameEnd] != '>' &&
           html[nameEnd] != '=') {
      ++nameEnd;
    }
    const std::string name = Lower(html.substr(at, nameEnd - at));
    const std::size_t afterName = SkipBlanks(html, nameEnd);
    if (afterName >= n || html[afterName] != '=') {
      at = nameEnd;  // an attribute without a value
      continue;
    }
    const std::size_t start = SkipBlanks(html, afterName + 1);
    if (start < n && (html[start] == '"' || html[start] == '\'')) {
      const std::size_t close = std::min(html.find(html[start], start + 1), n);
      values.push_back({name, start + 1, close});
      at = close + 1;
    } else {
      std::size_t end = start;
      while (end < n && !IsBlank(html[end]) && html[end] != '>') ++end;
      values.push_back({name, start, end});
      at = end;
    }
  }
}

// Ends a value written in place of a served one.
bool EndsWrittenValue(char c) { return c == '"' || c == '\'' || c == '<' || c == '>' || IsBlank(c); }

// A short stretch of `text` around `at`, line breaks shown as "\n".
std::string Excerpt(std::string_view text, std::size_t at) {
  const std::size_t from = at > kExcerptBefore ? at - kExcerptBefore : 0;
  std::string shown;
  for (char c : text.substr(from, at - from + kExcerptAfter)) {
    if (c == '\n')
      shown += "\\n";
    else if (c == '\r')
      shown += "\\r";
    else if (c == '\t')
      shown += "\\t";
    else
      shown += c;
  }
  return "\"" + shown + "\"";
}

std::string DecodePercents(std::string_view text) {
  const auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    c = Lower(c);
    return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
  };
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
      decoded += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

// "/a/./b/../c" as "/a/c"; steps above the root stay at the root.
std::string RemoveDotSteps(std::string_view path) {
  std::vector<std::string_view> steps;
  std::size_t from = 1;  // behind the leading "/"
  while (true) {
    const std::size_t slash = path.find('/', from);
    const std::string_view step = path.substr(from, slash == std::string_view::npos ? slash : slash - from);
    const bool last = slash == std::string_view::npos;
    if (step == "..") {
      if (!steps.empty()) steps.pop_back();
      if (last) steps.emplace_back();
    } else if (step == ".") {
      if (last) steps.emplace_back();
    } else {
      steps.push_back(step);
    }
    if (last) break;
    from = slash + 1;
  }
  std::string joined;
  for (const std::string_view step : steps) joined += "/" + std::string(step);
  return joined;
}

// The path part of a URL: up to its query or fragment.
std::string_view PathOf(std::string_view url) { return url.substr(0, url.find_first_of("?#")); }

bool IsPageName(std::string_view name) {
  return EndsWithIgnoringCase(name, ".html") || EndsWithIgnoringCase(name, ".htm");
}

// The files below `root`, relative, with "/".
std::vector<std::string> ListFiles(const fs::path& root) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A file of the mirror and the served file it copies.
struct MirrorFile {
  std::string saved;   // relative to the mirror's server folder
  std::string served;  // relative to the site; empty when no served file matches
};

std::vector<MirrorFile> MirrorFiles(const MirroredSite& mirrored) {
  std::map<std::string, std::string> servedByLowerName;
  for (std::string& served : ListFiles(mirrored.site)) servedByLowerName.emplace(Lower(served), std::move(served));
  std::vector<MirrorFile> files;
  for (std::string& saved : ListFiles(mirrored.mirror)) {
    std::string key = Lower(saved);
    if (!servedByLowerName.contains(key) && (key == "index.htm" || key.ends_with("/index.htm"))) key += 'l';
    const auto served = servedByLowerName.find(key);
    files.push_back({std::move(saved), served != servedByLowerName.end() ? served->second : std::string()});
  }
  return files;
}

// " (letter case)" or " (letter case, \"/\" as \"\\\")" when the texts after a
// difference differ only so for a while, as text taken for a link value does.
std::string KindOfChange(std::string_view served, std::string_view saved, const PageDifference& difference) {
  std::string after = Lower(served.substr(difference.servedAt, kExcerptAfter));
  const std::string savedAfter = Lower(saved.substr(difference.savedAt, kExcerptAfter));
  if (after == savedAfter) return " (letter case)";
  std::replace(after.begin(), after.end(), '/', '\\');
  return after == savedAfter ? " (letter case, \"/\" as \"\\\")" : "";
}

// Whether a link value names a place in the local file system rather than a
// URL.
bool IsFileSystemPath(std::string_view value, const fs::path& downloadFolder) {
  std::string forward(value);
  std::replace(forward.begin(), forward.end(), '\\', '/');
  if (forward.find(downloadFolder.generic_string()) != std::string::npos) return true;
  if (value.starts_with('\\')) return true;
  if (value.size() >= 2 && IsLetter(value[0]) && value[1] == ':' && (value.size() == 2 || forward[2] == '/')) {
    return true;
  }
  return forward.starts_with('/') && !forward.starts_with("//");
}

// The site paths of pagelark-cli's failure lines with the URLs as printed.
std::vector<std::pair<std::string, std::string>> FailedRequests(const MirroredSite& mirrored) {
  std::vector<std::pair<std::string, std::string>> failed;
  std::size_t from = 0;
  while (from < mirrored.progress.size()) {
    const std::size_t end = std::min(mirrored.progress.find('\n', from), mirrored.progress.size());
    const std::string_view line = std::string_view(mirrored.progress).substr(from, end - from);
    from = end + 1;
    for (const std::string_view ending : kFailureEndings) {
      if (!line.ends_with(ending) || line.size() <= ending.size()) continue;
      // File lines start with a tab, form lines with a blank.
      const std::string_view url = line.substr(1, line.size() - 1 - ending.size());
      const std::string prefix = mirrored.origin + "/";
      const std::string path = url.starts_with(prefix) ? DecodePercents(PathOf(url.substr(prefix.size()))) : "";
      failed.emplace_back(path, std::string(url));
    }
  }
  return failed;
}

// The file a site path names: a folder's is its index.html.
std::string ServedName(const std::string& target) {
  return target.empty() || target.ends_with('/') ? target + "index.html" : target;
}

// Calls `visit(page, target, withQuery)` for each href, src and background
// value of the served pages the mirror holds that leads to a path on the
// server.
template <typename Visit>
void ForEachSiteLink(const MirroredSite& mirrored, Visit visit) {
  std::set<std::string> pages;
  for (const MirrorFile& file : MirrorFiles(mirrored)) {
    if (IsPageName(file.served)) pages.insert(file.served);
  }
  for (const std::string& page : pages) {
    const std::string html = ReadAll(mirrored.site / page);
    for (const AttributeValue& value : ScanAttributeValues(html)) {
      if (value.name != "href" && value.name != "src" && value.name != "background") continue;
      const std::string_view text = std::string_view(html).substr(value.begin, value.end - value.begin);
      const std::optional<std::string> target = ResolveOnSite(page, text, mirrored.origin);
      const std::string decoded = DecodeReferences(text);
      if (target) visit(page, *target, decoded.find('?') < decoded.find('#'));
    }
  }
}

}  // namespace

std::vector<AttributeValue> ScanAttributeValues(std::string_view html) {
  std::vector<AttributeValue> values;
  std::size_t at = 0;
  while ((at = html.find('<', at)) != std::string_view::npos) {
    if (html.substr(at, 4) == "<!--") {
      const std::size_t close = html.find("-->", at + 4);
      at = close == std::string_view::npos ? html.size() : close + 3;
      continue;
    }
    if (at + 1 < html.size() && (html[at + 1] == '!' || html[at + 1] == '?' || html[at + 1] == '/')) {
      at = std::min(html.find('>', at), html.size());  // a declaration or an end tag
      continue;
    }
    if (at + 1 >= html.size() || !IsLetter(html[at + 1])) {
      ++at;  // a "<" in text
      continue;
    }
    std::size_t nameEnd = at + 1;
    while (nameEnd < html.size() && !IsBlank(html[nameEnd]) && html[nameEnd] != '/' && html[nameEnd] != '>') {
      ++nameEnd;
    }
    const std::string name = Lower(html.substr(at + 1, nameEnd - at - 1));
    at = ScanTagAttributes(html, nameEnd, values);
    if (name == "script" || name == "style") at = std::min(FindEndTag(html, name, at), html.size());
  }
  return values;
}

PageDifference CompareOutsideValues(std::string_view served, std::string_view saved) {
  std::size_t p = 0;  // in served
  std::size_t q = 0;  // in saved
  PageDifference difference;
  // served[p, until) must stand at saved[q...].
  const auto matchUpTo = [&](std::size_t until) {
    std::size_t i = 0;
    while (p + i < until && q + i < saved.size() && saved[q + i] == served[p + i]) ++i;
    if (p + i < until) difference = {false, p + i, q + i};
    p += i;
    q += i;
    return difference.same;
  };
  for (const AttributeValue& value : ScanAttributeValues(served)) {
    if (!matchUpTo(value.begin)) return difference;
    const std::string_view kept = served.substr(value.begin, value.end - value.begin);
    const std::string_view follower = served.substr(value.end, 1);
    if (saved.substr(q, kept.size()) == kept && saved.substr(q + kept.size(), 1) == follower) {
      q += kept.size();
    } else {
      const std::size_t written = q;
      while (q < saved.size() && !EndsWrittenValue(saved[q])) ++q;
      // A written value must end where the served one did: else the change is
      // not one of a whole value, and is shown from the value's start.
      if (saved.substr(q, 1) != follower) return {false, value.begin, written};
    }
    p = value.end;
  }
  if (!matchUpTo(served.size())) return difference;
  if (q != saved.size()) difference = {false, p, q};
  return difference;
}

std::string DecodeReferences(std::string_view value) {
  static const std::pair<std::string_view, char> kNamed[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  for (std::size_t i = 0; i < value.size();) {
    bool done = false;
    for (const auto& [name, c] : kNamed) {
      if (!done && value.substr(i).starts_with(name)) {
        out += c;
        i += name.size();
        done = true;
      }
    }
    if (!done && value.substr(i).starts_with("&#")) {
      const bool hex = i + 2 < value.size() && (value[i + 2] == 'x' || value[i + 2] == 'X');
      const std::size_t digits = i + (hex ? 3 : 2);
      std::size_t end = digits;
      while (end < value.size() && std::isxdigit(static_cast<unsigned char>(value[end])) &&
             (hex || std::isdigit(static_cast<unsigned char>(value[end])))) {
        ++end;
      }
      const long code =
          end > digits && end - digits < 8
              ? std::strtol(std::string(value.substr(digits, end - digits)).c_str(), nullptr, hex ? 16 : 10)
              : 0;
      if (code > 0 && code < 128) {
        out += static_cast<char>(code);
        i = end + (end < value.size() && value[end] == ';' ? 1 : 0);
        done = true;
      }
    }
    if (!done) out += value[i++];
  }
  return out;
}

std::optional<std::string> ResolveOnSite(std::string_view pagePath, std::string_view value, std::string_view origin) {
  std::string link = DecodeReferences(value);
  std::replace(link.begin(), link.end(), '\\', '/');  // as browsers read it
  const std::size_t first = link.find_first_not_of(" \t\n\r\f");
  if (first == std::string::npos) return std::nullopt;
  link = std::string(PathOf(link.substr(first, link.find_last_not_of(" \t\n\r\f") - first + 1)));
  if (link.empty()) return std::nullopt;
  const std::size_t colon = link.find(':');
  if (colon != std::string::npos && colon < link.find('/')) {
    const std::string scheme = Lower(link.substr(0, colon));
    if (scheme != "http" && scheme != "https") return std::nullopt;
    link = link.substr(colon + 1);
  }
  if (link.starts_with("//")) {
    const std::size_t pathStart = std::min(link.find('/', 2), link.size());
    const std::string_view originHost = origin.substr(origin.find("//") + 2);
    if (!SameIgnoringCase(std::string_view(link).substr(2, pathStart - 2), originHost)) return std::nullopt;
    link = pathStart < link.size() ? link.substr(pathStart) : "/";
  }
  if (!link.starts_with('/')) {
    const std::size_t slash = pagePath.rfind('/');
    link = "/" + std::string(slash == std::string_view::npos ? "" : pagePath.substr(0, slash + 1)) + link;
  }
  return DecodePercents(RemoveDotSteps(link).substr(1));
}

void Findings::Add(std::string example) {
  ++count;
  if (examples.size() < kShownExamples) examples.push_back(std::move(example));
}

std::string Describe(const Findings& findings, std::string_view what) {
  std::string text = std::to_string(findings.count) + " " + std::string(what);
  if (findings.empty()) return text;
  text += "; the first " + std::to_string(findings.examples.size()) + ":";
  for (const std::string& example : findings.examples) text += "\n  " + example;
  return text;
}

Findings ChangedFiles(const MirroredSite& mirrored) {
  Findings changed;
  for (const MirrorFile& file : MirrorFiles(mirrored)) {
    if (file.served.empty()) continue;
    const std::string served = ReadAll(mirrored.site / file.served);
    const std::string saved = ReadAll(mirrored.mirror / file.saved);
    if (!IsPageName(file.served)) {
      if (saved != served) changed.Add(file.saved + ": differs from the served file");
      continue;
    }
    const PageDifference difference = CompareOutsideValues(served, saved);
    if (difference.same) continue;
    const std::size_t line = std::count(served.begin(), served.begin() + difference.servedAt, '\n') + 1;
    const std::string servedText = Excerpt(served, difference.servedAt);
    const std::string savedText = Excerpt(saved, difference.savedAt);
    changed.Add(file.saved + " line " + std::to_string(line) + KindOfChange(served, saved, difference) + ": served " +
                servedText + ", saved " + savedText);
  }
  return changed;
}

Findings EmptyFiles(const MirroredSite& mirrored) {
  Findings empty;
  for (const MirrorFile& file : MirrorFiles(mirrored)) {
    if (fs::file_size(mirrored.mirror / file.saved) != 0) continue;
    if (!file.served.empty() && fs::file_size(mirrored.site / file.served) == 0) continue;
    empty.Add(file.saved);
  }
  return empty;
}

Findings FileSystemPathLinks(const MirroredSite& mirrored) {
  Findings paths;
  for (const MirrorFile& file : MirrorFiles(mirrored)) {
    if (!IsPageName(file.saved)) continue;
    std::set<std::string, std::less<>> servedValues;
    if (!file.served.empty()) {
      const std::string served = ReadAll(mirrored.site / file.served);
      for (const AttributeValue& value : ScanAttributeValues(served)) {
        servedValues.insert(served.substr(value.begin, value.end - value.begin));
      }
    }
    const std::string saved = ReadAll(mirrored.mirror / file.saved);
    for (const AttributeValue& value : ScanAttributeValues(saved)) {
      const std::string_view text = std::string_view(saved).substr(value.begin, value.end - value.begin);
      if (IsFileSystemPath(text, mirrored.downloadFolder) && !servedValues.contains(text)) {
        paths.Add(file.saved + ": " + value.name + "=\"" + std::string(text) + "\"");
      }
    }
  }
  return paths;
}

std::map<std::string, std::string> BrokenLinks(const MirroredSite& mirrored) {
  std::map<std::string, std::string> broken;
  ForEachSiteLink(mirrored, [&](const std::string& page, const std::string& target, bool) {
    if (!fs::is_regular_file(mirrored.site / ServedName(target))) broken.emplace(target, page);
  });
  return broken;
}

Findings MissingPages(const MirroredSite& mirrored) {
  std::set<std::string> saved;
  for (const MirrorFile& file : MirrorFiles(mirrored)) saved.insert(Lower(file.saved));
  std::set<std::string> missing;
  Findings findings;
  ForEachSiteLink(mirrored, [&](const std::string& page, const std::string& target, bool withQuery) {
    const std::string name = ServedName(target);
    if (withQuery || !IsPageName(name) || saved.contains(Lower(name)) || !fs::is_regular_file(mirrored.site / name)) {
      return;
    }
    if (missing.insert(name).second) findings.Add(name + " (linked from " + page + ")");
  });
  return findings;
}

Findings UnexpectedFailures(const MirroredSite& mirrored, const std::map<std::string, std::string>& broken) {
  Findings unexpected;
  for (const auto& [path, url] : FailedRequests(mirrored)) {
    if (!broken.contains(path)) unexpected.Add(url);
  }
  return unexpected;
}

Findings UnreportedBrokenLinks(const MirroredSite& mirrored, const std::map<std::string, std::string>& broken) {
  std::set<std::string> failed;
  for (auto& request : FailedRequests(mirrored)) failed.insert(std::move(request.first));
  Findings unreported;
  for (const auto& [target, page] : broken) {
    if (!failed.contains(target)) unreported.Add(target + " (linked from " + page + ")");
  }
  return unreported;
}

}  // namespace pagelark::test
