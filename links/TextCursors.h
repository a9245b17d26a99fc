// Remembered searches over one text for a series of positions that only move
// forward, so that scanning a whole page reads each stretch of it a bounded
// number of times instead of once per finding. Every search matches only at
// CP932 character boundaries; every position handed in must be a boundary.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace pagelark {

// The first occurrence of a needle at or after a position.
class NextOccurrence {
 public:
  NextOccurrence(std::string_view text, std::string needle) : text_(text), needle_(std::move(needle)) {}

  // cp932::npos when the needle does not occur at or after `from`.
  std::size_t From(std::size_t from);

  std::size_t size() const { return needle_.size(); }

 private:
  std::string_view text_;
  std::string needle_;
  std::size_t searchedFrom_ = cp932::npos;  // npos: nothing remembered yet
  std::size_t found_ = cp932::npos;
};

}  // namespace pagelark
