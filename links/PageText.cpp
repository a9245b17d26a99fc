#include "links/PageText.h"

#include <algorithm>
#include <utility>

#include "platform/cp932.h"

namespace pagelark {
namespace {

// All delimiters lie below 0x40: a byte search finds them only at character
// boundaries, and a whole value always consists of whole characters.
constexpr std::string_view kValueOpeners = "\"'= \t\r\n";
constexpr std::string_view kValueClosers = "\"' \t\r\n>#";

bool IsOpener(char c) { return kValueOpeners.find(c) != std::string_view::npos; }
bool IsCloser(char c) { return kValueClosers.find(c) != std::string_view::npos; }

}  // namespace

void PageText::Assign(std::string text) {
  lower_ = cp932::ToLower(text);
  text_ = std::move(text);
}

void PageText::Assign(std::string text, std::string lower) {
  spareText_ = std::exchange(text_, std::move(text));
  spareLower_ = std::exchange(lower_, std::move(lower));
}

void PageText::Clear() { *this = PageText(); }

void PageText::TakeSpareBuffers(std::string& text, std::string& lower) {
  text = std::move(spareText_);
  lower = std::move(spareLower_);
  text.clear();
  lower.clear();
}

void ValueReplacer::Add(std::size_t start, std::size_t end, std::string target) {
  if (!values_.empty() && start < values_.back().end) return;
  values_.push_back({start, end, std::move(target)});
}

bool WithinSpans(const std::vector<TextSpan>& spans, std::size_t start, std::size_t end) {
  const auto behind = std::upper_bound(spans.begin(), spans.end(), start,
                                       [](std::size_t at, const TextSpan& span) { return at < span.start; });
  return behind != spans.begin() && end <= std::prev(behind)->end;
}

void ValueReplacer::Apply(PageText& page, std::vector<TextSpan>& written) const {
  if (values_.empty()) return;
  std::vector<TextSpan> moved;
  moved.reserve(written.size() + values_.size());
  auto earlier = written.begin();
  std::size_t grown = 0, shrunk = 0;  // how the text before the current point changed
  for (const Value& value : values_) {
    for (; earlier != written.end() && earlier->start < value.start; ++earlier) {
      moved.push_back({earlier->start + grown - shrunk, earlier->end + grown - shrunk});
    }
    const std::size_t start = value.start + grown - shrunk;
    moved.push_back({start, start + value.target.size()});
    grown += value.target.size();
    shrunk += value.end - value.start;
  }
  for (; earlier != written.end(); ++earlier) {
    moved.push_back({earlier->start + grown - shrunk, earlier->end + grown - shrunk});
  }
  written = std::move(moved);
  const std::string_view text = page.pageText();
  const std::string_view lower = page.pageTextLower();
  std::string outText, outLower;
  page.TakeSpareBuffers(outText, outLower);
  outText.reserve(text.size());
  outLower.reserve(text.size());
  std::size_t cursor = 0;
  for (const Value& value : values_) {
    outText.append(text.substr(cursor, value.start - cursor)).append(value.target);
    outLower.append(lower.substr(cursor, value.start - cursor)).append(cp932::ToLower(value.target));
    cursor = value.end;
  }
  outText.append(text.substr(cursor));
  outLower.append(lower.substr(cursor));
  page.Assign(std::move(outText), std::move(outLower));
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
      replacer.Add(at, end, std::string(replacement));
      cursor = end;
    } else {
      cursor = at + cp932::CharLength(lower, at);
    }
  }
  std::vector<TextSpan> written;
  replacer.Apply(page, written);
}

}  // namespace pagelark
