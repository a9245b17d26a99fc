#include "settings/IniLine.h"

#include "platform/cp932.h"

namespace pagelark::ini {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

ParsedLine ParseSectionHeader(std::string_view text) {
  // "]" may be the trail byte of a double-byte character ("ゾ" is 83 5D).
  const std::size_t close = cp932::Find(text, "]", 1);
  if (close == cp932::npos) return {};
  return {LineKind::kSection, TrimBlanks(text.substr(1, close - 1)), {}};
}

ParsedLine ParseKeyLine(std::string_view text) {
  const std::size_t equals = cp932::Find(text, "=");
  if (equals == cp932::npos) return {};
  const std::string_view name = TrimBlanks(text.substr(0, equals));
  if (name.empty()) return {};
  return {LineKind::kKey, name, TrimBlanks(text.substr(equals + 1))};
}

}  // namespace

ParsedLine ParseLine(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) return {LineKind::kBlank, {}, {}};
  if (trimmed.front() == '[') {
    const ParsedLine header = ParseSectionHeader(trimmed);
    if (header.kind == LineKind::kSection) return header;
  }
  if (trimmed.front() == ';') return {};
  return ParseKeyLine(trimmed);
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view StripOuterQuotes(std::string_view value) {
  // Neither quote character can be a trail byte, so the last byte is safe.
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string FoldName(std::string_view name) { return cp932::ToLower(name); }

// A name ending in a lone lead byte would swallow the "]" behind it.
bool EndsInLoneLeadByte(std::string_view name) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < name.size(); i += cp932::CharLength(name, i)) last = i;
  return !name.empty() && cp932::CharLength(name, last) == 1 &&
         cp932::IsLeadByte(static_cast<unsigned char>(name[last]));
}

bool IsWritableSectionName(std::string_view name) {
  return !name.empty() && !HasLineBreak(name) && cp932::Find(name, "]") == cp932::npos && !EndsInLoneLeadByte(name);
}

bool IsWritableKeyName(std::string_view name) {
  return !name.empty() && !HasLineBreak(name) && name.front() != '[' && name.front() != ';' &&
         cp932::Find(name, "=") == cp932::npos;
}

bool IsWritableValue(std::string_view value) { return !HasLineBreak(value); }

}  // namespace pagelark::ini
