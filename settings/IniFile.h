// The stand-in for the Windows profile functions (GetPrivateProfileStringA,
// WritePrivateProfileStringA) over INI files in CP932. Reading never fails:
// a missing, unreadable, binary or oversized file gives values (the
// defaults where nothing matches). Every write replaces the file atomically,
// so the file is always either the old or the new whole file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniDocument.h"

namespace pagelark::ini {

// Only this much of a file is read. A larger file is never written back: a
// write to it fails rather than cut it short.
inline constexpr std::size_t kMaxFileBytes = std::size_t{16} << 20;

// The file's document; empty when it cannot be read.
IniDocument LoadForReading(std::string_view path);

// What a caller's buffer of `bufferSize` bytes receives: the value (an empty
// value stays empty), or else `defaultValue` without its trailing blanks,
// cut to bufferSize - 1 bytes. A value ends at a zero byte, as in a C
// string.
std::string ReadString(const IniDocument& document, std::string_view section, std::string_view key,
                       std::string_view defaultValue, std::size_t bufferSize);
std::string ReadString(std::string_view path, std::string_view section, std::string_view key,
                       std::string_view defaultValue, std::size_t bufferSize);

// A name list as the enumerating reads fill a buffer: each name followed by
// a zero byte. When the list and its closing zero do not fit, the first
// bufferSize - 2 bytes.
std::string PackNameList(const std::vector<std::string>& names, std::size_t bufferSize);

// Writes one key: loads the file, sets the key, replaces the file. A missing
// file is created (its folder is not).
bool WriteString(std::string_view path, std::string_view section, std::string_view key, std::string_view value);

// A file name without any folder names a file in the system folder (the
// Windows folder, for the profile functions); the caller says which folder
// stands in for it. Other paths are returned as they are; ".\x.ini" is
// relative to the current folder.
std::string ResolvePath(std::string_view path, std::string_view systemFolder);

// Many writes to one file, committed at once. The file ends up exactly as if
// each write had been a WriteString of its own; each write succeeds or is
// refused on its own. A commit that fails leaves the file as it was, and
// then every write of the batch has failed.
class IniFileEdit {
 public:
  explicit IniFileEdit(std::string path);

  bool Set(std::string_view section, std::string_view key, std::string_view value);
  bool RemoveKey(std::string_view section, std::string_view key);
  bool RemoveSection(std::string_view section);

  // Replaces the file with the edited document. False when the file could
  // not be loaded or written.
  bool Commit();

 private:
  std::string path_;
  bool loaded_ = false;
  IniDocument document_;
};

}  // namespace pagelark::ini
