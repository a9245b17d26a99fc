#include "settings/IniFile.h"

#include <utility>

#include "platform/cp932.h"
#include "platform/fs.h"
#include "settings/IniLine.h"

namespace pagelark::ini {
namespace {

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string_view UpToZeroByte(std::string_view text) { return text.substr(0, text.find('\0')); }

// A file that exists must be read whole before it may be rewritten.
bool LoadForEditing(const std::string& path, IniDocument& document) {
  if (!platform::FileExists(path)) return true;
  std::string bytes;
  if (!platform::ReadFileBytes(path, bytes, kMaxFileBytes + 1) || bytes.size() > kMaxFileBytes) return false;
  document = IniDocument(std::move(bytes));
  return true;
}

}  // namespace

IniDocument LoadForReading(std::string_view path) {
  std::string bytes;
  if (!platform::ReadFileBytes(path, bytes, kMaxFileBytes)) return {};
  return IniDocument(std::move(bytes));
}

std::string ReadString(const IniDocument& document, std::string_view section, std::string_view key,
                       std::string_view defaultValue, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  const auto value = document.Find(section, key);
  const std::string_view text = value ? UpToZeroByte(*value) : TrimTrailingBlanks(defaultValue);
  return std::string(text.substr(0, bufferSize - 1));
}

std::string ReadString(std::string_view path, std::string_view section, std::string_view key,
                       std::string_view defaultValue, std::size_t bufferSize) {
  return ReadString(LoadForReading(path), section, key, defaultValue, bufferSize);
}

std::string PackNameList(const std::vector<std::string>& names, std::size_t bufferSize) {
  std::string list;
  for (const std::string& name : names) {
    list += name;
    list += '\0';
  }
  if (list.size() + 1 <= bufferSize) return list;
  return bufferSize < 2 ? std::string() : list.substr(0, bufferSize - 2);
}

bool WriteString(std::string_view path, std::string_view section, std::string_view key, std::string_view value) {
  IniFileEdit edit{std::string(path)};
  return edit.Set(section, key, value) && edit.Commit();
}

std::string ResolvePath(std::string_view path, std::string_view systemFolder) {
  // "\" may be a trail byte (表 is 95 5C): search by character.
  const bool hasFolder = cp932::Find(path, "\\") != cp932::npos || cp932::Find(path, "/") != cp932::npos ||
                         cp932::Find(path, ":") != cp932::npos;
  if (hasFolder || path.empty()) return std::string(path);
  std::string resolved(systemFolder);
  if (!resolved.empty() && !cp932::EndsWithChar(resolved, '\\') && !cp932::EndsWithChar(resolved, '/')) {
    resolved += '\\';
  }
  return resolved + std::string(path);
}

IniFileEdit::IniFileEdit(std::string path) : path_(std::move(path)) { loaded_ = LoadForEditing(path_, document_); }

bool IniFileEdit::Set(std::string_view section, std::string_view key, std::string_view value) {
  return loaded_ && document_.Set(section, key, value);
}

bool IniFileEdit::RemoveKey(std::string_view section, std::string_view key) {
  return loaded_ && document_.RemoveKey(section, key);
}

bool IniFileEdit::RemoveSection(std::string_view section) { return loaded_ && document_.RemoveSection(section); }

bool IniFileEdit::Commit() { return loaded_ && platform::ReplaceFileAtomically(path_, document_.Bytes()); }

}  // namespace pagelark::ini
