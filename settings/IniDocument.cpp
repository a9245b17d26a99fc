#include "settings/IniDocument.h"

#include <utility>

#include "settings/IniLine.h"

namespace pagelark::ini {
namespace {

constexpr std::string_view kNewLineEnd = "\r\n";

std::string KeyLine(std::string_view key, std::string_view value) {
  std::string text(key);
  text += '=';
  text += value;
  return text;
}

// Length of the line end at `pos` (0 when there is none there).
std::size_t LineEndLength(std::string_view bytes, std::size_t pos) {
  if (pos >= bytes.size()) return 0;
  if (bytes[pos] == '\r') return pos + 1 < bytes.size() && bytes[pos + 1] == '\n' ? 2 : 1;
  return bytes[pos] == '\n' ? 1 : 0;
}

}  // namespace

IniDocument::IniDocument(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    // CR and LF are never part of a CP932 character: a byte search is safe.
    std::size_t stop = bytes.find_first_of("\r\n", pos);
    if (stop == std::string_view::npos) stop = bytes.size();
    const std::size_t endLength = LineEndLength(bytes, stop);
    AddLine(bytes.substr(pos, stop - pos), bytes.substr(stop, endLength));
    pos = stop + endLength;
  }
}

void IniDocument::AddLine(std::string_view text, std::string_view end) {
  const ParsedLine parsed = ParseLine(text);
  if (parsed.kind == LineKind::kSection) {
    sections_.emplace_back();
    sectionIndex_.emplace(FoldName(parsed.name), sections_.size() - 1);
  }
  Section& current = sections_.back();
  if (parsed.kind == LineKind::kKey) current.keys.emplace(FoldName(parsed.name), current.lines.size());
  current.lines.push_back({std::string(text), std::string(end)});
}

const IniDocument::Section* IniDocument::FindSection(std::string_view section) const {
  const auto found = sectionIndex_.find(FoldName(TrimBlanks(section)));
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

IniDocument::Section* IniDocument::FindSection(std::string_view section) {
  return const_cast<Section*>(std::as_const(*this).FindSection(section));
}

std::optional<std::string_view> IniDocument::Find(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  const auto line = found->keys.find(FoldName(TrimBlanks(key)));
  if (line == found->keys.end()) return std::nullopt;
  return StripOuterQuotes(ParseLine(found->lines[line->second].text).value);
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    names.emplace_back(ParseLine(sections_[i].lines.front().text).name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const Section* found = FindSection(section);
  if (found == nullptr) return names;
  for (const Line& line : found->lines) {
    const ParsedLine parsed = ParseLine(line.text);
    if (parsed.kind == LineKind::kKey) names.emplace_back(parsed.name);
  }
  return names;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (!IsWritableSectionName(section) || !IsWritableKeyName(key) || !IsWritableValue(value)) return false;
  Section* target = FindSection(section);
  if (target == nullptr) {
    AppendSection(section, key, value);
    return true;
  }
  const auto existing = target->keys.find(FoldName(key));
  if (existing == target->keys.end()) {
    InsertKey(*target, key, value);
    return true;
  }
  Line& line = target->lines[existing->second];
  const ParsedLine parsed = ParseLine(line.text);
  if (parsed.value != value) line.text = KeyLine(parsed.name, value);
  return true;
}

void IniDocument::InsertKey(Section& target, std::string_view key, std::string_view value) {
  // After the last non-blank line: blank lines that close the section stay
  // between it and the next header. Only blank lines follow that place, so
  // the key index stays valid.
  std::size_t at = target.lines.size();
  while (at > 1 && ParseLine(target.lines[at - 1].text).kind == LineKind::kBlank) --at;
  if (target.lines[at - 1].end.empty()) target.lines[at - 1].end = kNewLineEnd;
  target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(at),
                      Line{KeyLine(key, value), std::string(kNewLineEnd)});
  target.keys.emplace(FoldName(key), at);
}

void IniDocument::AppendSection(std::string_view section, std::string_view key, std::string_view value) {
  EndLastLine();
  std::string header = "[";
  header += section;
  header += ']';
  AddLine(header, kNewLineEnd);
  AddLine(KeyLine(key, value), kNewLineEnd);
}

void IniDocument::EndLastLine() {
  for (auto section = sections_.rbegin(); section != sections_.rend(); ++section) {
    if (section->lines.empty()) continue;
    if (section->lines.back().end.empty()) section->lines.back().end = kNewLineEnd;
    return;
  }
}

bool IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  Section* target = FindSection(section);
  if (target == nullptr) return true;
  const auto existing = target->keys.find(FoldName(TrimBlanks(key)));
  if (existing == target->keys.end()) return true;
  target->lines.erase(target->lines.begin() + static_cast<std::ptrdiff_t>(existing->second));
  IndexKeys(*target);
  return true;
}

bool IniDocument::RemoveSection(std::string_view section) {
  const auto found = sectionIndex_.find(FoldName(TrimBlanks(section)));
  if (found == sectionIndex_.end()) return true;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(found->second));
  IndexSections();
  return true;
}

void IniDocument::IndexKeys(Section& target) {
  target.keys.clear();
  for (std::size_t i = 0; i < target.lines.size(); ++i) {
    const ParsedLine parsed = ParseLine(target.lines[i].text);
    if (parsed.kind == LineKind::kKey) target.keys.emplace(FoldName(parsed.name), i);
  }
}

void IniDocument::IndexSections() {
  sectionIndex_.clear();
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    sectionIndex_.emplace(FoldName(ParseLine(sections_[i].lines.front().text).name), i);
  }
}

std::string IniDocument::Bytes() const {
  std::string bytes;
  for (const Section& section : sections_) {
    for (const Line& line : section.lines) {
      bytes += line.text;
      bytes += line.end;
    }
  }
  return bytes;
}

}  // namespace pagelark::ini
