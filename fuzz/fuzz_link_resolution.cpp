// Link resolution: any link against a few page URLs (http and https ones,
// and start URLs typed without a scheme), and a second part of the input
// against the first line taken as the page URL. Checks RFC 3986's promises:
// a split reference joins back to its text, dot-segment removal leaves none
// and changes nothing when done twice, a relative link keeps the page's
// scheme and server, a resolved URL resolves to itself; and every resolved
// URL is stored inside the download folder.
#include <cstdint>
#include <string>

#include "fuzz/FuzzChecks.h"
#include "links/LinkResolution.h"
#include "links/UriReference.h"
#include "platform/cp932.h"

namespace pagelark::fuzz {
namespace {

constexpr std::string_view kPageUrls[] = {
    "http://www.example.jp/dir/sub/page.html?q=1#top",
    "https://user@shop.example.jp:8443/",
    "http://a/b/c/d;p?q",
    "http://h",
    "HTTPS://WWW.EXAMPLE.JP/%7Euser/Index.HTML",
    "http://www.example.jp/\x95\x5C/\x83\x5C.html",  // "表/ソ.html": second bytes 0x5C
    "www.example.jp/dir/index.html",
    "localhost/a/b/",
    "ftp://files.example.jp/pub/",
};

bool IsWebScheme(std::optional<std::string_view> scheme) {
  return scheme && (cp932::ToLower(*scheme) == "http" || cp932::ToLower(*scheme) == "https");
}

bool HasDotSegment(std::string_view path) {
  for (const std::string_view step : Steps(path, '/')) {
    if (step == "." || step == "..") return true;
  }
  return false;
}

void CheckSplitAndJoin(std::string_view text) {
  const UriReference uri = ParseUriReference(text);
  Check(ComposeUri(uri, uri.path) == text, "a split reference joins back to its text", text);
  const std::string path = RemoveDotSegments(uri.path);
  Check(!HasDotSegment(path), "dot-segment removal leaves no dot segment", text);
  Check(RemoveDotSegments(path) == path, "dot-segment removal done twice changes nothing", text);
}

void CheckResolved(std::string_view pageUrl, std::string_view link, bool place) {
  const std::string url = ResolveLink(pageUrl, link);
  HasOtherScheme(url);
  IsRootedLink(url);
  if (place) CheckPlacements(url);
  const UriReference page = ParseUriReference(pageUrl);
  if (!IsWebScheme(page.scheme) || HasOtherScheme(link)) return;
  const UriReference target = ParseUriReference(url);
  CheckSplitAndJoin(url);
  const UriReference reference = ParseUriReference(cp932::ReplaceAll(link, "\\", "/"));
  if (!reference.scheme) {
    Check(target.scheme == page.scheme, "a relative link keeps the page's scheme", link);
    if (!reference.authority)
      Check(target.authority == page.authority, "a relative link keeps the page's server", link);
  }
  if (!target.authority) return;
  Check(!HasDotSegment(target.path), "a resolved URL holds no dot segment", link);
  Check(ResolveLink(pageUrl, url) == url, "a resolved URL resolves to itself", link);
}

}  // namespace
}  // namespace pagelark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pagelark::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckSplitAndJoin(text);
  // Placing is slow (text conversion): the URLs resolved against the first
  // page URL stand for all.
  for (const std::string_view pageUrl : kPageUrls) CheckResolved(pageUrl, text, pageUrl == kPageUrls[0]);
  // "page URL\nlink": any page URL at all, checked for what holds for every one.
  if (const std::size_t newline = text.find('\n'); newline != std::string_view::npos) {
    const std::string_view pageUrl = text.substr(0, newline);
    const std::string_view link = text.substr(newline + 1);
    CheckSplitAndJoin(pageUrl);
    CheckPlacements(pagelark::ResolveLink(pageUrl, link));
  }
  return 0;
}
