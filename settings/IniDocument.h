// An INI file held in memory as its lines, read and edited with the rules of
// the Windows profile functions. An edit touches only the line it changes
// (or adds); every other line keeps its bytes, line end included.
//
// The bytes are held once; the lines are runs of them. Each header and key
// line is a run of its own, and every stretch of other lines (blank lines,
// comments, text without "=") between two of them is one run, so memory stays
// a small multiple of the file's size whatever the file holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pagelark::ini {

class IniDocument {
 public:
  // The most bytes a document holds; a longer text is cut there, and an edit
  // that would grow past it is refused.
  static constexpr std::size_t kMaxBytes = UINT32_MAX;

  IniDocument() = default;
  // Any bytes are accepted; LF, CR LF and a lone CR end a line.
  explicit IniDocument(std::string bytes);

  // The value of a key as the profile functions return it (blanks around it
  // and one pair of outer quotes removed), or nothing when the section or
  // key is absent. Blanks around the names are ignored; only the first
  // section of a name and the first key of a name in it are seen. The view
  // lasts until the next edit.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // Every section header, and every key of the first section of a name, in
  // file order.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;
  // KeyNames without the copies: each name as it stands in the file.
  void ForEachKeyName(std::string_view section, const std::function<void(std::string_view)>& visit) const;

  // Replaces the key's value where it stands (the line becomes name=value
  // in the file's spelling of the name, a line whose value is already
  // `value` stays as it is), or adds name=value after the last non-blank
  // line of the section, or adds the section at the end of the file. New
  // lines end in CR LF. False, and nothing changed, when a name or the value
  // is refused (see IniLine.h).
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // Removes the key's line, or the section's header and all its lines. An
  // absent key or section is no error.
  bool RemoveKey(std::string_view section, std::string_view key);
  bool RemoveSection(std::string_view section);

  std::string Bytes() const;

 private:
  // Whole lines of text_, line ends included.
  struct Run {
    std::uint32_t begin = 0;
    std::uint32_t size = 0;
  };
  // Open addressing over numbers (stored plus one; 0 is a free slot).
  struct NumberTable {
    std::vector<std::uint32_t> slots;
    std::size_t count = 0;
  };
  // Sections are numbered from 1 in file order; 0 is the part before the
  // first header, which has no name and is never searched.
  using SectionNumber = std::uint32_t;

  void IndexRun(std::uint32_t run);
  void Reindex();
  std::string_view RunBytes(std::uint32_t run) const;
  std::string_view FirstLine(std::uint32_t run) const;
  std::optional<SectionNumber> FindSection(std::string_view foldedName) const;
  std::optional<std::uint32_t> FindKey(SectionNumber section, std::string_view foldedName) const;
  std::uint32_t SectionEnd(SectionNumber section) const;
  SectionNumber SectionOf(std::uint32_t run) const;
  std::size_t KeyHash(std::uint32_t run) const;
  void InsertRun(std::uint32_t at, Run run);
  bool Append(std::string_view bytes, Run& run);
  bool EndRun(std::uint32_t run);
  bool InsertKey(SectionNumber section, std::string_view key, std::string_view value);
  bool AppendSection(std::string_view section, std::string_view key, std::string_view value);

  std::string text_;  // the bytes read, then the lines that edits wrote
  std::vector<Run> runs_;
  std::vector<std::uint32_t> headers_;  // the run of section n's header is headers_[n - 1]
  NumberTable sectionIndex_;            // section numbers, the first section of each name
  NumberTable keyIndex_;                // key runs, the first key of each name in those sections
  SectionNumber indexedSection_ = 0;    // the section whose keys IndexRun adds, 0 for none
};

}  // namespace pagelark::ini
