#include "links/PageRequisites.h"

#include <algorithm>
#include <array>
#include <string>

#include "links/TagMap.h"
#include "links/TextCursors.h"

namespace pagelark {
namespace {

// Every byte these readers look for lies below 0x40 or is an ASCII letter in
// a place where only names stand, so a CP932 trail byte is never taken for
// one of them where it matters (quotes, "=", ">", blanks, "(", ")").
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// `text` starts with `lowerWord`, letter case aside.
bool StartsWithWord(std::string_view text, std::string_view lowerWord) {
  if (text.size() < lowerWord.size()) return false;
  for (std::size_t i = 0; i < lowerWord.size(); ++i) {
    if (Lower(text[i]) != lowerWord[i]) return false;
  }
  return true;
}

bool SameWord(std::string_view text, std::string_view lowerWord) {
  return text.size() == lowerWord.size() && StartsWithWord(text, lowerWord);
}

// A value without the blanks around it.
RequisiteRef Trimmed(std::string_view text, std::size_t at, std::size_t end, bool styleSheet) {
  while (at < end && IsBlank(text[at])) ++at;
  while (end > at && IsBlank(text[end - 1])) --end;
  return {at, end - at, styleSheet};
}

void AddRef(std::vector<RequisiteRef>& refs, RequisiteRef ref, std::size_t offset) {
  if (ref.size == 0) return;
  ref.at += offset;
  refs.push_back(ref);
}

// ---- Style sheets ----

std::size_t SkipComment(std::string_view css, std::size_t at) {
  const std::size_t end = css.find("*/", at + 2);
  return end == std::string_view::npos ? css.size() : end + 2;
}

// A quoted string from its opening quote; it ends at the same quote or at a
// line break. The value span excludes the quotes; `at` moves past it.
RequisiteRef ReadString(std::string_view css, std::size_t& at, bool styleSheet) {
  const char quote = css[at];
  std::size_t end = at + 1;
  while (end < css.size() && css[end] != quote && css[end] != '\n') ++end;
  const RequisiteRef ref = Trimmed(css, at + 1, end, styleSheet);
  at = end < css.size() ? end + 1 : end;
  return ref;
}

// The argument of "url(", `at` just behind the "(": quoted, or up to ")".
RequisiteRef ReadUrl(std::string_view css, std::size_t& at, bool styleSheet) {
  while (at < css.size() && IsBlank(css[at])) ++at;
  if (at < css.size() && (css[at] == '"' || css[at] == '\'')) {
    const RequisiteRef ref = ReadString(css, at, styleSheet);
    const std::size_t close = css.find(')', at);
    at = close == std::string_view::npos ? css.size() : close + 1;
    return ref;
  }
  const std::size_t close = std::min(css.find(')', at), css.size());
  const RequisiteRef ref = Trimmed(css, at, close, styleSheet);
  at = close < css.size() ? close + 1 : close;
  return ref;
}

bool OpensUrl(std::string_view css, std::size_t at) {
  if (!StartsWithWord(css.substr(at), "url(")) return false;
  const char before = at == 0 ? ' ' : css[at - 1];
  return !(Lower(before) >= 'a' && Lower(before) <= 'z') && before != '-' && before != '_';
}

// An @import: its string or url() names a style sheet.
void ReadImport(std::string_view css, std::size_t& at, std::size_t offset, std::vector<RequisiteRef>& refs) {
  at += std::string_view("@import").size();
  while (at < css.size() && IsBlank(css[at])) ++at;
  if (at >= css.size()) return;
  if (css[at] == '"' || css[at] == '\'') {
    AddRef(refs, ReadString(css, at, true), offset);
  } else if (OpensUrl(css, at)) {
    at += 4;
    AddRef(refs, ReadUrl(css, at, true), offset);
  }
}

// ---- Tags ----

struct Attribute {
  std::string_view name;
  std::size_t at;    // the value's first byte in the page
  std::size_t size;  // the value's length
};

struct Tag {
  std::string_view name;
  std::vector<Attribute> attributes;

