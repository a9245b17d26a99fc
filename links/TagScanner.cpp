#include "links/TagScanner.h"

#include <algorithm>

#include "links/PathFields.h"

namespace pagelark {
namespace {

// Every character the value reader looks for lies below 0x40, so it is never
// the second byte of a double-byte character and a byte search finds it only
// at a character boundary.
constexpr std::string_view kPassedBeforeValue = " \t\n\r\"'";
// A value also ends at a line break: a URL never holds one, and hand-written
// pages often break the line right behind an unquoted value.
constexpr std::string_view kValueEnds = " \t\n\r\"'";

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string WordList(std::string_view tagWord, std::string_view attributeWord) {
  std::string names(tagWord);
  if (!attributeWord.empty()) names.append(",").append(attributeWord);
  return names;
}

std::string_view CutFragment(std::string_view value) { return value.substr(0, value.find('#')); }

}  // namespace

TagFinder::TagFinder(std::string_view lower, std::string_view names, char open, char close)
    : text_(lower),
      firstWord_(lower, GetField(cp932::ToLower(names), ",", 0)),
      opens_(lower, open),
      closes_(lower, std::string(1, close)) {
  const std::string words = cp932::ToLower(names);
  const int count = CountFields(words, ",");
  for (int i = 1; i < count; ++i) otherWords_.emplace_back(lower, GetField(words, ",", i));
}

std::optional<TagSpan> TagFinder::Find(std::size_t base) {
  if (base >= text_.size()) return std::nullopt;
  for (std::size_t at = firstWord_.From(base + cp932::CharLength(text_, base)); at < text_.size();
       at = firstWord_.From(at + cp932::CharLength(text_, at))) {
    const std::size_t open = opens_.Before(base, at);
    if (open == cp932::npos) continue;
    const std::size_t close = closes_.From(at);
    // Without a close character no later occurrence has a tag text either.
    if (close == cp932::npos) return std::nullopt;
    if (HoldsOtherWords({open, close})) return TagSpan{open, close};
  }
  return std::nullopt;
}

bool TagFinder::HoldsOtherWords(TagSpan tag) {
  return std::all_of(otherWords_.begin(), otherWords_.end(), [&](NextOccurrence& word) {
    const std::size_t at = word.From(tag.open);
    return at != cp932::npos && at + word.size() <= tag.close + 1;
  });
}

AttributeScanner::AttributeScanner(std::string_view lower, std::string_view tagWord, std::string_view attributeWord)
    : text_(lower),
      finder_(lower, WordList(tagWord, attributeWord)),
      attribute_(lower, cp932::ToLower(attributeWord)),
      href_(lower, "href"),
      styleSheet_(lower, ".css"),
      closingTag_(lower, "</" + cp932::ToLower(tagWord) + ">"),
      equals_(lower, "=") {}

ScanResult AttributeScanner::ScanAttribute(std::size_t base) {
  const std::optional<TagSpan> tag = finder_.Find(base);
  if (!tag) return {};
  ScanResult result;
  result.end = false;
  result.value = ReadValue(tag->open, WordInTag(attribute_, *tag), tag->close + 1, tag->close);
  result.next = tag->open + 1;
  return result;
}

ScanResult AttributeScanner::ScanAnchor(std::size_t base) {
  const std::optional<TagSpan> tag = finder_.Find(base);
  if (!tag) return {};
  ScanResult result;
  result.end = false;
  if (WordInTag(styleSheet_, *tag) != cp932::npos) {
    // A style-sheet link: read from its own tag text, no closing tag sought.
    result.value = ReadValue(tag->open, WordInTag(href_, *tag), tag->close + 1, tag->close);
    result.next = tag->open + 1;
    return result;
  }
  const std::size_t closing = closingTag_.From(tag->open);
  if (closing == cp932::npos) return {};
  result.tagText = text_.substr(tag->open, tag->close + 1 - tag->open);
  result.value = ReadValue(tag->open, href_.From(tag->open), text_.size(), text_.size());
  result.next = closing + 1;
  return result;
}

// Where `word` first occurs inside the tag text, or npos.
std::size_t AttributeScanner::WordInTag(NextOccurrence& word, TagSpan tag) {
  const std::size_t at = word.From(tag.open);
  return at != cp932::npos && at + word.size() <= tag.close + 1 ? at : cp932::npos;
}

// Reads the value behind the attribute word at `attributeAt` (npos: not
// found) in the examined text [start, end): behind the next "=", past blanks
// and quotes, up to a blank or quote; an unquoted value also ends at ">". The
// value never runs past `limit`, which keeps a tag's own ">" out of it.
std::string_view AttributeScanner::ReadValue(std::size_t start, std::size_t attributeAt, std::size_t end,
                                             std::size_t limit) {
  std::size_t anchor = start;  // where the value starts when only blanks and quotes follow
  std::size_t cursor = start;
  if (attributeAt != cp932::npos) {
    anchor = attributeAt;
    cursor = attributeAt + cp932::CharLength(text_, attributeAt);
  }
  const std::size_t equals = equals_.From(cursor);
  if (equals < end) {
    anchor = equals;
    cursor = equals + 1;
  }
  bool quoted = false;
  while (cursor < end && kPassedBeforeValue.find(text_[cursor]) != std::string_view::npos) {
    quoted = quoted || IsQuote(text_[cursor]);
    ++cursor;
  }
  const std::size_t first = cursor < end ? cursor : anchor;
  const std::string_view examined = text_.substr(0, end);
  std::size_t last = std::min(examined.find_first_of(kValueEnds, first + 1), end);
  if (!quoted) last = std::min(last, examined.find('>', first));
  last = std::max(std::min(last, limit), first);
  return CutFragment(text_.substr(first, last - first));
}

std::string FindTag(std::string_view text, std::string_view names, char open, char close, std::size_t& position) {
  const std::string lower = cp932::ToLower(text);
  TagFinder finder(lower, names, open, close);
  const std::optional<TagSpan> tag = finder.Find(0);
  if (!tag) return {};
  position = tag->open;
  return lower.substr(tag->open, tag->close + 1 - tag->open);
}

std::string ScanAttribute(std::string_view text, std::string_view tagWord, std::string_view attributeWord,
                          std::size_t& position) {
  const std::string lower = cp932::ToLower(text);
  const ScanResult result = AttributeScanner(lower, tagWord, attributeWord).ScanAttribute(0);
  if (result.end) return std::string(kScanEnd);
  position = result.next;
  return std::string(result.value);
}

std::string ScanAnchor(std::string_view text, std::string_view tagWord, std::string_view attributeWord,
                       std::size_t& position, std::string& tagText) {
  const std::string lower = cp932::ToLower(text);
  const ScanResult result = AttributeScanner(lower, tagWord, attributeWord).ScanAnchor(0);
  if (result.end) return std::string(kScanEnd);
  position = result.next;
  if (!result.tagText.empty()) tagText = result.tagText;
  return std::string(result.value);
}

}  // namespace pagelark
