// The encoding a page is written in, and its links in the system's form.
//
// The run keeps every URL as a CP932 text, as it always has. A link of a
// UTF-8 or EUC-JP page is turned into that form before it is listed: its
// path in CP932 (so that raw and percent-encoded forms of one name are one
// URL, the name is stored as the browser opening the saved page looks for
// it, and the progress lines show it readably), its query as the page's
// bytes, percent-encoded. What is written back into such a page is turned
// into the page's encoding.
#pragma once

#include <string>
#include <string_view>

namespace pagelark {

enum class PageEncoding { kCp932, kUtf8, kEucJp };

// From the answer's Content-Type charset, else a byte-order mark, else a
// <meta charset> or <meta http-equiv> in the page's first 4 KiB, else a
// guess: UTF-8 when every byte beyond ASCII forms UTF-8, EUC-JP when they
// all form EUC-JP pairs, else CP932.
PageEncoding DetectPageEncoding(std::string_view contentType, std::string_view page);

// A style sheet: its Content-Type charset, a byte-order mark or @charset,
// else UTF-8 when its bytes form UTF-8, else CP932.
PageEncoding DetectStyleSheetEncoding(std::string_view contentType, std::string_view sheet);

// `link`, read in `encoding`, in the system's form. The path becomes CP932:
// its characters, and the UTF-8 escapes that spell characters ("%E5%86%99"),
// are written as CP932 characters; a character CP932 lacks is written as
// its UTF-8 escapes. In a CP932 page the path's own bytes stay as they are.
// The query's bytes beyond ASCII are percent-encoded as the page has them
// (a CP932 page's stay as they are, as the request encodes them).
std::string LinkToSystem(std::string_view link, PageEncoding encoding);

// A CP932 text as a page in `encoding` writes it.
std::string SystemToPage(std::string_view text, PageEncoding encoding);

}  // namespace pagelark
