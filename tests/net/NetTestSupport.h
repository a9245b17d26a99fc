// Shared pieces of the HTTP tests.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "net/WebClientOptions.h"

namespace pagelark::test {

// Time-outs short enough that a stalled server ends a test in about a second.
// libcurl averages the speed over a few seconds, the request's own bytes
// included; a limit well above a request's size makes a stall count at once.
inline net::WebClientOptions ShortTimeouts() {
  net::WebClientOptions options;
  options.timeouts.connect = std::chrono::milliseconds(2000);
  options.timeouts.lowSpeedBytesPerSecond = 10'000;
  options.timeouts.lowSpeedTime = std::chrono::seconds(1);
  return options;
}

// A host name that never resolves (the reserved ".invalid" domain).
inline const std::string kUnresolvableHost = "pagelark-test.invalid";

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Leaves a file with old content, to show whether an operation keeps or replaces it.
inline void WriteOld(const std::filesystem::path& file) { std::ofstream(file, std::ios::binary) << "old content"; }

// Bytes 0 to 255 over and over, so that zero bytes fall in every chunk.
inline std::string AllByteValues(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 256);
  return bytes;
}

}  // namespace pagelark::test
