// Makes a link found in a page absolute against the URL of that page.
#pragma once

#include <string>
#include <string_view>

namespace pagelark {

// The absolute URL of `link` (as written in the page, "#" part cut off) found
// in the page at `pageUrl`. Against an http or https page URL the link
// resolves as a browser resolves it (RFC 3986 section 5.2: root-relative,
// scheme-relative, "./" and "../" steps). A link of another scheme comes back
// as written. A page URL of no such scheme (a start URL typed without one)
// keeps the plain textual rule: the page's folder followed by the link, with
// leading dots consuming folder levels and links beginning with "http" kept.
std::string ResolveLink(std::string_view pageUrl, std::string_view link);

// True for a link with a scheme other than http and https (mailto:,
// javascript:, ftp:, data:, ...): such a link never becomes a candidate.
bool HasOtherScheme(std::string_view link);

// True for a link that names its own scheme or server or starts at the server
// root ("http://h/x", "//h/x", "/x"); false for a link relative to its page.
bool IsRootedLink(std::string_view link);

}  // namespace pagelark
