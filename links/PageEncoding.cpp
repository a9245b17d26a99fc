#include "links/PageEncoding.h"

#include <algorithm>
#include <array>
#include <optional>

#include "links/UriReference.h"
#include "platform/cp932.h"

namespace pagelark {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kMetaWindow = 4096;

std::optional<PageEncoding> FromLabel(std::string_view label) {
  const std::string lower = cp932::ToLower(label);
  constexpr std::array<std::string_view, 2> kUtf8 = {"utf-8", "utf8"};
  constexpr std::array<std::string_view, 4> kEucJp = {"euc-jp", "x-euc-jp", "eucjp", "cseucpkdfmtjapanese"};
  constexpr std::array<std::string_view, 8> kCp932 = {"shift_jis",   "shift-jis", "sjis",  "x-sjis",
                                                      "windows-31j", "cp932",     "ms932", "ms_kanji"};
  for (std::string_view name : kUtf8) {
    if (lower == name) return PageEncoding::kUtf8;
  }
  for (std::string_view name : kEucJp) {
    if (lower == name) return PageEncoding::kEucJp;
  }
  for (std::string_view name : kCp932) {
    if (lower == name) return PageEncoding::kCp932;
  }
  return std::nullopt;
}

// The label behind the first "charset" in `text` (lower-cased), or none.
std::optional<PageEncoding> CharsetIn(std::string_view lower) {
  for (std::size_t at = lower.find("charset"); at != std::string_view::npos; at = lower.find("charset", at + 1)) {
    std::size_t i = at + 7;
    while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t')) ++i;
    if (i >= lower.size() || lower[i] != '=') continue;
    ++i;
    while (i < lower.size() && (lower[i] == ' ' || lower[i] == '"' || lower[i] == '\'')) ++i;
    std::size_t end = i;
    while (end < lower.size() && std::string_view(" \t\"';>/\r\n").find(lower[end]) == std::string_view::npos) ++end;
    if (const auto encoding = FromLabel(lower.substr(i, end - i))) return encoding;
  }
  return std::nullopt;
}

// The length of the UTF-8 character at `i`, 0 when the bytes there form none.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  const std::size_t length = b0 < 0x80 ? 1 : (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || i + length > text.size() || (length == 2 && b0 < 0xC2)) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Some byte beyond ASCII, and every one of them in UTF-8 characters.
bool IsUtf8(std::string_view text) {
  bool wide = false;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8Length(text, i);
    if (length == 0) return false;
    wide |= length > 1;
    i += length;
  }
  return wide;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsEucByte(unsigned char c) { return c >= 0xA1 && c <= 0xFE; }

// Some byte beyond ASCII, and every one of them in EUC-JP characters.
bool IsEucJp(std::string_view text) {
  bool wide = false;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const auto at = [&](std::size_t k) -> unsigned char {
      return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
    };
    if (c < 0x80) {
      ++i;
    } else if (IsEucByte(c) && IsEucByte(at(1))) {
      i += 2;
    } else if (c == 0x8E && at(1) >= 0xA1 && at(1) <= 0xDF) {
      i += 2;
    } else if (c == 0x8F && IsEucByte(at(1)) && IsEucByte(at(2))) {
      i += 3;
    } else {
      return false;
    }
    wide |= c >= 0x80;
  }
  return wide;
}

void AppendEscaped(std::string& out, std::string_view bytes) {
  for (char c : bytes) AppendPercentEscape(out, static_cast<unsigned char>(c));
}

// Whether a percent escape of a byte beyond ASCII stands at `i`.
bool WideEscapeAt(std::string_view text, std::size_t i) { return PercentByteAt(text, i) >= 0x80; }

// One UTF-8 character as CP932 when CP932 holds it, else as its escapes.
void AppendCharacter(std::string& out, std::string_view utf8) {
  const std::string cp932 = cp932::FromUtf8(utf8);
  if (cp932::ToUtf8(cp932) == utf8) {
    out += cp932;
  } else {
    AppendEscaped(out, utf8);
  }
}

// UTF-8 bytes (from escapes or raw): each character written as CP932, each
// stray byte as its escape.
void AppendUtf8Run(std::string& out, std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = Utf8Length(bytes, i);
    if (length == 0) {
      AppendEscaped(out, bytes.substr(i, 1));
      ++i;
    } else {
      AppendCharacter(out, bytes.substr(i, length));
      i += length;
    }
  }
}

