// Local names for URLs: the local form of a URL and the renaming of URLs that
// carry a query, so that every downloaded URL has a file name.
#pragma once

#include <string>
#include <string_view>

namespace pagelark {

// The nine characters a local file name cannot hold.
inline constexpr std::string_view kReservedNameChars = "\\/:*?\"<>|";

// Lower case, "//" and "/" turned into "\", ":" removed:
// 'http://Host:81/A/b.HTML' -> 'http\host81\a\b.html'.
std::string ToLocalForm(std::string_view text);

// Removes every reserved name character after the first `marker`, except the
// marker character itself. A text without the marker is returned unchanged.
std::string StripReserved(std::string_view text, char marker);

// Name for a page whose URL holds a query: 'list.cgi?page=2' -> 'list.cgipage=2.html'.
std::string QueryPageName(std::string_view text);

// Name for a non-page file whose URL holds a query: 'pic.cgi?id=7' -> 'picid=7.cgi',
// 'get?id=7' -> 'getid=7.jpg'.
std::string QueryFileName(std::string_view text);

}  // namespace pagelark
