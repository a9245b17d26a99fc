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

// Membership of each byte value in a delimiter set.
class ByteSet {
 public:
  constexpr explicit ByteSet(std::string_view members) {
    for (char c : members) in_[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool operator()(char c) const { return in_[static_cast<unsigned char>(c)]; }

  // The first member at or after `from`, or text.size().
  std::size_t FirstIn(std::string_view text, std::size_t from) const {
    while (from < text.size() && !in_[static_cast<unsigned char>(text[from])]) ++from;
    return std::min(from, text.size());
  }

 private:
  bool in_[256] = {};
};

constexpr ByteSet IsOpener(kValueOpeners);
constexpr ByteSet IsCloser(kValueClosers);

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

bool LinkValueReplacer::Add(std::string_view link, std::string target) {
  if (link.empty() || !byText_.try_emplace(link, std::move(target)).second) return false;
  if (link.find_first_of(kValueClosers) != std::string_view::npos) {
    spanning_.push_back(link);
    return true;
  }
  if (link.size() >= lengths_.size()) lengths_.resize(link.size() + 1);
  lengths_[link.size()] = true;
  firstBytes_.set(static_cast<unsigned char>(link.front()));
  lastBytes_.set(static_cast<unsigned char>(link.back()));
  return true;
}

void LinkValueReplacer::Apply(PageText& page) const {
  const std::string_view text = page.pageText();
  const std::string_view lower = page.pageTextLower();
  std::string outText, outLower;
  page.TakeSpareBuffers(outText, outLower);
  outText.reserve(text.size());
  outLower.reserve(text.size());
  std::size_t cursor = 0;
  for (const Value& value : FindWholeValues(lower)) {
    if (value.start < cursor) continue;  // overlaps a value replaced already
    outText.append(text.substr(cursor, value.start - cursor)).append(*value.target);
    outLower.append(lower.substr(cursor, value.start - cursor)).append(cp932::ToLower(*value.target));
    cursor = value.end;
  }
  outText.append(text.substr(cursor));
  outLower.append(lower.substr(cursor));
  page.Assign(std::move(outText), std::move(outLower));
}

std::vector<LinkValueReplacer::Value> LinkValueReplacer::FindWholeValues(std::string_view lower) const {
  std::vector<Value> found;
  AddPlainValues(lower, found);
  if (!spanning_.empty()) {
    AddSpanningValues(lower, found);
    std::sort(found.begin(), found.end(),
              [](const Value& a, const Value& b) { return a.start != b.start ? a.start < b.start : a.end > b.end; });
  }
  return found;
}

void LinkValueReplacer::AddPlainValues(std::string_view lower, std::vector<Value>& found) const {
  std::size_t closer = IsCloser.FirstIn(lower, 0);
  for (std::size_t start = 0; start <= lower.size(); start = IsOpener.FirstIn(lower, start) + 1) {
    if (closer < start) closer = IsCloser.FirstIn(lower, start);
    if (const std::string* target = PlainTarget(lower.substr(start, closer - start))) {
      found.push_back({start, closer, target});
    }
  }
}

const std::string* LinkValueReplacer::PlainTarget(std::string_view stretch) const {
  if (stretch.empty() || stretch.size() >= lengths_.size() || !lengths_[stretch.size()]) return nullptr;
  if (!firstBytes_[static_cast<unsigned char>(stretch.front())]) return nullptr;
  if (!lastBytes_[static_cast<unsigned char>(stretch.back())]) return nullptr;
  const auto it = byText_.find(stretch);
  return it == byText_.end() ? nullptr : &it->second;
}

void LinkValueReplacer::AddSpanningValues(std::string_view lower, std::vector<Value>& found) const {
  for (std::string_view link : spanning_) {
    const std::string* target = &byText_.at(link);
    for (std::size_t at = cp932::Find(lower, link); at != cp932::npos;
         at = cp932::Find(lower, link, at + cp932::CharLength(lower, at))) {
      const std::size_t end = at + link.size();
      if ((at == 0 || IsOpener(lower[at - 1])) && (end == lower.size() || IsCloser(lower[end]))) {
        found.push_back({at, end, target});
      }
      if (end >= lower.size()) break;
    }
  }
}

void ReplaceInPage(PageText& page, std::string_view old, std::string_view replacement, MatchScope scope) {
  const std::string key = cp932::ToLower(old);
  if (key.empty()) return;
  if (scope == MatchScope::kWholeValue) {
    LinkValueReplacer replacer;
    replacer.Add(key, std::string(replacement));
    replacer.Apply(page);
    return;
  }
  const std::string_view text = page.pageText();
  const std::string_view lower = page.pageTextLower();
  std::string out;
  std::size_t cursor = 0;
  for (std::size_t at = cp932::Find(lower, key); at != cp932::npos; at = cp932::Find(lower, key, cursor)) {
    out.append(text.substr(cursor, at - cursor)).append(replacement);
    cursor = at + key.size();
  }
  out.append(text.substr(cursor));
  page.Assign(std::move(out));
}

}  // namespace pagelark
