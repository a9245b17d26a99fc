// The number fields of the settings read as numbers. The fields stay texts
// as typed; every reader of a number goes through these.
#pragma once

#include <cstdint>
#include <string_view>

namespace pagelark {

// C's atoi over a CP932 text, saturated to the 32-bit range instead of
// overflowing: leading blanks, an optional sign, then digits.
std::int32_t ParseLeadingInt(std::string_view text);

}  // namespace pagelark
