#include "links/TagMap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace pagelark {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsQuote(char c) { return c == '"' || c == '\''; }

bool SameLetters(std::string_view text, std::size_t at, std::string_view lowerWord) {
  if (at + lowerWord.size() > text.size()) return false;
  for (std::size_t i = 0; i < lowerWord.size(); ++i) {
    const char c = text[at + i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != lowerWord[i]) return false;
  }
  return true;
}

// The element whose text holds no tags, when the tag at `open` opens one.
std::string_view RawTextElement(std::string_view text, std::size_t open) {
  for (std::string_view name : {std::string_view("script"), std::string_view("style")}) {
    const std::size_t behind = open + 1 + name.size();
    if (SameLetters(text, open + 1, name) && (behind >= text.size() || !IsAsciiLetter(text[behind]))) return name;
  }
  return {};
}

// The first "</name" at or after `from` (any letter case), or the text's end.
std::size_t EndOfRawText(std::string_view text, std::size_t from, std::string_view name) {
  for (std::size_t at = text.find("</", from); at != std::string_view::npos; at = text.find("</", at + 2)) {
    if (SameLetters(text, at + 2, name)) return at;
  }
  return text.size();
}

// How often `byte` occurs in `text`, counted eight bytes at a time: in each
// word the bytes equal to it become 0x01, the others 0x00, and the words are
// summed byte by byte, 31 words at a time, so that the eight sums together
// stay below 256 and one multiplication adds them up.
std::size_t CountByte(std::string_view text, char byte) {
  constexpr std::uint64_t kEveryByte = 0x0101010101010101;
  constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7F;
  constexpr std::size_t kWordsPerSum = 31;
  const std::uint64_t pattern = kEveryByte * static_cast<unsigned char>(byte);
  std::size_t count = 0, at = 0;
  while (at + sizeof(std::uint64_t) <= text.size()) {
    std::uint64_t sums = 0;
    for (std::size_t word = 0; word < kWordsPerSum && at + sizeof(std::uint64_t) <= text.size(); ++word) {
      std::uint64_t bytes;
      std::memcpy(&bytes, text.data() + at, sizeof bytes);
      const std::uint64_t other = bytes ^ pattern;                            // 0x00 where `byte` stands
      const std::uint64_t nonZero = ((other & kLowBits) + kLowBits) | other;  // high bit of each other byte
      sums += (~nonZero & ~kLowBits) >> 7;
      at += sizeof bytes;
    }
    count += static_cast<std::size_t>((sums * kEveryByte) >> 56);
  }
  for (; at < text.size(); ++at) count += text[at] == byte ? 1 : 0;
  return count;
}

}  // namespace

std::size_t TagEnd(std::string_view text, std::size_t open) {
  bool behindEquals = false;
  for (std::size_t i = open + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '>') return i;
    if (behindEquals && IsQuote(c)) {
      // A quote that never closes is an ordinary character.
      const std::size_t closing = text.find(c, i + 1);
      if (closing != std::string_view::npos) i = closing;
      behindEquals = false;
    } else if (c == '=') {
      behindEquals = true;
    } else if (!IsBlank(c)) {
      behindEquals = false;
    }
  }
  return std::string_view::npos;
}

TagMap::TagMap(std::string_view text) {
  // Room for a tag at every "<": the list is filled without moving it.
  tags_.reserve(CountByte(text, '<'));
  std::size_t at = text.find('<');
  while (at != std::string_view::npos && at + 1 < text.size()) {
    const char next = text[at + 1];
    std::size_t resume = at + 1;
    if (text.compare(at, 4, "<!--") == 0) {
      const std::size_t end = text.find("-->", at + 4);
      resume = end == std::string_view::npos ? text.size() : end + 3;
    } else if (next == '!' || next == '?') {
      resume = std::min(text.find('>', at + 2), text.size());
    } else if (IsAsciiLetter(next) || next == '/') {
      const std::size_t close = TagEnd(text, at);
      if (close == std::string_view::npos) break;  // no tag closes after this one
      tags_.push_back({at, close});
      const std::string_view raw = next == '/' ? std::string_view() : RawTextElement(text, at);
      resume = raw.empty() ? close + 1 : EndOfRawText(text, close + 1, raw);
    }
    at = text.find('<', resume);
  }
}

std::size_t TagMap::FirstFrom(std::size_t at) const {
  const auto first = std::lower_bound(tags_.begin(), tags_.end(), at,
                                      [](const TagSpan& tag, std::size_t offset) { return tag.open < offset; });
  return static_cast<std::size_t>(first - tags_.begin());
}

std::optional<TagSpan> TagMap::Around(std::size_t at, std::size_t size) const {
  const auto behind = std::lower_bound(tags_.begin(), tags_.end(), at,
                                       [](const TagSpan& tag, std::size_t offset) { return tag.open < offset; });
  if (behind == tags_.begin()) return std::nullopt;
  const TagSpan& tag = *std::prev(behind);
  if (at + size > tag.close + 1) return std::nullopt;
  return tag;
}

}  // namespace pagelark
