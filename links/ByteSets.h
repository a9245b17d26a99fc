// Sets of bytes below 0x40 as the bits of one word, so that testing a byte
// is one shift. Such bytes are never the second byte of a double-byte CP932
// character, so a byte test finds them only where they stand alone.
#pragma once

#include <cstdint>
#include <string_view>

namespace pagelark {

constexpr std::uint64_t BitsOf(std::string_view set) {
  std::uint64_t bits = 0;
  for (const char c : set) bits |= std::uint64_t{1} << static_cast<unsigned char>(c);
  return bits;
}

constexpr bool InSet(std::uint64_t bits, char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 64 && ((bits >> byte) & 1) != 0;
}

}  // namespace pagelark
