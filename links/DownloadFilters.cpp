#include "links/DownloadFilters.h"

#include <algorithm>

#include "platform/cp932.h"

namespace pagelark {
namespace {

// Outside links recorded as URLs are capped at this many.
constexpr int kOutsideUrlLimit = 100;

constexpr std::string_view kPageMarks[] = {".html", ".htm", ".css", ".shtml", ".cgi"};

bool Holds(std::string_view text, std::string_view part) { return cp932::Find(text, part) != cp932::npos; }

bool SameLetter(char c, char lower) { return (c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) == lower; }

// A page mark at the start of `text` (at a "."), letter case aside. A mark
// starts with "." (never a trail byte) and is ASCII, so every byte it meets
// stands alone, where lower-casing the URL would lower it: compared byte by
// byte, letter case aside, it matches where it would match in the
// lower-cased URL.
bool StartsWithMark(std::string_view text, std::string_view lowerMark) {
  return text.size() >= lowerMark.size() && std::equal(lowerMark.begin(), lowerMark.end(), text.begin(),
                                                       [](char lower, char c) { return SameLetter(c, lower); });
}

// `lowerPart` (ASCII, lower case) where a search of the lower-cased text
// finds it: at a character boundary, its bytes standing alone, letter case
// aside.
bool HoldsIgnoringCase(std::string_view text, std::string_view lowerPart) {
  if (lowerPart.empty()) return true;
  // Only where the first letter matches is the character boundary sought.
  std::size_t boundary = 0;  // the first boundary at or behind the positions passed
  for (std::size_t at = 0; at + lowerPart.size() <= text.size(); ++at) {
    if (!SameLetter(text[at], lowerPart.front())) continue;
    while (boundary < at) boundary += cp932::CharLength(text, boundary);
    if (boundary == at && std::equal(lowerPart.begin(), lowerPart.end(), text.begin() + static_cast<std::ptrdiff_t>(at),
                                     [](char lower, char c) { return SameLetter(c, lower); })) {
      return true;
    }
  }
  return false;
}

bool HoldsAnyUpperCased(std::string_view url, const std::vector<std::string>& entries) {
  const std::string upper = cp932::ToUpper(url);
  return std::any_of(entries.begin(), entries.end(),
                     [&](const std::string& entry) { return Holds(upper, cp932::ToUpper(entry)); });
}

bool IsOnServer(std::string_view url, const CrawlSettings& settings, const LinkState& state) {
  return !settings.sameServerOnly || Holds(url, state.serverName);
}

bool PassesEnableList(std::string_view url, const CrawlSettings& settings, const LinkState& state) {
  if (!settings.useFilter || !settings.useEnableList) return true;
  return Holds(url, state.startFolderUrl) || HoldsAnyUpperCased(url, settings.enableUrls);
}

bool PassesDisableList(std::string_view url, const CrawlSettings& settings) {
  return !settings.useFilter || !settings.useDisableList || !HoldsAnyUpperCased(url, settings.disableUrls);
}

bool IsMailLink(std::string_view url) { return HoldsIgnoringCase(url, "mailto"); }

bool StartsWithIgnoringCase(std::string_view url, std::string_view prefix) {
  return url.size() >= prefix.size() && cp932::ToLower(url.substr(0, prefix.size())) == cp932::ToLower(prefix);
}

// Drops what lies outside the start URL's folder; for an anchor, records
// what the saved page should lose: the tag text of a link above the folder,
// the URL of a link beside it.
bool IsBelowStartUrl(std::string_view url, std::string_view anchorTagText, const CrawlSettings& settings,
                     LinkState& state) {
  if (!settings.belowStartUrlOnly) return true;
  if (url.size() < state.startFolderUrl.size()) {
    if (!anchorTagText.empty()) {
      RecordOutsideLink(state.outsideLinks, std::string(anchorTagText), state.maxDuplicateLinksValue);
    }
    return false;
  }
  if (!StartsWithIgnoringCase(url, state.startFolderUrl) || url.starts_with('/')) {
    if (!anchorTagText.empty()) RecordOutsideLink(state.outsideLinks, std::string(url), kOutsideUrlLimit);
    return false;
  }
  return true;
}

bool IsWantedFile(std::string_view url, const CrawlSettings& settings) {
  return IsPageUrl(url) || IsWantedKind(settings, url);
}

// What is left of a "../" that resolution could not apply.
bool HasParentStep(std::string_view url) { return Holds(url, "./"); }

}  // namespace

bool IsPageUrl(std::string_view url) {
  for (std::size_t dot = url.find('.'); dot != std::string_view::npos; dot = url.find('.', dot + 1)) {
    const std::string_view rest = url.substr(dot);
    if (std::any_of(std::begin(kPageMarks), std::end(kPageMarks),
                    [&](std::string_view mark) { return StartsWithMark(rest, mark); })) {
      return true;
    }
  }
  return cp932::EndsWithChar(url, '/');
}

bool IsWantedKind(const CrawlSettings& settings, std::string_view url) {
  if (settings.allKinds) return true;
  return std::any_of(settings.kinds.begin(), settings.kinds.end(),
                     [&](const std::string& kind) { return Holds(url, "." + kind); });
}

bool PassesAdmissionTests(std::string_view url, std::string_view anchorTagText, const CrawlSettings& settings,
                          LinkState& state) {
  return IsOnServer(url, settings, state) && PassesEnableList(url, settings, state) &&
         PassesDisableList(url, settings) && !IsMailLink(url) && IsBelowStartUrl(url, anchorTagText, settings, state) &&
         IsWantedFile(url, settings) && !HasParentStep(url);
}

void RecordOutsideLink(std::vector<std::string>& outsideLinks, std::string entry, int limit) {
  outsideLinks.push_back(std::move(entry));
  // A negative limit would name no index: treat it as an empty record.
  const std::size_t cap = static_cast<std::size_t>(std::max(limit, 0));
  if (outsideLinks.size() > cap) outsideLinks.erase(outsideLinks.begin() + static_cast<std::ptrdiff_t>(cap));
}

}  // namespace pagelark
