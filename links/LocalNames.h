// Local names for URLs: the local form of a URL and the renaming of URLs that
// carry a query, so that every downloaded URL has a file name.
//
// Each function that removes or replaces characters first escapes every lone
// lead byte (EscapeLoneLeadBytes): a removal behind such a byte would join it
// to the next character, which could free a trail byte 0x5C ("\") or swallow
// a "\" that separates folders. Valid CP932 text is never escaped.
#pragma once

#include <string>
#include <string_view>

namespace pagelark {

// The nine characters a local file name cannot hold.
inline constexpr std::string_view kReservedNameChars = "\\/:*?\"<>|";

// Every lead byte with no trail byte behind it becomes its URL escape, in
// lower case as stored names are: 'a\x84/b' -> 'a%84/b', 'x\x9F' -> 'x%9f'.
std::string EscapeLoneLeadBytes(std::string_view text);
// The same, written into `buffer` only when a byte is escaped: the text
// returned is `text` itself or `buffer`.
std::string_view EscapeLoneLeadBytes(std::string_view text, std::string& buffer);

// Lower case, "//" and "/" turned into "\", ":" removed:
// 'http://Host:81/A/b.HTML' -> 'http\host81\a\b.html'.
std::string ToLocalForm(std::string_view text);

// Removes every reserved name character after the first `marker`, except the
// marker character itself. A text without the marker is returned unchanged;
// the text up to the marker always is.
std::string StripReserved(std::string_view text, char marker);

// Name for a page whose URL holds a query: 'list.cgi?page=2' -> 'list.cgipage=2.html'.
std::string QueryPageName(std::string_view text);

// Name for a non-page file whose URL holds a query: 'pic.cgi?id=7' -> 'picid=7.cgi',
// 'get?id=7' -> 'getid=7.jpg'.
std::string QueryFileName(std::string_view text);

// The stored name of a page requisite with a query: the query goes before the
// extension of the path, so that the file opens as what it is
// ('pydoctheme.css?2022.1' -> 'pydoctheme2022.1.css'). A path without an
// extension is named as QueryFileName names it.
std::string RequisiteFileName(std::string_view text);

}  // namespace pagelark
