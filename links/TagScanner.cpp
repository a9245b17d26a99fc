#include "links/TagScanner.h"

#include <algorithm>
#include <cstdint>

#include "links/ByteSets.h"
#include "links/CharacterReferences.h"
#include "links/PathFields.h"

namespace pagelark {
namespace {

// Every character the value reader looks for lies below 0x40, so it is never
// the second byte of a double-byte character and a byte search finds it only
// at a character boundary.
constexpr std::string_view kBlanks = " \t\n\r\f";
constexpr std::string_view kPassedBeforeValue = " \t\n\r\"'";
// A value also ends at a line break: a URL never holds one, and hand-written
// pages often break the line right behind an unquoted value.
constexpr std::string_view kValueEnds = " \t\n\r\"'";

constexpr std::uint64_t kPassedBeforeValueBits = BitsOf(kPassedBeforeValue);
constexpr std::uint64_t kValueEndBits = BitsOf(kValueEnds);

bool IsQuote(char c) { return c == '"' || c == '\''; }
bool IsBlank(char c) { return kBlanks.find(c) != std::string_view::npos; }
// What may stand right before an attribute name.
bool OpensName(char c) { return IsBlank(c) || c == '/' || IsQuote(c); }

std::string WordList(std::string_view tagWord, std::string_view attributeWord) {
  std::string names(tagWord);
  if (!attributeWord.empty()) names.append(",").append(attributeWord);
  return names;
}

// A "#" that opens a character reference ("&#45;") is no fragment.
std::string_view CutFragment(std::string_view value) { return value.substr(0, FragmentStart(value)); }

std::size_t SkipBlanks(std::string_view text, std::size_t at, std::size_t end) {
  while (at < end && IsBlank(text[at])) ++at;
  return at;
}

}  // namespace

TagFinder::TagFinder(std::string_view lower, std::string_view names)
    : TagFinder(lower, names, std::make_unique<const TagMap>(lower), nullptr) {}

TagFinder::TagFinder(std::string_view lower, std::string_view names, const TagMap& tags)
    : TagFinder(lower, names, nullptr, &tags) {}

TagFinder::TagFinder(std::string_view lower, std::string_view names, std::unique_ptr<const TagMap> ownTags,
                     const TagMap* tags)
    : text_(lower),
      ownTags_(std::move(ownTags)),
      tags_(tags != nullptr ? tags : ownTags_.get()),
      firstWord_(lower, GetField(cp932::ToLower(names), ",", 0)) {
  const std::string words = cp932::ToLower(names);
  const int count = CountFields(words, ",");
  for (int i = 1; i < count; ++i) otherWords_.emplace_back(lower, GetField(words, ",", i));
}

std::optional<TagSpan> TagFinder::Find(std::size_t base) {
  if (base >= text_.size()) return std::nullopt;
  const std::vector<TagSpan>& tags = tags_->tags();
  // The first word stands behind the "<" of any tag that holds it, so the
  // first tag holding every word is the first one whose text holds them.
  for (std::size_t i = FirstTagFrom(base); i < tags.size(); i = ++nextTag_) {
    if (HoldsFirstWord(tags[i]) && HoldsOtherWords(tags[i])) return tags[i];
  }
  return std::nullopt;
}

// The first tag that opens at or after `base`. Walks move forward, so the
// search goes on from where the last one stopped.
std::size_t TagFinder::FirstTagFrom(std::size_t base) {
  const std::vector<TagSpan>& tags = tags_->tags();
  if (nextTag_ > tags.size() || (nextTag_ > 0 && tags[nextTag_ - 1].open >= base)) nextTag_ = tags_->FirstFrom(base);
  while (nextTag_ < tags.size() && tags[nextTag_].open < base) ++nextTag_;
  return nextTag_;
}

// The first word, whole, in the tag's text behind its "<". The "<" is a
// character of its own, so the search starts on a character boundary; the
// ">" at the tag's end is one too, so the first occurrence in the whole text
// lies in the tag when any does. That search is remembered across tags.
bool TagFinder::HoldsFirstWord(TagSpan tag) {
  const std::size_t at = firstWord_.From(tag.open + 1);
  return at != cp932::npos && at + firstWord_.size() <= tag.close + 1;
}

bool TagFinder::HoldsOtherWords(TagSpan tag) {
  return std::all_of(otherWords_.begin(), otherWords_.end(), [&](NextOccurrence& word) {
    const std::size_t at = word.From(tag.open);
    return at != cp932::npos && at + word.size() <= tag.close + 1;
  });
}

AttributeScanner::AttributeScanner(std::string_view lower, std::string_view tagWord, std::string_view attributeWord)
    : AttributeScanner(lower, tagWord, attributeWord, TagFinder(lower, WordList(tagWord, attributeWord))) {}

AttributeScanner::AttributeScanner(std::string_view lower, std::string_view tagWord, std::string_view attributeWord,
                                   const TagMap& tags)
    : AttributeScanner(lower, tagWord, attributeWord, TagFinder(lower, WordList(tagWord, attributeWord), tags)) {}

AttributeScanner::AttributeScanner(std::string_view lower, std::string_view tagWord, std::string_view attributeWord,
                                   TagFinder finder)
    : text_(lower),
      finder_(std::move(finder)),
      attribute_(lower, cp932::ToLower(attributeWord)),
      href_(lower, "href"),
      styleSheet_(lower, ".css"),
      closingTag_(lower, "</" + cp932::ToLower(tagWord) + ">") {}

ScanResult AttributeScanner::ScanAttribute(std::size_t base) {
  const std::optional<TagSpan> tag = finder_.Find(base);
  if (!tag) return {};
  ScanResult result;
  result.end = false;
  result.value = ReadValue(attribute_, *tag);
  result.next = tag->open + 1;
  return result;
}

ScanResult AttributeScanner::ScanAnchor(std::size_t base) {
  const std::optional<TagSpan> tag = finder_.Find(base);
  if (!tag) return {};
  ScanResult result;
  result.end = false;
  if (WordInTag(styleSheet_, *tag) != cp932::npos) {
    // A style-sheet link: no closing tag sought.
    result.value = ReadValue(href_, *tag);
    result.next = tag->open + 1;
    return result;
  }
  const std::size_t closing = closingTag_.From(tag->open);
  if (closing == cp932::npos) return {};
  result.tagText = text_.substr(tag->open, tag->close + 1 - tag->open);
  result.value = ReadValue(href_, *tag);
  result.next = closing + 1;
  return result;
}

// Where `word` first occurs inside the tag text, or npos.
std::size_t AttributeScanner::WordInTag(NextOccurrence& word, TagSpan tag) {
  const std::size_t at = word.From(tag.open);
  return at != cp932::npos && at + word.size() <= tag.close + 1 ? at : cp932::npos;
}

// The value of the attribute named `attribute` in the tag: behind the first
// occurrence of the word that stands as a name (behind a blank, "/" or a
// quote, with "=" after it), past blanks and quotes, up to a blank or quote
// or the tag's ">". An empty quoted value ("") and a tag without such a name
// give an empty value.
std::string_view AttributeScanner::ReadValue(NextOccurrence& attribute, TagSpan tag) {
  const std::size_t end = tag.close;
  for (std::size_t at = attribute.From(tag.open + 1); at != cp932::npos && at + attribute.size() <= end;
       at = attribute.From(at + 1)) {
    if (!OpensName(text_[at - 1])) continue;
    const std::size_t equals = SkipBlanks(text_, at + attribute.size(), end);
    if (equals >= end || text_[equals] != '=') continue;
    std::size_t first = SkipBlanks(text_, equals + 1, end);
    if (first + 1 < end && IsQuote(text_[first]) && text_[first + 1] == text_[first]) return {};
    while (first < end && InSet(kPassedBeforeValueBits, text_[first])) ++first;
    std::size_t last = first;
    while (last < end && !InSet(kValueEndBits, text_[last])) ++last;
    return CutFragment(text_.substr(first, last - first));
  }
  return {};
}

std::string FindTag(std::string_view text, std::string_view names, std::size_t& position) {
  const std::string lower = cp932::ToLower(text);
  TagFinder finder(lower, names);
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
