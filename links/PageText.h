// The page being processed and its lower-case twin. The twin always equals
// the lower-cased text, so an offset found in one is valid in the other and a
// scan pass lower-cases nothing itself. The page's tags are mapped once and
// kept while rewrites leave every tag whole, so that the passes share one map.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "links/TagMap.h"

namespace pagelark {

class PageText {
 public:
  void Assign(std::string text);
  // Copies `text` into buffers this page text kept from the texts before, so
  // that the pages of a run, one after another, reuse one set of buffers
  // rather than touching fresh memory for each.
  void AssignCopy(std::string_view text);
  // For a caller that built both texts side by side; `lower` must be the
  // lower-cased form of `text`, and `tags`, when given, its TagMap.
  void Assign(std::string text, std::string lower, std::optional<TagMap> tags = std::nullopt);
  void Clear();

  const std::string& pageText() const { return text_; }
  const std::string& pageTextLower() const { return lower_; }

  // The tags of the page (TagMap), mapped on first use.
  const TagMap& Tags();
  // The map, when it was made already.
  const std::optional<TagMap>& mappedTags() const { return tags_; }
  // The map taken out (for a rewrite to move it along and hand it back).
  std::optional<TagMap> TakeTags() { return std::exchange(tags_, std::nullopt); }

  // Empty buffers that still hold the memory of the texts replaced last, so
  // that a rewrite pass builds the next texts without fresh memory.
  void TakeSpareBuffers(std::string& text, std::string& lower);

 private:
  // A rewrite writes into the texts where it can (ValueReplacer::Apply).
  friend class ValueReplacer;

  std::string text_;
  std::string lower_;
  std::optional<TagMap> tags_;
  std::string spareText_;
  std::string spareLower_;
};

// Where ReplaceInPage matches.
enum class MatchScope {
  kWholeValue,  // only where the text stands as a whole link value
  kAnywhere,    // every occurrence, also inside longer words
};

// Replaces every occurrence of `old` (not empty), compared without regard to
// letter case, by `replacement`, left to right. A whole link value is
// delimited on its left by a quote, "=", a blank or the start of the page,
// and on its right by a quote, a blank, ">", the "#" of a fragment or the end
// of the page: replacing 'a.html' leaves 'data.html' alone.
void ReplaceInPage(PageText& page, std::string_view old, std::string_view replacement, MatchScope scope);

// A stretch [start, end) of the page.
struct TextSpan {
  std::size_t start;
  std::size_t end;
};

// True when [start, end) lies inside one of `spans` (sorted, not overlapping)
// or overlaps one: a value that holds text written by an earlier pass (read
// from further out than that pass read it) is not a link of the site either.
bool MeetsSpans(const std::vector<TextSpan>& spans, std::size_t start, std::size_t end);

// Link values found at known places of the page, each with its target,
// replaced in one sweep: nothing else in the page changes.
class ValueReplacer {
 public:
  // The value [start, end) of the page becomes `target`. Values are added in
  // page order; one that overlaps the value added before it is ignored.
  void Add(std::size_t start, std::size_t end, std::string_view target);
  bool empty() const { return values_.empty(); }
  // Forgets the values added, keeping the memory that held them.
  void Clear();

  // Rewrites the page. `written` holds the values written into the page
  // before (none of which may be replaced now); they are moved to their new
  // places, and the values written now are added. The page's tag map is
  // moved along when no value could have changed a tag, else dropped.
  void Apply(PageText& page, std::vector<TextSpan>& written);

 private:
  // The targets stand one after another in targets_, so that a pass with
  // many links does not allocate a text for each.
  struct Value {
    std::size_t start;
    std::size_t end;
    std::size_t targetAt;
    std::size_t targetSize;
  };
  std::string_view TargetOf(const Value& value) const {
    return std::string_view(targets_).substr(value.targetAt, value.targetSize);
  }
  void MoveSpans(std::vector<TextSpan>& written);
  std::size_t Growth() const;
  // The page's text and its lower-case twin, rewritten side by side.
  struct TwinTexts {
    std::string& text;
    std::string& lower;
    void Move(std::size_t from, std::size_t to, std::size_t count);
    void Write(std::size_t at, std::string_view target);
  };
  static std::ptrdiff_t GrowthOf(const Value& value);
  bool RewriteInPlace(std::string& text, std::string& lower) const;
  void RewriteBackwards(TwinTexts texts, std::size_t size) const;
  void RewriteForwards(TwinTexts texts, std::size_t size) const;
  void RewriteIntoSpares(PageText& page, std::optional<TagMap> tags) const;
  bool KeepsTags(std::string_view page, const TagMap& tags) const;
  void MoveTags(TagMap& tags) const;
  std::vector<Value> values_;
  std::string targets_;
  std::vector<TextSpan> movedSpans_;  // the spans being moved; then the buffer of the ones before
};

}  // namespace pagelark
