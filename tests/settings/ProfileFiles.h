// Helpers for settings tests: files written and read back byte for byte,
// profiles built from their key lines.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/cp932.h"

namespace pagelark::test {

inline const std::string kSectionHeader = "[" + cp932::FromUtf8("初期表示") + "]";

// A profile as the Windows functions write it: the section header, then one
// line per entry, each ending in CR LF.
inline std::string ProfileText(const std::vector<std::string>& keyLines) {
  std::string text = kSectionHeader + "\r\n";
  for (const std::string& line : keyLines) text += line + "\r\n";
  return text;
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace pagelark::test
