#include "links/TextCursors.h"

namespace pagelark {

std::size_t NextOccurrence::From(std::size_t from) {
  // The remembered hit is the first one at or after searchedFrom_, so it is
  // also the first one at or after any later position up to itself.
  const bool remembered = searchedFrom_ != cp932::npos && searchedFrom_ <= from;
  if (remembered && (found_ == cp932::npos || found_ >= from)) return found_;
  searchedFrom_ = from;
  found_ = bytewise_ ? text_.find(needle_, from) : cp932::Find(text_, needle_, from);
  return found_;
}

std::size_t LastOccurrence::Before(std::size_t floor, std::size_t before) {
  if (before >= scannedTo_) {
    const std::size_t at = LastIn(scannedTo_, before);
    if (at != cp932::npos) last_ = at;
    scannedTo_ = before;
  } else if (last_ != cp932::npos && last_ >= before) {
    // Asked about a point behind what was read: look back directly.
    return LastIn(floor, before);
  }
  return last_ != cp932::npos && last_ >= floor && last_ < before ? last_ : cp932::npos;
}

std::size_t LastOccurrence::LastIn(std::size_t from, std::size_t before) const {
  const std::string_view stretch = text_.substr(from, before - from);
  const std::size_t at =
      StartsCharacter(needle_) ? stretch.rfind(needle_) : cp932::FindLast(stretch, std::string_view(&needle_, 1));
  return at == cp932::npos ? at : from + at;
}

}  // namespace pagelark
