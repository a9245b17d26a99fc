// The page being processed and its lower-case twin. The twin always equals
// the lower-cased text, so an offset found in one is valid in the other and a
// scan pass lower-cases nothing itself.
#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pagelark {

class PageText {
 public:
  void Assign(std::string text);
  // For a caller that built both texts side by side; `lower` must be the
  // lower-cased form of `text`.
  void Assign(std::string text, std::string lower);
  void Clear();

  const std::string& pageText() const { return text_; }
  const std::string& pageTextLower() const { return lower_; }

  // Empty buffers that still hold the memory of the texts replaced last, so
  // that a rewrite pass builds the next texts without fresh memory.
  void TakeSpareBuffers(std::string& text, std::string& lower);

 private:
  std::string text_;
  std::string lower_;
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

// The links of one scan pass with their targets, replaced in one sweep over
// the page: every whole link value that equals (ignoring letter case) one of
// the links becomes that link's target. Of whole values that overlap, the one
// that starts first (and of those the longest) is replaced.
class LinkValueReplacer {
 public:
  // Adds a lower-cased link, which must stay valid until Apply. False, and
  // nothing added, when the link was added before: the first decides.
  bool Add(std::string_view link, std::string target);
  bool Has(std::string_view link) const { return byText_.contains(link); }

  void Apply(PageText& page) const;

 private:
  struct Value {
    std::size_t start;
    std::size_t end;
    const std::string* target;
  };
  std::vector<Value> FindWholeValues(std::string_view lower) const;
  void AddPlainValues(std::string_view lower, std::vector<Value>& found) const;
  void AddSpanningValues(std::string_view lower, std::vector<Value>& found) const;
  const std::string* PlainTarget(std::string_view stretch) const;

  // Most links hold no delimiter that ends a value, so they can only stand as
  // the whole stretch from a value's start to the next such delimiter; a
  // stretch is looked up only when a link of its length, first and last byte
  // exists. The few links that do hold one are searched for one by one.
  std::unordered_map<std::string_view, std::string> byText_;
  std::vector<bool> lengths_;
  std::bitset<256> firstBytes_;
  std::bitset<256> lastBytes_;
  std::vector<std::string_view> spanning_;
};

}  // namespace pagelark
