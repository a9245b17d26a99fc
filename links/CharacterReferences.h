// Character references in attribute values ("&amp;", "&#45;", "&#x2D;"), read
// as a browser reads them before it takes the value for a URL.
#pragma once

#include <string>
#include <string_view>

namespace pagelark {

// The value with every reference to an ASCII character decoded: "&amp;",
// "&lt;", "&gt;", "&quot;", "&apos;" and numeric references below 128 (with
// or without the ";"). Other references stay as written.
std::string DecodeCharacterReferences(std::string_view value);

// Where a value's fragment starts: the first "#" that does not open a
// numeric character reference ("&#45;"); npos when there is none.
std::size_t FragmentStart(std::string_view value);

}  // namespace pagelark
