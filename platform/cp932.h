// Code page 932 (Shift-JIS) byte strings: character boundaries, ASCII-only
// case mapping and conversion to and from UTF-8.
//
// A lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail byte (0x40-0x7E,
// 0x80-0xFC) is one double-byte character; every other byte stands alone.
// Searches report matches only at character boundaries, so the trail byte
// 0x5C of "表" is never taken for a backslash.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace pagelark::cp932 {

inline constexpr std::size_t npos = std::string_view::npos;

constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
constexpr bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }
// A byte below 0x40 is never a trail byte: wherever it stands, a character
// starts, so a byte search for it finds it only at boundaries.
constexpr bool AlwaysStartsCharacter(char c) { return static_cast<unsigned char>(c) < 0x40; }

// Length in bytes (1 or 2) of the character that starts at `i` (< text.size()).
// Inline: every walk over a text's characters calls it once per character.
inline std::size_t CharLength(std::string_view text, std::size_t i) {
  return i + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[i])) &&
                 IsTrailByte(static_cast<unsigned char>(text[i + 1]))
             ? 2
             : 1;
}

// First occurrence of `needle` at or after `from` that starts on a character
// boundary; `from` must itself be a boundary. npos when there is none. An
// empty needle matches at `from` (when from <= size).
std::size_t Find(std::string_view text, std::string_view needle, std::size_t from = 0);

// Last occurrence of `needle` that starts on a character boundary, or npos.
std::size_t FindLast(std::string_view text, std::string_view needle);

// Replaces every boundary-aligned occurrence of `from` by `to` (an empty
// `from` changes nothing).
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// A to Z become a to z (and back for ToUpper); trail bytes are left alone.
std::string ToLower(std::string_view text);
std::string ToUpper(std::string_view text);
// Appends ToLower(text) to `out` without a text of its own between.
void AppendLower(std::string& out, std::string_view text);
// ToLower where the text stands; `text` starts on a character boundary.
void MakeLower(std::span<char> text);

// True when the last character of `text` is exactly `c` (a byte standing
// alone, not the trail byte of a double-byte character).
bool EndsWithChar(std::string_view text, char c);

// CP932 to UTF-8. A byte that CP932 cannot decode (a lone lead byte, a byte
// such as 0x80 or 0xFD, both bytes of an unmapped pair) is carried
// losslessly as the private-use code point U+F700 + byte, which FromUtf8
// turns back into the same byte.
std::string ToUtf8(std::string_view text);

// UTF-8 to CP932. U+F740..U+F7FF give back the bytes escaped by ToUtf8. A
// character that CP932 cannot hold, and each byte of malformed UTF-8, is
// replaced by the visible substitution mark "〓" (0x81 0xAC).
std::string FromUtf8(std::string_view text);

// CP932 to UTF-8 as a URL path is sent: a character CP932 cannot decode
// stays the bytes it is (where ToUtf8 carries them as U+F7xx).
std::string ToUtf8KeepingBytes(std::string_view text);

// EUC-JP to UTF-8 and back, for pages in EUC-JP. A byte or character that
// does not convert is kept as it is.
std::string EucJpToUtf8(std::string_view text);
std::string Utf8ToEucJp(std::string_view text);

}  // namespace pagelark::cp932
