// Splitting texts at a separator character, the way every part of the system
// cuts URLs and paths. All searches respect CP932 character boundaries.
#pragma once

#include <string>
#include <string_view>

namespace pagelark {

// Splits at the last separator: `folder` keeps its final separator, `name` is
// what follows. Always true.
bool SplitPath(std::string_view text, std::string& folder, std::string& name, char separator);

// 1 plus the number of separators after the first character.
int CountFields(std::string_view text, std::string_view separator);

// The index-th field (from 0); empty when there are fewer fields or the field
// is empty.
std::string GetField(std::string_view text, std::string_view separator, int index);

}  // namespace pagelark
