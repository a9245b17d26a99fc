#include "links/LinkResolution.h"

#include <algorithm>

#include "links/PathFields.h"
#include "links/UriReference.h"
#include "platform/cp932.h"

namespace pagelark {
namespace {

// A scheme name is ASCII: its letters compare case-insensitively one by one.
bool SameSchemeName(std::string_view name, std::string_view lowerName) {
  return std::equal(name.begin(), name.end(), lowerName.begin(), lowerName.end(),
                    [](char c, char lower) { return (c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) == lower; });
}

bool IsWebScheme(std::optional<std::string_view> scheme) {
  return scheme && (SameSchemeName(*scheme, "http") || SameSchemeName(*scheme, "https"));
}

std::size_t LeadingDots(std::string_view link) {
  const std::size_t other = link.find_first_not_of('.');
  return other == std::string_view::npos ? link.size() : other;
}

// The page folder less its last `dots` - 1 levels, each field followed by "/".
std::string ClimbFolder(std::string_view pageFolder, std::size_t dots) {
  std::string prefix;
  const int levels = CountFields(pageFolder, "/") - static_cast<int>(dots);
  for (int i = 0; i < levels; ++i) prefix.append(GetField(pageFolder, "/", i)).append("/");
  return prefix;
}

// The rule for page URLs without an http or https scheme: text only.
std::string ResolveTextually(std::string_view pageUrl, std::string_view link) {
  std::string pageFolder, pageName, linkFolder, linkName;
  SplitPath(pageUrl, pageFolder, pageName, '/');
  SplitPath(link, linkFolder, linkName, '/');
  if (link.starts_with('/') || link.starts_with('\\')) return pageFolder + std::string(link.substr(1));
  if (linkFolder.empty()) return pageFolder + std::string(link);
  const std::size_t dots = LeadingDots(link);
  if (dots == 0) {
    const bool absolute = cp932::ToLower(linkFolder).starts_with("http");
    return absolute ? std::string(link) : pageFolder + std::string(link);
  }
  const std::size_t slash = link.find('/');
  const std::string_view rest = slash + 1 < link.size() ? link.substr(slash + 1) : link;
  return ClimbFolder(pageFolder, dots) + std::string(rest);
}

// The parts of `pageUrl`. All the links of a page resolve against one URL:
// each thread keeps the one it parsed last, with parts that view its copy.
const UriReference& ParsedPageUrl(std::string_view pageUrl) {
  struct Kept {
    std::string url;
    UriReference parts;
    bool filled = false;
  };
  thread_local Kept kept;
  if (!kept.filled || kept.url != pageUrl) {
    kept.url = pageUrl;
    kept.parts = ParseUriReference(kept.url);
    kept.filled = true;
  }
  return kept.parts;
}

}  // namespace

bool HasOtherScheme(std::string_view link) {
  const std::optional<std::string_view> scheme = SchemeOf(link);
  return scheme && !IsWebScheme(scheme);
}

bool IsRootedLink(std::string_view link) { return link.starts_with('/') || SchemeOf(link); }

std::string ResolveLink(std::string_view pageUrl, std::string_view link) {
  if (HasOtherScheme(link)) return std::string(link);
  const UriReference& base = ParsedPageUrl(pageUrl);
  if (!IsWebScheme(base.scheme)) return ResolveTextually(pageUrl, link);
  // As browsers do for http and https, a "\" in a link is a "/".
  if (cp932::Find(link, "\\") == cp932::npos) return ResolveReference(base, ParseUriReference(link));
  return ResolveReference(base, ParseUriReference(cp932::ReplaceAll(link, "\\", "/")));
}

}  // namespace pagelark
