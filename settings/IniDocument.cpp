#include "settings/IniDocument.h"

#include <algorithm>
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

// Calls visit(begin, text, next) for each line: where it begins, its text
// without the line end, and where the next line begins.
template <typename Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    // CR and LF are never part of a CP932 character: a byte search is safe.
    std::size_t stop = bytes.find_first_of("\r\n", pos);
    if (stop == std::string_view::npos) stop = bytes.size();
    const std::size_t next = stop + LineEndLength(bytes, stop);
    visit(pos, bytes.substr(pos, stop - pos), next);
    pos = next;
  }
}

// The bytes up to the end of the last line that is not blank; 0 when every
// line is blank.
std::size_t NonBlankPrefix(std::string_view bytes) {
  std::size_t kept = 0;
  ForEachLine(bytes, [&](std::size_t, std::string_view text, std::size_t next) {
    if (ParseLine(text).kind != LineKind::kBlank) kept = next;
  });
  return kept;
}

std::size_t NameHash(std::string_view folded) { return std::hash<std::string_view>{}(folded); }

std::size_t KeyHashOf(std::uint32_t section, std::string_view folded) {
  return NameHash(folded) ^ (std::size_t{section} * std::size_t{0x9E3779B97F4A7C15u});
}

template <typename Matches>
std::optional<std::uint32_t> LookUp(const std::vector<std::uint32_t>& slots, std::size_t hash, Matches matches) {
  if (slots.empty()) return std::nullopt;
  const std::size_t mask = slots.size() - 1;
  for (std::size_t i = hash & mask; slots[i] != 0; i = (i + 1) & mask) {
    if (matches(slots[i] - 1)) return slots[i] - 1;
  }
  return std::nullopt;
}

void Place(std::vector<std::uint32_t>& slots, std::size_t hash, std::uint32_t number) {
  const std::size_t mask = slots.size() - 1;
  std::size_t i = hash & mask;
  while (slots[i] != 0) i = (i + 1) & mask;
  slots[i] = number + 1;
}

// Adds a number that is not in the table yet, which stays at most half full.
template <typename Table, typename HashOf>
void Add(Table& table, std::uint32_t number, HashOf hashOf) {
  if ((table.count + 1) * 2 > table.slots.size()) {
    const std::vector<std::uint32_t> old = std::exchange(table.slots, {});
    table.slots.assign(std::max<std::size_t>(16, old.size() * 2), 0);
    for (const std::uint32_t slot : old) {
      if (slot != 0) Place(table.slots, hashOf(slot - 1), slot - 1);
    }
  }
  Place(table.slots, hashOf(number), number);
  ++table.count;
}

}  // namespace

IniDocument::IniDocument(std::string bytes) : text_(std::move(bytes)) {
  if (text_.size() > kMaxBytes) text_.resize(kMaxBytes);
  // Lines that are neither headers nor keys join the run before them when
  // that is one of their kind too.
  bool lastRunIsOther = false;
  ForEachLine(text_, [&](std::size_t begin, std::string_view text, std::size_t next) {
    const Run line{static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(next - begin)};
    const LineKind kind = ParseLine(text).kind;
    const bool other = kind != LineKind::kSection && kind != LineKind::kKey;
    if (other && lastRunIsOther) {
      runs_.back().size += line.size;
      return;
    }
    runs_.push_back(line);
    IndexRun(static_cast<std::uint32_t>(runs_.size() - 1));
    lastRunIsOther = other;
  });
}

std::string_view IniDocument::RunBytes(std::uint32_t run) const {
  return std::string_view(text_).substr(runs_[run].begin, runs_[run].size);
}

std::string_view IniDocument::FirstLine(std::uint32_t run) const {
  const std::string_view bytes = RunBytes(run);
  return bytes.substr(0, bytes.find_first_of("\r\n"));
}

