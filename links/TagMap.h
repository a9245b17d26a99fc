// The tags of a page, as a browser would see them: a "<" followed by a
// letter or "/" opens a tag, and its first ">" outside a quoted attribute
// value closes it. Comments ("<!-- -->"), declarations ("<!...>", "<?...>")
// and the text inside script and style elements hold no tags, so markup in
// comments, in script code and in style rules is never read as a link.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace pagelark {

// A tag: offsets of its "<" and of the ">" that closes it.
struct TagSpan {
  std::size_t open;
  std::size_t close;

  bool operator==(const TagSpan&) const = default;
};

class TagMap {
 public:
  // `text` is the page, in any letter case; only ASCII bytes are read, so
  // CP932, EUC-JP and UTF-8 pages map alike.
  explicit TagMap(std::string_view text);

  // The tag whose text holds the whole stretch [at, at + size) behind its
  // "<", if any.
  std::optional<TagSpan> Around(std::size_t at, std::size_t size) const;

  const std::vector<TagSpan>& tags() const { return tags_; }
  // The first tag that opens at or after `at`: an index into tags().
  std::size_t FirstFrom(std::size_t at) const;

  bool operator==(const TagMap&) const = default;

  // Every "<" and ">" moved to `newPlace(offset)`, after a rewrite that kept
  // every tag whole.
  template <typename NewPlace>
  void Move(NewPlace newPlace) {
    for (TagSpan& tag : tags_) tag = {newPlace(tag.open), newPlace(tag.close)};
  }

 private:
  std::vector<TagSpan> tags_;  // in page order; tags never overlap
};

// Where the tag that opens at `open` closes: the first ">" that is not inside
// a quoted attribute value (a quote right behind "=", blanks between allowed,
// up to the same quote). npos when no ">" closes it.
std::size_t TagEnd(std::string_view text, std::size_t open);

}  // namespace pagelark
