// An INI file held in memory as its lines, read and edited with the rules of
// the Windows profile functions. An edit touches only the line it changes
// (or adds); every other line keeps its bytes, line end included.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pagelark::ini {

class IniDocument {
 public:
  IniDocument() = default;
  // Any bytes are accepted; LF, CR LF and a lone CR end a line.
  explicit IniDocument(std::string_view bytes);

  // The value of a key as the profile functions return it (blanks around it
  // and one pair of outer quotes removed), or nothing when the section or
  // key is absent. Blanks around the names are ignored; only the first
  // section of a name and the first key of a name in it are seen.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // Every section header, and every key of the first section of a name, in
  // file order.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

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
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", "\r", or "" on a last line without one
  };
  struct Section {
    std::vector<Line> lines;                            // the header first; lines[0..] of the leading part have none
    std::unordered_map<std::string, std::size_t> keys;  // folded name -> first line of it
  };

  void AddLine(std::string_view text, std::string_view end);
  const Section* FindSection(std::string_view section) const;
  Section* FindSection(std::string_view section);
  void AppendSection(std::string_view section, std::string_view key, std::string_view value);
  void EndLastLine();
  static void InsertKey(Section& target, std::string_view key, std::string_view value);
  static void IndexKeys(Section& target);
  void IndexSections();

  // sections_[0] holds the lines before the first header; it has no name
  // and is never searched.
  std::vector<Section> sections_ = std::vector<Section>(1);
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section of it
};

}  // namespace pagelark::ini