void IniDocument::IndexRun(std::uint32_t run) {
  const ParsedLine parsed = ParseLine(FirstLine(run));
  if (parsed.kind == LineKind::kSection) {
    headers_.push_back(run);
    const auto number = static_cast<SectionNumber>(headers_.size());
    const std::string folded = FoldName(parsed.name);
    indexedSection_ = FindSection(folded) ? 0 : number;
    if (indexedSection_ == 0) return;
    Add(sectionIndex_, number,
        [this](SectionNumber n) { return NameHash(FoldName(ParseLine(FirstLine(headers_[n - 1])).name)); });
  } else if (parsed.kind == LineKind::kKey && indexedSection_ != 0 &&
             !FindKey(indexedSection_, FoldName(parsed.name))) {
    Add(keyIndex_, run, [this](std::uint32_t r) { return KeyHash(r); });
  }
}

void IniDocument::Reindex() {
  headers_.clear();
  sectionIndex_ = {};
  keyIndex_ = {};
  indexedSection_ = 0;
  for (std::uint32_t run = 0; run < runs_.size(); ++run) IndexRun(run);
}

std::optional<IniDocument::SectionNumber> IniDocument::FindSection(std::string_view foldedName) const {
  return LookUp(sectionIndex_.slots, NameHash(foldedName),
                [&](SectionNumber n) { return FoldName(ParseLine(FirstLine(headers_[n - 1])).name) == foldedName; });
}

std::optional<std::uint32_t> IniDocument::FindKey(SectionNumber section, std::string_view foldedName) const {
  const std::uint32_t header = headers_[section - 1];
  const std::uint32_t end = SectionEnd(section);
  return LookUp(keyIndex_.slots, KeyHashOf(section, foldedName), [&](std::uint32_t run) {
    return run > header && run < end && FoldName(ParseLine(FirstLine(run)).name) == foldedName;
  });
}

std::uint32_t IniDocument::SectionEnd(SectionNumber section) const {
  return section < headers_.size() ? headers_[section] : static_cast<std::uint32_t>(runs_.size());
}

IniDocument::SectionNumber IniDocument::SectionOf(std::uint32_t run) const {
  return static_cast<SectionNumber>(std::lower_bound(headers_.begin(), headers_.end(), run) - headers_.begin());
}

std::size_t IniDocument::KeyHash(std::uint32_t run) const {
  return KeyHashOf(SectionOf(run), FoldName(ParseLine(FirstLine(run)).name));
}

std::optional<std::string_view> IniDocument::Find(std::string_view section, std::string_view key) const {
  const auto number = FindSection(FoldName(TrimBlanks(section)));
  if (!number) return std::nullopt;
  const auto run = FindKey(*number, FoldName(TrimBlanks(key)));
  if (!run) return std::nullopt;
  return StripOuterQuotes(ParseLine(FirstLine(*run)).value);
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const std::uint32_t header : headers_) names.emplace_back(ParseLine(FirstLine(header)).name);
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  ForEachKeyName(section, [&](std::string_view name) { names.emplace_back(name); });
  return names;
}

void IniDocument::ForEachKeyName(std::string_view section, const std::function<void(std::string_view)>& visit) const {
  const auto number = FindSection(FoldName(TrimBlanks(section)));
  if (!number) return;
  for (std::uint32_t run = headers_[*number - 1] + 1; run < SectionEnd(*number); ++run) {
    const ParsedLine parsed = ParseLine(FirstLine(run));
    if (parsed.kind == LineKind::kKey) visit(parsed.name);
  }
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (!IsWritableSectionName(section) || !IsWritableKeyName(key) || !IsWritableValue(value)) return false;
  const auto number = FindSection(FoldName(section));
  if (!number) return AppendSection(section, key, value);
  const auto run = FindKey(*number, FoldName(key));
  if (!run) return InsertKey(*number, key, value);
  const std::string_view line = FirstLine(*run);
  const ParsedLine parsed = ParseLine(line);
  if (parsed.value == value) return true;
  std::string bytes = KeyLine(parsed.name, value);
  bytes += RunBytes(*run).substr(line.size());  // its line end
  return Append(bytes, runs_[*run]);
}