// A run of "%XX" escapes beyond ASCII from `i`: their bytes; `i` moves past.
std::string TakeEscapes(std::string_view text, std::size_t& i) {
  std::string bytes;
  while (i < text.size()) {
    if (!WideEscapeAt(text, i)) break;
    bytes += static_cast<char>(PercentByteAt(text, i));
    i += 3;
  }
  return bytes;
}

// A path in the system's form: UTF-8 escapes decoded; the other bytes beyond
// ASCII read as UTF-8, or, in a CP932 page (`cp932`), kept as they are.
std::string PathToSystem(std::string_view path, bool cp932) {
  std::string out;
  for (std::size_t i = 0; i < path.size();) {
    if (WideEscapeAt(path, i)) {
      AppendUtf8Run(out, TakeEscapes(path, i));
    } else if (cp932 || static_cast<unsigned char>(path[i]) < 0x80) {
      const std::size_t length = cp932 ? cp932::CharLength(path, i) : 1;
      out.append(path.substr(i, length));
      i += length;
    } else {
      std::size_t end = i;
      while (end < path.size() && static_cast<unsigned char>(path[end]) >= 0x80) ++end;
      AppendUtf8Run(out, path.substr(i, end - i));
      i = end;
    }
  }
  return out;
}

std::string QueryToSystem(std::string_view query, PageEncoding encoding) {
  if (encoding == PageEncoding::kCp932) return std::string(query);
  std::string out;
  for (char c : query) {
    if (static_cast<unsigned char>(c) < 0x80) {
      out += c;
    } else {
      AppendEscaped(out, std::string_view(&c, 1));
    }
  }
  return out;
}

}  // namespace

PageEncoding DetectPageEncoding(std::string_view contentType, std::string_view page) {
  if (const auto declared = CharsetIn(cp932::ToLower(contentType))) return *declared;
  if (page.starts_with(kUtf8Bom)) return PageEncoding::kUtf8;
  const std::string head = cp932::ToLower(page.substr(0, kMetaWindow));
  for (std::size_t at = head.find("<meta"); at != std::string::npos; at = head.find("<meta", at + 1)) {
    const std::size_t end = std::min(head.find('>', at), head.size());
    if (const auto declared = CharsetIn(std::string_view(head).substr(at, end - at))) return *declared;
  }
  if (IsUtf8(page)) return PageEncoding::kUtf8;
  if (IsEucJp(page)) return PageEncoding::kEucJp;
  return PageEncoding::kCp932;
}

PageEncoding DetectStyleSheetEncoding(std::string_view contentType, std::string_view sheet) {
  if (const auto declared = CharsetIn(cp932::ToLower(contentType))) return *declared;
  if (sheet.starts_with(kUtf8Bom)) return PageEncoding::kUtf8;
  if (sheet.starts_with("@charset \"")) {
    const std::size_t end = sheet.find('"', 10);
    if (end != std::string_view::npos) {
      if (const auto declared = FromLabel(sheet.substr(10, end - 10))) return *declared;
    }
  }
  return IsAscii(sheet) || IsUtf8(sheet) ? PageEncoding::kUtf8 : PageEncoding::kCp932;
}

std::string LinkToSystem(std::string_view link, PageEncoding encoding) {
  if (IsAscii(link) && link.find('%') == std::string_view::npos) return std::string(link);
  const std::size_t mark = link.find('?');
  const std::string_view path = link.substr(0, mark);
  const std::string_view query = mark == std::string_view::npos ? std::string_view() : link.substr(mark);
  const std::string system = encoding == PageEncoding::kEucJp ? PathToSystem(cp932::EucJpToUtf8(path), false)
                                                              : PathToSystem(path, encoding == PageEncoding::kCp932);
  return system + QueryToSystem(query, encoding);
}

std::string SystemToPage(std::string_view text, PageEncoding encoding) {
  if (IsAscii(text) || encoding == PageEncoding::kCp932) return std::string(text);
  const std::string utf8 = cp932::ToUtf8(text);
  return encoding == PageEncoding::kUtf8 ? utf8 : cp932::Utf8ToEucJp(utf8);
}

}  // namespace pagelark