  const Attribute* Find(std::string_view lowerName) const {
    for (const Attribute& attribute : attributes) {
      if (SameWord(attribute.name, lowerName)) return &attribute;
    }
    return nullptr;
  }
};

bool EndsName(char c) { return IsBlank(c) || c == '/' || c == '>' || c == '='; }

// The tag's name and attributes, as a browser reads them: names up to a
// blank, "/", "=" or ">"; values quoted or up to a blank or ">".
Tag ReadTag(std::string_view page, TagSpan span) {
  Tag tag;
  const std::size_t close = span.close;
  std::size_t i = span.open + 1;
  const std::size_t nameStart = i;
  while (i < close && !EndsName(page[i])) ++i;
  tag.name = page.substr(nameStart, i - nameStart);
  while (i < close) {
    while (i < close && (IsBlank(page[i]) || page[i] == '/')) ++i;
    const std::size_t start = i;
    while (i < close && !EndsName(page[i])) ++i;
    if (i == start) {
      ++i;  // a stray "="
      continue;
    }
    Attribute attribute{page.substr(start, i - start), i, 0};
    std::size_t j = i;
    while (j < close && IsBlank(page[j])) ++j;
    if (j < close && page[j] == '=') {
      ++j;
      while (j < close && IsBlank(page[j])) ++j;
      if (j < close && (page[j] == '"' || page[j] == '\'')) {
        const std::size_t end = std::min(page.substr(0, close).find(page[j], j + 1), close);
        const RequisiteRef value = Trimmed(page, j + 1, end, false);
        attribute.at = value.at;
        attribute.size = value.size;
        i = end + 1;
      } else {
        std::size_t end = j;
        while (end < close && !IsBlank(page[end])) ++end;
        attribute.at = j;
        attribute.size = end - j;
        i = end;
      }
    }
    tag.attributes.push_back(attribute);
  }
  return tag;
}

// The URLs of a srcset value: candidates split at commas, each a URL up to a
// blank, then a descriptor ("2x", "480w").
void AddSrcset(std::string_view page, const Attribute& srcset, std::vector<RequisiteRef>& refs) {
  const std::size_t end = srcset.at + srcset.size;
  std::size_t i = srcset.at;
  while (i < end) {
    while (i < end && (IsBlank(page[i]) || page[i] == ',')) ++i;
    std::size_t urlEnd = i;
    while (urlEnd < end && !IsBlank(page[urlEnd])) ++urlEnd;
    std::size_t last = urlEnd;
    while (last > i && page[last - 1] == ',') --last;  // "a.png," has no descriptor
    AddRef(refs, {i, last - i, false}, 0);
    i = urlEnd;
    while (i < end && page[i] != ',') ++i;
  }
}

bool RelHolds(std::string_view rel, std::string_view lowerToken) {
  for (std::size_t i = 0; i < rel.size();) {
    while (i < rel.size() && IsBlank(rel[i])) ++i;
    std::size_t end = i;
    while (end < rel.size() && !IsBlank(rel[end])) ++end;
    if (SameWord(rel.substr(i, end - i), lowerToken)) return true;
    i = end;
  }
  return false;
}

// What a <link> brings: style sheets, icons and preloaded files.
std::optional<bool> LinkKind(std::string_view page, const Tag& tag) {
  const Attribute* rel = tag.Find("rel");
  if (rel == nullptr) return std::nullopt;
  const std::string_view value = page.substr(rel->at, rel->size);
  if (RelHolds(value, "stylesheet")) return true;
  constexpr std::array<std::string_view, 5> kOthers = {"icon", "apple-touch-icon", "mask-icon", "preload",
                                                       "modulepreload"};
  for (std::string_view token : kOthers) {
    if (RelHolds(value, token)) return false;
  }
  return std::nullopt;
}

// The attributes of each tag name that name a file the page needs.
struct TagRule {
  std::string_view tag;
  std::array<std::string_view, 2> attributes;
};
constexpr std::array<TagRule, 13> kTagRules = {{
    {"img", {"src", "srcset"}},
    {"source", {"src", "srcset"}},
    {"script", {"src", ""}},
    {"video", {"src", "poster"}},
    {"audio", {"src", ""}},
    {"track", {"src", ""}},
    {"embed", {"src", ""}},
    {"object", {"data", ""}},
    {"body", {"background", ""}},
    {"table", {"background", ""}},
    {"td", {"background", ""}},
    {"th", {"background", ""}},
    {"input", {"src", ""}},
}};

void AddTagRefs(std::string_view page, const Tag& tag, std::vector<RequisiteRef>& refs) {
  if (SameWord(tag.name, "link")) {
    const Attribute* href = tag.Find("href");
    if (const auto styleSheet = LinkKind(page, tag); styleSheet && href != nullptr) {
      AddRef(refs, {href->at, href->size, *styleSheet}, 0);
    }
  } else if (SameWord(tag.name, "input")) {
    const Attribute* type = tag.Find("type");
    const Attribute* src = tag.Find("src");
    if (type != nullptr && src != nullptr && SameWord(page.substr(type->at, type->size), "image")) {
      AddRef(refs, {src->at, src->size, false}, 0);
    }
  } else {
    for (const TagRule& rule : kTagRules) {
      if (!SameWord(tag.name, rule.tag)) continue;
      for (std::string_view name : rule.attributes) {
        const Attribute* attribute = name.empty() ? nullptr : tag.Find(name);
        if (attribute == nullptr) continue;
        if (name == "srcset") {
          AddSrcset(page, *attribute, refs);
        } else {
          AddRef(refs, {attribute->at, attribute->size, false}, 0);
        }
      }
    }
  }
  if (const Attribute* style = tag.Find("style")) {
    FindStyleRefs(page.substr(style->at, style->size), style->at, refs);
  }
}

// Whether a tag can name a requisite: a link, a style element, a tag the
// rules name, or any tag whose text holds "style" (a style attribute, in any
// case; `style` finds it in the lower-case twin of the page). The attributes
// of every other tag (p, a, span, most of a page) are never read.
bool MayHoldRequisite(std::string_view page, TagSpan span, NextOccurrence& style) {
  std::size_t nameEnd = span.open + 1;
  while (nameEnd < span.close && !EndsName(page[nameEnd])) ++nameEnd;
  const std::string_view name = page.substr(span.open + 1, nameEnd - span.open - 1);
  if (SameWord(name, "link") || SameWord(name, "style")) return true;
  if (std::any_of(kTagRules.begin(), kTagRules.end(), [&](const TagRule& rule) { return SameWord(name, rule.tag); })) {
    return true;
  }
  // A name ends at a byte below 0x40, so the search starts on a character
  // boundary; an attribute's name always does too.
  const std::size_t at = style.From(nameEnd);
  return at != cp932::npos && at + style.size() <= span.close;
}

}  // namespace

void FindStyleRefs(std::string_view css, std::size_t offset, std::vector<RequisiteRef>& refs) {
  for (std::size_t at = 0; at < css.size();) {
    const char c = css[at];
    if (c == '/' && at + 1 < css.size() && css[at + 1] == '*') {
      at = SkipComment(css, at);
    } else if (c == '"' || c == '\'') {
      ReadString(css, at, false);
    } else if (c == '@' && StartsWithWord(css.substr(at), "@import")) {
      ReadImport(css, at, offset, refs);
    } else if (OpensUrl(css, at)) {
      at += 4;
      AddRef(refs, ReadUrl(css, at, false), offset);
    } else {
      ++at;
    }
  }
}

std::vector<RequisiteRef> FindPageRequisites(std::string_view page) {
  const std::string lower = cp932::ToLower(page);
  return FindPageRequisites(page, lower, TagMap(lower));
}

std::vector<RequisiteRef> FindPageRequisites(std::string_view page, std::string_view lower, const TagMap& map) {
  std::vector<RequisiteRef> refs;
  const std::vector<TagSpan>& tags = map.tags();
  NextOccurrence style(lower, "style");
  for (std::size_t i = 0; i < tags.size(); ++i) {
    if (!MayHoldRequisite(page, tags[i], style)) continue;
    const Tag tag = ReadTag(page, tags[i]);
    AddTagRefs(page, tag, refs);
    // A style element's text runs up to the next tag, its end tag.
    if (SameWord(tag.name, "style")) {
      const std::size_t start = tags[i].close + 1;
      const std::size_t end = i + 1 < tags.size() ? tags[i + 1].open : page.size();
      FindStyleRefs(page.substr(start, end - start), start, refs);
    }
  }
  // In page order: a tag's attributes come in any order.
  std::stable_sort(refs.begin(), refs.end(), [](const RequisiteRef& a, const RequisiteRef& b) { return a.at < b.at; });
  return refs;
}

std::optional<BaseHref> FindBaseHref(std::string_view page) { return FindBaseHref(page, TagMap(page)); }

std::optional<BaseHref> FindBaseHref(std::string_view page, const TagMap& map) {
  for (const TagSpan& span : map.tags()) {
    const Tag tag = ReadTag(page, span);
    if (!SameWord(tag.name, "base")) continue;
    if (const Attribute* href = tag.Find("href")) {
      return BaseHref{span.open, span.close + 1, RequisiteRef{href->at, href->size, false}};
    }
  }
  return std::nullopt;
}

}  // namespace pagelark
