// URI references as RFC 3986 splits and joins them (sections 3, 5.2 and 5.3).
// All delimiters of the syntax lie below 0x40, so a CP932 text splits at its
// character boundaries only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pagelark {

// The five parts of a reference, as views into the text it was split from.
struct UriReference {
  std::optional<std::string_view> scheme;  // as written, without ":"
  std::optional<std::string_view> authority;
  std::string_view path;
  std::optional<std::string_view> query;
  std::optional<std::string_view> fragment;
};

// The scheme name of a reference: the text before the first ":" when that
// text is a valid scheme name (a letter, then letters, digits, "+", "-" or
// "."); std::nullopt for a relative reference.
std::optional<std::string_view> SchemeOf(std::string_view text);

// Splits a reference into its five parts.
UriReference ParseUriReference(std::string_view text);

// Joins parts again (section 5.3), with `path` in place of the parts' own.
std::string ComposeUri(const UriReference& uri, std::string_view path);

// Removes "." and ".." segments from a path (section 5.2.4).
std::string RemoveDotSegments(std::string_view path);

// The target of `reference` against the absolute `base`, composed (section
// 5.2.2, strict: a reference with a scheme keeps it even when it equals the
// base's).
std::string ResolveReference(const UriReference& base, const UriReference& reference);

// The byte of the percent escape "%XX" at `i`, or -1 when none stands there.
int PercentByteAt(std::string_view text, std::size_t i);

// Appends the percent escape of `byte`, its hex digits in upper case.
void AppendPercentEscape(std::string& out, unsigned char byte);

}  // namespace pagelark
