#include "links/LocalNames.h"

#include <algorithm>

#include "platform/cp932.h"

namespace pagelark {
namespace {

bool IsReserved(char c) { return kReservedNameChars.find(c) != std::string_view::npos; }

std::string EraseAll(std::string_view text, std::string_view what) { return cp932::ReplaceAll(text, what, ""); }

}  // namespace

std::string_view EscapeLoneLeadBytes(std::string_view text, std::string& buffer) {
  const auto leads = [](char c) { return cp932::IsLeadByte(static_cast<unsigned char>(c)); };
  if (std::none_of(text.begin(), text.end(), leads)) return text;
  buffer = EscapeLoneLeadBytes(text);
  return buffer;
}

std::string EscapeLoneLeadBytes(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = cp932::CharLength(text, i);
    const auto byte = static_cast<unsigned char>(text[i]);
    if (len == 1 && cp932::IsLeadByte(byte)) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out.append(text.substr(i, len));
    }
    i += len;
  }
  return out;
}

std::string ToLocalForm(std::string_view text) {
  // With no lone lead byte left, "/" and ":" (below 0x40, never trail bytes)
  // stand alone, and replacing or removing them joins no bytes; the case is
  // folded on the characters that remain.
  std::string buffer;
  const std::string_view escaped = EscapeLoneLeadBytes(text, buffer);
  // The local form is never longer than the text: written over a copy of it.
  std::string local(escaped);
  std::size_t written = 0;
  for (std::size_t i = 0; i < escaped.size();) {
    const std::size_t length = cp932::CharLength(escaped, i);
    const char c = escaped[i];
    if (length == 2) {
      local[written++] = c;
      local[written++] = escaped[i + 1];
    } else if (c == '/') {
      local[written++] = '\\';
      if (i + 1 < escaped.size() && escaped[i + 1] == '/') ++i;  // "//" becomes one "\" as well
    } else if (c != ':') {
      local[written++] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    i += length;
  }
  local.resize(written);
  return local;
}

std::string StripReserved(std::string_view text, char marker) {
  const std::size_t first = cp932::Find(text, std::string_view(&marker, 1));
  if (first == cp932::npos) return std::string(text);
  const std::string rest = EscapeLoneLeadBytes(text.substr(first + 1));
  std::string out(text.substr(0, first + 1));
  for (std::size_t i = 0; i < rest.size();) {
    const std::size_t len = cp932::CharLength(rest, i);
    if (len == 2 || rest[i] == marker || !IsReserved(rest[i])) out.append(rest.substr(i, len));
    i += len;
  }
  return out;
}

std::string QueryPageName(std::string_view text) {
  if (cp932::Find(text, "?") == cp932::npos) return std::string(text);
  // In one sweep: behind the first "?", which goes too, every reserved name
  // character ("?" among them) is removed; the text before it stays.
  std::string buffer;
  const std::string_view escaped = EscapeLoneLeadBytes(text, buffer);
  const std::size_t first = cp932::Find(escaped, "?");
  std::string out;
  out.reserve(escaped.size() + 5);
  out.append(escaped.substr(0, first));
  for (std::size_t i = first + 1; i < escaped.size();) {
    const std::size_t length = cp932::CharLength(escaped, i);
    if (length == 2 || !IsReserved(escaped[i])) out.append(escaped.substr(i, length));
    i += length;
  }
  return out.append(".html");
}

std::string QueryFileName(std::string_view text) {
  if (cp932::Find(text, "?") == cp932::npos) return std::string(text);
  const std::string escaped = EscapeLoneLeadBytes(text);
  const std::size_t q = cp932::Find(escaped, "?");
  const std::string stripped = StripReserved(escaped, '?');
  const std::size_t d = cp932::FindLast(stripped, ".");
  if (d == cp932::npos || d > q) return EraseAll(stripped, "?") + ".jpg";
  // The script's extension moves behind the query: 'pic.cgi?id=7' -> 'picid=7.cgi'.
  const std::string extension = stripped.substr(d + 1, q - d - 1);
  return EraseAll(EraseAll(stripped, "." + extension), "?") + "." + extension;
}

std::string RequisiteFileName(std::string_view text) {
  if (cp932::Find(text, "?") == cp932::npos) return std::string(text);
  const std::string escaped = EscapeLoneLeadBytes(text);
  const std::size_t q = cp932::Find(escaped, "?");
  // Only the part behind the "?" loses reserved characters: the path keeps
  // its offsets.
  const std::string stripped = StripReserved(escaped, '?');
  const std::string_view path = std::string_view(stripped).substr(0, q);
  const std::size_t dot = cp932::FindLast(path, ".");
  const std::size_t step = cp932::FindLast(path, "\\");
  if (dot == cp932::npos || (step != cp932::npos && step > dot)) return QueryFileName(text);
  return std::string(path.substr(0, dot)) + EraseAll(stripped.substr(q), "?") + std::string(path.substr(dot));
}

}  // namespace pagelark
