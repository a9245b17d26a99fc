#include "links/LocalNames.h"

#include "platform/cp932.h"

namespace pagelark {
namespace {

bool IsReserved(char c) { return kReservedNameChars.find(c) != std::string_view::npos; }

std::string EraseAll(std::string_view text, std::string_view what) { return cp932::ReplaceAll(text, what, ""); }

}  // namespace

std::string ToLocalForm(std::string_view text) {
  std::string local = cp932::ToLower(text);
  // "/" and ":" are below 0x40 and so never trail bytes: plain replacement is safe.
  local = cp932::ReplaceAll(local, "//", "\\");
  local = cp932::ReplaceAll(local, "/", "\\");
  return EraseAll(local, ":");
}

std::string StripReserved(std::string_view text, char marker) {
  const std::size_t first = cp932::Find(text, std::string_view(&marker, 1));
  if (first == cp932::npos) return std::string(text);
  std::string out(text.substr(0, first + 1));
  for (std::size_t i = first + 1; i < text.size();) {
    const std::size_t len = cp932::CharLength(text, i);
    if (len == 2 || text[i] == marker || !IsReserved(text[i])) out.append(text.substr(i, len));
    i += len;
  }
  return out;
}

std::string QueryPageName(std::string_view text) {
  if (cp932::Find(text, "?") == cp932::npos) return std::string(text);
  return EraseAll(StripReserved(text, '?'), "?") + ".html";
}

std::string QueryFileName(std::string_view text) {
  const std::size_t q = cp932::Find(text, "?");
  if (q == cp932::npos) return std::string(text);
  const std::string stripped = StripReserved(text, '?');
  const std::size_t d = cp932::FindLast(stripped, ".");
  if (d == cp932::npos || d > q) return EraseAll(stripped, "?") + ".jpg";
  // The script's extension moves behind the query: 'pic.cgi?id=7' -> 'picid=7.cgi'.
  const std::string extension = stripped.substr(d + 1, q - d - 1);
  return EraseAll(EraseAll(stripped, "." + extension), "?") + "." + extension;
}

}  // namespace pagelark
