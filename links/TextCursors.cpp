#include "links/TextCursors.h"

namespace pagelark {

std::size_t NextOccurrence::From(std::size_t from) {
  // The remembered hit is the first one at or after searchedFrom_, so it is
  // also the first one at or after any later position up to itself.
  const bool remembered = searchedFrom_ != cp932::npos && searchedFrom_ <= from;
  if (remembered && (found_ == cp932::npos || found_ >= from)) return found_;
  searchedFrom_ = from;
  found_ = cp932::Find(text_, needle_, from);
  return found_;
}

}  // namespace pagelark
