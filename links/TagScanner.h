// The link scanner: finds link values in page text by plain text search. It
// is not an HTML parser. A tag that holds a given word is found by that word,
// anywhere in the tag's text; an attribute value is read behind the
// attribute's "=". Only real tags are read (`TagMap`): a word in the text
// between tags, in a comment or in a script is no tag's. An attribute
// belongs to the tag it stands in, so a value never runs past the tag's ">".
//
// The scanners work on one lower-cased text and a moving start offset `base`:
// a call with `base` sees only the tags that open at or after it, so a caller
// walks a page by passing back each result's `next`. The walk steps through
// the page's tags, reading each tag's text once; remembered searches make a
// whole walk linear in the page's length.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "links/TagMap.h"
#include "links/TextCursors.h"

namespace pagelark {

// What ScanAttribute and ScanAnchor return when no further tag is found.
inline constexpr std::string_view kScanEnd = "END";

// FindTag over one lower-cased text for one word list ("img,src": the first
// word is searched for, every other word must occur in the tag text).
class TagFinder {
 public:
  TagFinder(std::string_view lower, std::string_view names);
  // With the text's tags mapped already: `tags` maps `lower` and outlives the finder.
  TagFinder(std::string_view lower, std::string_view names, const TagMap& tags);

  // The next matching tag that opens at or after `base`. An occurrence of
  // the first word at `base` itself is never taken.
  std::optional<TagSpan> Find(std::size_t base);

 private:
  TagFinder(std::string_view lower, std::string_view names, std::unique_ptr<const TagMap> ownTags, const TagMap* tags);
  std::size_t FirstTagFrom(std::size_t base);
  bool HoldsFirstWord(TagSpan tag);
  bool HoldsOtherWords(TagSpan tag);

  std::string_view text_;
  std::unique_ptr<const TagMap> ownTags_;  // when the finder mapped the text itself
  const TagMap* tags_;
  NextOccurrence firstWord_;
  std::vector<NextOccurrence> otherWords_;
  std::size_t nextTag_ = 0;  // where the last search stopped, in tags_
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
  // With the text's tags mapped already (`tags` outlives the scanner).
  AttributeScanner(std::string_view lower, std::string_view tagWord, std::string_view attributeWord,
                   const TagMap& tags);

  // The attribute value of the next tag; next = the tag's "<" + 1.
  ScanResult ScanAttribute(std::size_t base);

  // The "href" value of the next anchor-like tag; next = just behind the "<"
  // of its closing tag. A tag holding ".css" is taken without a closing tag
  // and has next = its "<" + 1. An anchor with no closing tag after it ends
  // the walk.
  ScanResult ScanAnchor(std::size_t base);

 private:
  AttributeScanner(std::string_view lower, std::string_view tagWord, std::string_view attributeWord, TagFinder finder);
  std::size_t WordInTag(NextOccurrence& word, TagSpan tag);
  std::string_view ReadValue(NextOccurrence& attribute, TagSpan tag);

  std::string_view text_;
  TagFinder finder_;
  NextOccurrence attribute_;
  NextOccurrence href_;
  NextOccurrence styleSheet_;
  NextOccurrence closingTag_;
};

// The same operations on a text of their own, lower-casing it first; the
// position is where the caller cuts the text before its next call.

// The tag text from "<" to ">", lower-cased, or an empty text; `position`
// becomes the index of the "<".
std::string FindTag(std::string_view text, std::string_view names, std::size_t& position);

// A value, an empty text or kScanEnd.
std::string ScanAttribute(std::string_view text, std::string_view tagWord, std::string_view attributeWord,
                          std::size_t& position);

// As ScanAttribute; `tagText` is written only for an anchor that is not a
// style-sheet link.
std::string ScanAnchor(std::string_view text, std::string_view tagWord, std::string_view attributeWord,
                       std::size_t& position, std::string& tagText);

}  // namespace pagelark
