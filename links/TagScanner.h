// The link scanner: finds link values in page text by plain text search. It
// is not an HTML parser. A tag is found by a word that occurs in it and the
// nearest "<" before that word; an attribute value is read behind the next
// "=". The quirks that follow from this (a tag word inside another tag's
// value, an anchor read up to its closing tag) are the system's behaviour.
//
// The scanners work on one lower-cased text and a moving start offset `base`:
// a call with `base` sees exactly what a call on the text with its first
// `base` bytes cut off would see, so a caller walks a page by passing back
// each result's `next`. Remembered searches make a whole walk linear in the
// page's length.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "links/TextCursors.h"

namespace pagelark {

// What ScanAttribute and ScanAnchor return when no further tag is found.
inline constexpr std::string_view kScanEnd = "END";

// A found tag: offsets of its open character and of the close character that
// ends its tag text.
struct TagSpan {
  std::size_t open;
  std::size_t close;
};

// FindTag over one lower-cased text for one word list ("img,src": the first
// word is searched for, every other word must occur in the tag text).
class TagFinder {
 public:
  TagFinder(std::string_view lower, std::string_view names, char open = '<', char close = '>');

  // The next matching tag in the text that starts at `base`. An occurrence of
  // the first word at `base` itself is never taken.
  std::optional<TagSpan> Find(std::size_t base);

 private:
  bool HoldsOtherWords(TagSpan tag);

  std::string_view text_;
  NextOccurrence firstWord_;
  std::vector<NextOccurrence> otherWords_;
  LastOccurrence opens_;
  NextOccurrence closes_;
};

// One finding of ScanAttribute or ScanAnchor.
struct ScanResult {
  bool end = true;           // no further tag (or an anchor without closing tag)
  std::string_view value;    // lower-cased, cut before "#"; may be empty
  std::size_t next = 0;      // offset at which the next call starts
  std::string_view tagText;  // ScanAnchor only: the anchor's tag text, empty for a style-sheet link
};

// ScanAttribute and ScanAnchor over one lower-cased text for one tag word
// and attribute word.
class AttributeScanner {
 public:
  AttributeScanner(std::string_view lower, std::string_view tagWord, std::string_view attributeWord);

  // The attribute value of the next tag; next = the tag's "<" + 1.
  ScanResult ScanAttribute(std::size_t base);

  // The "href" value of the next anchor-like tag, read from the page text
  // behind the tag's "<"; next = just behind the "<" of its closing tag. A
  // tag holding ".css" is read from its tag text alone and has next = its
  // "<" + 1. An anchor with no closing tag after it ends the walk.
  ScanResult ScanAnchor(std::size_t base);

 private:
  std::size_t WordInTag(NextOccurrence& word, TagSpan tag);
  std::string_view ReadValue(std::size_t start, std::size_t attributeAt, std::size_t end, std::size_t limit);

  std::string_view text_;
  TagFinder finder_;
  NextOccurrence attribute_;
  NextOccurrence href_;
  NextOccurrence styleSheet_;
  NextOccurrence closingTag_;
  NextOccurrence equals_;
};

// The same operations on a text of their own, lower-casing it first; the
// position is where the caller cuts the text before its next call.

// The tag text from the open to the close character, lower-cased, or an
// empty text; `position` becomes the index of the open character.
std::string FindTag(std::string_view text, std::string_view names, char open, char close, std::size_t& position);

// A value, an empty text or kScanEnd.
std::string ScanAttribute(std::string_view text, std::string_view tagWord, std::string_view attributeWord,
                          std::size_t& position);

// As ScanAttribute; `tagText` is written only for an anchor that is not a
// style-sheet link.
std::string ScanAnchor(std::string_view text, std::string_view tagWord, std::string_view attributeWord,
                       std::size_t& position, std::string& tagText);

}  // namespace pagelark