bool IniDocument::Append(std::string_view bytes, Run& run) {
  if (bytes.size() > kMaxBytes - text_.size()) return false;
  run = {static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(bytes.size())};
  text_ += bytes;
  return true;
}

void IniDocument::InsertRun(std::uint32_t at, Run run) {
  // Numbers of runs from `at` on move up by one; hashes do not depend on them.
  for (std::uint32_t& header : headers_) {
    if (header >= at) ++header;
  }
  for (std::uint32_t& slot : keyIndex_.slots) {
    if (slot != 0 && slot - 1 >= at) ++slot;
  }
  runs_.insert(runs_.begin() + at, run);
}

// Gives the run a line end when its last line has none (only the file's last
// line can lack one).
bool IniDocument::EndRun(std::uint32_t run) {
  const std::string_view bytes = RunBytes(run);
  if (bytes.ends_with('\r') || bytes.ends_with('\n')) return true;
  Run& target = runs_[run];
  if (target.begin + target.size == text_.size()) {
    Run end;
    if (!Append(kNewLineEnd, end)) return false;
    target.size += end.size;
    return true;
  }
  std::string ended(bytes);
  ended += kNewLineEnd;
  return Append(ended, target);
}

bool IniDocument::InsertKey(SectionNumber section, std::string_view key, std::string_view value) {
  // After the last non-blank line: blank lines that close the section stay
  // between it and the next header. Every run after that place is blank.
  const std::uint32_t header = headers_[section - 1];
  std::uint32_t at = SectionEnd(section);
  for (; at - 1 > header; --at) {
    const std::size_t kept = NonBlankPrefix(RunBytes(at - 1));
    if (kept == 0) continue;
    Run& last = runs_[at - 1];
    if (kept < last.size) {
      const Run blankTail{last.begin + static_cast<std::uint32_t>(kept), last.size - static_cast<std::uint32_t>(kept)};
      last.size = static_cast<std::uint32_t>(kept);
      InsertRun(at, blankTail);
    }
    break;
  }
  Run line;
  if (!EndRun(at - 1) || !Append(KeyLine(key, value) + std::string(kNewLineEnd), line)) return false;
  InsertRun(at, line);
  Add(keyIndex_, at, [this](std::uint32_t r) { return KeyHash(r); });
  return true;
}

bool IniDocument::AppendSection(std::string_view section, std::string_view key, std::string_view value) {
  std::string lines = "[";
  lines += section;
  lines += ']';
  lines += kNewLineEnd;
  const std::size_t headerSize = lines.size();
  lines += KeyLine(key, value);
  lines += kNewLineEnd;
  Run added;
  if ((!runs_.empty() && !EndRun(static_cast<std::uint32_t>(runs_.size() - 1))) || !Append(lines, added)) return false;
  runs_.push_back({added.begin, static_cast<std::uint32_t>(headerSize)});
  runs_.push_back(
      {added.begin + static_cast<std::uint32_t>(headerSize), added.size - static_cast<std::uint32_t>(headerSize)});
  IndexRun(static_cast<std::uint32_t>(runs_.size() - 2));
  IndexRun(static_cast<std::uint32_t>(runs_.size() - 1));
  return true;
}

bool IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  const auto number = FindSection(FoldName(TrimBlanks(section)));
  if (!number) return true;
  const auto run = FindKey(*number, FoldName(TrimBlanks(key)));
  if (!run) return true;
  runs_.erase(runs_.begin() + *run);
  Reindex();
  return true;
}

bool IniDocument::RemoveSection(std::string_view section) {
  const auto number = FindSection(FoldName(TrimBlanks(section)));
  if (!number) return true;
  runs_.erase(runs_.begin() + headers_[*number - 1], runs_.begin() + SectionEnd(*number));
  Reindex();
  return true;
}

std::string IniDocument::Bytes() const {
  std::string bytes;
  std::size_t size = 0;
  for (const Run& run : runs_) size += run.size;
  bytes.reserve(size);
  for (std::uint32_t run = 0; run < runs_.size(); ++run) bytes += RunBytes(run);
  return bytes;
}

}  // namespace pagelark::ini
