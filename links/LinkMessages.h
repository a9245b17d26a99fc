// The texts that link analysis shows. Written here once in UTF-8 and held as
// CP932 byte strings.
#pragma once

#include <string>

#include "platform/cp932.h"

namespace pagelark::links_msg {

// Status line format while candidates are added; %d is the list's length.
inline const std::string kAddingCandidate = cp932::FromUtf8("%d件目を追加中");

}  // namespace pagelark::links_msg
