#include "links/PathFields.h"

#include "platform/cp932.h"

namespace pagelark {

bool SplitPath(std::string_view text, std::string& folder, std::string& name, char separator) {
  const std::string_view sep(&separator, 1);
  const std::size_t p = cp932::FindLast(text, sep);
  if (p == cp932::npos) {
    folder.clear();
    name = text;
  } else if (p + 1 == text.size()) {
    folder = text;
    name.clear();
  } else if (p == 0) {
    folder.clear();
    name = text.substr(1);
  } else {
    folder = text.substr(0, p);
    if (!cp932::EndsWithChar(folder, separator)) folder += separator;
    name = text.substr(p + 1);
  }
  return true;
}

int CountFields(std::string_view text, std::string_view separator) {
  if (text.empty() || separator.empty()) return 1;
  int count = 1;
  // An occurrence at index 0 is not counted: the search starts one character in.
  for (std::size_t at = cp932::Find(text, separator, cp932::CharLength(text, 0)); at != cp932::npos;
       at = cp932::Find(text, separator, at + cp932::CharLength(text, at))) {
    ++count;
  }
  return count;
}

std::string GetField(std::string_view text, std::string_view separator, int index) {
  if (separator.empty()) return index == 0 ? std::string(text) : std::string();
  std::size_t start = 0;
  std::size_t from = 0;
  for (int skipped = 0; skipped < index; ++skipped) {
    const std::size_t at = cp932::Find(text, separator, from);
    if (at == cp932::npos) return {};
    start = at + separator.size();
    from = at + cp932::CharLength(text, at);
  }
  if (start >= text.size() || text[start] == separator.front()) return {};
  const std::size_t end = cp932::Find(text, separator, start + cp932::CharLength(text, start));
  return std::string(text.substr(start, end == cp932::npos ? cp932::npos : end - start));
}

}  // namespace pagelark
