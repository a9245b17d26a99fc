// One line of an INI file, classified the way the Windows profile functions
// read it. Names compare without ASCII letter case; a CP932 trail byte is
// never folded, so "値" (92 6C) and "鱈" (92 4C) stay different names.
#pragma once

#include <string>
#include <string_view>

namespace pagelark::ini {

enum class LineKind {
  kBlank,    // empty or only spaces and tabs
  kSection,  // "[name]", text after "]" ignored
  kKey,      // "name=value"
  kOther,    // a ";" comment, or text without "=" or with an empty name
};

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;   // section or key name, blanks trimmed
  std::string_view value;  // key lines: the text after the first "=", blanks trimmed
};

// `text` is one line without its line end.
ParsedLine ParseLine(std::string_view text);

// Removes spaces and tabs at both ends (never part of a CP932 character).
std::string_view TrimBlanks(std::string_view text);

// One pair of matching outer quotes ("..." or '...') is not part of a value.
std::string_view StripOuterQuotes(std::string_view value);

// The form in which names are compared: A to Z lowered, trail bytes kept.
std::string FoldName(std::string_view name);

// Names and values that a write accepts. A line break in any of them, or a
// name that would read back as something else ("[x]", ";x", "a=b"), is
// refused, so that no write can add lines or sections of its own.
bool IsWritableSectionName(std::string_view name);
bool IsWritableKeyName(std::string_view name);
bool IsWritableValue(std::string_view value);

}  // namespace pagelark::ini
