#include "links/PageText.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <utility>

#include "links/ByteSets.h"
#include "platform/cp932.h"

namespace pagelark {
namespace {

// All delimiters lie below 0x40: a byte search finds them only at character
// boundaries, and a whole value always consists of whole characters.
constexpr std::string_view kValueOpeners = "\"'= \t\r\n";
constexpr std::string_view kValueClosers = "\"' \t\r\n>#";

bool IsOpener(char c) { return kValueOpeners.find(c) != std::string_view::npos; }
bool IsCloser(char c) { return kValueClosers.find(c) != std::string_view::npos; }

// Room for a text of `size` bytes and for what the passes to come add to it.
std::size_t WithRoomToGrow(std::size_t size) { return size + size / 8; }

// A spare buffer too small for `size` bytes is replaced by one with room to
// grow (WithRoomToGrow), rather than grown to twice its size: less fresh
// memory to touch.
void MakeRoom(std::string& buffer, std::size_t size) {
  if (buffer.capacity() >= size) return;
  buffer = std::string();
  buffer.reserve(WithRoomToGrow(size));
}

// What decides where a tag ends (TagEnd): ">", quotes, blanks and an "="
// right before a quote; and "<", which opens tags.
constexpr std::uint64_t kTagBytes = BitsOf("<>\"' \t\n\r\f");
// Outside a tag, where the text may stand in a comment, a "-" too: it could
// make or break the "-->" that ends the comment.
constexpr std::uint64_t kTagOrCommentBytes = kTagBytes | BitsOf("-");

// True when writing `text` in place of other such text moves no tag
// boundary: it holds no tag byte (nor, outside a tag, a "-") and does not end
// in "=", so TagEnd reads it as it read what stood there.
bool LeavesTagsWhole(std::string_view text, bool inTag) {
  const std::uint64_t bytes = inTag ? kTagBytes : kTagOrCommentBytes;
  return !text.empty() && std::none_of(text.begin(), text.end(), [bytes](char c) { return InSet(bytes, c); }) &&
         !text.ends_with('=');
}

// What may stand right before a value that keeps the tags: no "<" or "</"
// and no letter, so that the value is no part of a tag's name, which decides
// whether a tag opens at all and whether it opens or ends a script or style
// element. (The values of the scan passes stand behind "=", a blank, a
// quote, "," or "(".)
bool MayStandBeforeValue(char c) { return c != '<' && c != '/' && !((c | 0x20) >= 'a' && (c | 0x20) <= 'z'); }

}  // namespace

void PageText::Assign(std::string text) {
  // Made with room to grow: handed on as a spare, it holds a later text.
  lower_ = std::string();
  lower_.reserve(WithRoomToGrow(text.size()));
  cp932::AppendLower(lower_, text);
  text_ = std::move(text);
  tags_.reset();
}

void PageText::AssignCopy(std::string_view text) {
  std::string copy = std::move(spareText_);
  std::string lower = std::move(spareLower_);
  copy.clear();
  lower.clear();
  MakeRoom(copy, text.size());
  MakeRoom(lower, text.size());
  copy.append(text);
  cp932::AppendLower(lower, text);
  Assign(std::move(copy), std::move(lower));
}

void PageText::Assign(std::string text, std::string lower, std::optional<TagMap> tags) {
  spareText_ = std::exchange(text_, std::move(text));
  spareLower_ = std::exchange(lower_, std::move(lower));
  tags_ = std::move(tags);
}

const TagMap& PageText::Tags() {
  if (!tags_) tags_.emplace(lower_);
  return *tags_;
}

void PageText::Clear() { *this = PageText(); }

void PageText::TakeSpareBuffers(std::string& text, std::string& lower) {
  text = std::move(spareText_);
  lower = std::move(spareLower_);
  text.clear();
  lower.clear();
}

void ValueReplacer::Add(std::size_t start, std::size_t end, std::string_view target) {
  if (!values_.empty() && start < values_.back().end) return;
  values_.push_back({start, end, targets_.size(), target.size()});
  targets_.append(target);
}

void ValueReplacer::Clear() {
  values_.clear();
  targets_.clear();
}

bool MeetsSpans(const std::vector<TextSpan>& spans, std::size_t start, std::size_t end) {
  // The first span that ends behind `start` overlaps when it starts before
  // `end`. The last span that starts at or before `start` is that one or the
  // one before it (any later span starts behind `start`).
  const auto ending = std::upper_bound(spans.begin(), spans.end(), start,
                                       [](std::size_t at, const TextSpan& span) { return at < span.end; });
  const auto holds = [&](const TextSpan& span) { return span.start <= start && end <= span.end; };
  if (ending != spans.end() && (ending->start < end || holds(*ending))) return true;
  return ending != spans.begin() && holds(*std::prev(ending));
}

void ValueReplacer::Apply(PageText& page, std::vector<TextSpan>& written) {
  if (values_.empty()) return;
  MoveSpans(written);
  std::optional<TagMap> tags = page.TakeTags();
  if (tags && KeepsTags(page.pageText(), *tags)) {
    MoveTags(*tags);
  } else {
    tags.reset();
  }
  if (RewriteInPlace(page.text_, page.lower_)) {
    page.tags_ = std::move(tags);
  } else {
    RewriteIntoSpares(page, std::move(tags));
  }
}

// How much longer the text gets with the value in place of what it replaces.
std::ptrdiff_t ValueReplacer::GrowthOf(const Value& value) {
  return static_cast<std::ptrdiff_t>(value.targetSize) - static_cast<std::ptrdiff_t>(value.end - value.start);
}

// Rewrites both texts where they stand, when no stretch between values moves
// left while another moves right: the stretches then move one way, and a
// sweep in that direction never overwrites text it has still to read. False,
// with the texts as they were, when that does not hold or the texts lack the
// room to grow.
bool ValueReplacer::RewriteInPlace(std::string& text, std::string& lower) const {
  std::ptrdiff_t shift = 0;  // how far the stretch behind the current value moves
  bool left = false, right = false;
  for (const Value& value : values_) {
    shift += GrowthOf(value);
    left = left || shift < 0;
    right = right || shift > 0;
  }
  const std::size_t size = text.size() + static_cast<std::size_t>(shift);
  if ((left && right) || size > text.capacity() || size > lower.capacity()) return false;
  TwinTexts texts{text, lower};
  if (right) {
    RewriteBackwards(texts, size);
  } else {
    RewriteForwards(texts, size);
  }
  return true;
}

// Growing: from the end backwards, into the room behind the text.
void ValueReplacer::RewriteBackwards(TwinTexts texts, std::size_t size) const {
  std::size_t stretchEnd = texts.text.size();
  std::size_t shift = size - stretchEnd;  // how far the stretch behind the current value moves
  texts.text.resize(size);
  texts.lower.resize(size);
  for (auto value = values_.rbegin(); value != values_.rend(); ++value) {
    texts.Move(value->end, value->end + shift, stretchEnd - value->end);
    shift -= static_cast<std::size_t>(GrowthOf(*value));
    texts.Write(value->start + shift, TargetOf(*value));
    stretchEnd = value->start;
  }
}

// Shrinking or keeping its length: from the start forwards.
void ValueReplacer::RewriteForwards(TwinTexts texts, std::size_t size) const {
  std::size_t shift = 0;  // negative, as an unsigned number that wraps
  std::size_t cursor = 0;
  for (const Value& value : values_) {
    if (shift != 0) texts.Move(cursor, cursor + shift, value.start - cursor);
    texts.Write(value.start + shift, TargetOf(value));
    shift += static_cast<std::size_t>(GrowthOf(value));
    cursor = value.end;
  }
  if (shift != 0) texts.Move(cursor, cursor + shift, texts.text.size() - cursor);
  texts.text.resize(size);
  texts.lower.resize(size);
}

void ValueReplacer::TwinTexts::Move(std::size_t from, std::size_t to, std::size_t count) {
  std::memmove(text.data() + to, text.data() + from, count);
  std::memmove(lower.data() + to, lower.data() + from, count);
}

void ValueReplacer::TwinTexts::Write(std::size_t at, std::string_view target) {
  std::memcpy(text.data() + at, target.data(), target.size());
  std::memcpy(lower.data() + at, target.data(), target.size());
  cp932::MakeLower(std::span<char>(lower.data() + at, target.size()));
}

// Writes the rewritten texts into the page's spare buffers.
void ValueReplacer::RewriteIntoSpares(PageText& page, std::optional<TagMap> tags) const {
  std::string text, lower;
  page.TakeSpareBuffers(text, lower);
  // A buffer made new gets room for the growth of the passes to come
  // (MakeRoom), so that handed back as a spare it holds the next texts.
  const std::size_t size = page.pageText().size() + Growth();
  MakeRoom(text, size);
  MakeRoom(lower, size);
  std::size_t cursor = 0;
  for (const Value& value : values_) {
    const std::string_view target = TargetOf(value);
    text.append(page.pageText(), cursor, value.start - cursor).append(target);
    lower.append(page.pageTextLower(), cursor, value.start - cursor);
    cp932::AppendLower(lower, target);
    cursor = value.end;
  }
  text.append(page.pageText(), cursor);
  lower.append(page.pageTextLower(), cursor);
  page.Assign(std::move(text), std::move(lower), std::move(tags));
}

// How much longer the text gets (unsigned: wraps when it gets shorter).
std::size_t ValueReplacer::Growth() const {
  std::size_t growth = 0;
  for (const Value& value : values_) growth += static_cast<std::size_t>(GrowthOf(value));
  return growth;
}

// Written into a buffer of the replacer's own, which then trades places with
// `written`: a replacer kept from pass to pass moves the spans without
// making a new list each time.
void ValueReplacer::MoveSpans(std::vector<TextSpan>& written) {
  std::vector<TextSpan>& moved = movedSpans_;
  moved.clear();
  moved.reserve(written.size() + values_.size());
  auto earlier = written.begin();
  std::size_t grown = 0, shrunk = 0;  // how the text before the current point changed
  for (const Value& value : values_) {
    for (; earlier != written.end() && earlier->start < value.start; ++earlier) {
      moved.push_back({earlier->start + grown - shrunk, earlier->end + grown - shrunk});
    }
    const std::size_t start = value.start + grown - shrunk;
    moved.push_back({start, start + value.targetSize});
    grown += value.targetSize;
    shrunk += value.end - value.start;
  }
  for (; earlier != written.end(); ++earlier) {
    moved.push_back({earlier->start + grown - shrunk, earlier->end + grown - shrunk});
  }
  written.swap(moved);
}

// Every value, and what it becomes, must leave the tags whole.
bool ValueReplacer::KeepsTags(std::string_view page, const TagMap& tags) const {
  const std::vector<TagSpan>& spans = tags.tags();
  std::size_t tag = 0;
  for (const Value& value : values_) {
    while (tag < spans.size() && spans[tag].close < value.start) ++tag;
    const bool inTag = tag < spans.size() && spans[tag].open < value.start && value.end <= spans[tag].close;
    const std::string_view old = page.substr(value.start, value.end - value.start);
    if (value.start > 0 && !MayStandBeforeValue(page[value.start - 1])) return false;
    if (!LeavesTagsWhole(old, inTag) || !LeavesTagsWhole(TargetOf(value), inTag)) return false;
  }
  return true;
}

// Each tag moved by the change in length of the values before its "<" and
// before its ">" (no value that keeps the tags spans either).
void ValueReplacer::MoveTags(TagMap& tags) const {
  auto next = values_.begin();
  std::size_t grown = 0, shrunk = 0;
  const auto movedTo = [&](std::size_t at) {
    for (; next != values_.end() && next->start < at; ++next) {
      grown += next->targetSize;
      shrunk += next->end - next->start;
    }
    return at + grown - shrunk;
  };
  tags.Move(movedTo);
}

void ReplaceInPage(PageText& page, std::string_view old, std::string_view replacement, MatchScope scope) {
  const std::string key = cp932::ToLower(old);
  if (key.empty()) return;
  const std::string_view lower = page.pageTextLower();
  ValueReplacer replacer;
  std::size_t cursor = 0;
  for (std::size_t at = cp932::Find(lower, key); at != cp932::npos; at = cp932::Find(lower, key, cursor)) {
    const std::size_t end = at + key.size();
    const bool whole = (at == 0 || IsOpener(lower[at - 1])) && (end == lower.size() || IsCloser(lower[end]));
    if (scope == MatchScope::kAnywhere || whole) {
      replacer.Add(at, end, replacement);
      cursor = end;
    } else {
      cursor = at + cp932::CharLength(lower, at);
    }
  }
  std::vector<TextSpan> written;
  replacer.Apply(page, written);
}

}  // namespace pagelark
