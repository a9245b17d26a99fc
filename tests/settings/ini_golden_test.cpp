// Checks the INI module against the observed behaviour of the Windows
// profile functions (fixtures/golden.txt). Every case and operation is
// required unless the table below says otherwise, with the reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "GoldenFile.h"
#include "platform/fs.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

namespace pagelark::test {
namespace {

namespace fs = std::filesystem;

enum class FileCheck {
  kBytes,    // files compared byte for byte
  kMeaning,  // files compared by their non-blank lines, blanks and line ends ignored
  kSkipped,  // the whole case is not required
};

struct Policy {
  FileCheck files = FileCheck::kBytes;
  std::set<int> skippedOps;     // numbers of gets and puts that are not required
  bool skipFinal = false;       // the final file follows a skipped put
  bool anyByteAtSplit = false;  // the byte where a cut splits a double-byte character is free
  std::string why;
};

Policy Skipped(std::string why) { return {FileCheck::kSkipped, {}, false, false, std::move(why)}; }
Policy ByMeaning(std::string why) { return {FileCheck::kMeaning, {}, false, false, std::move(why)}; }
Policy SkippedOps(std::set<int> ops, std::string why, bool skipFinal = false) {
  return {FileCheck::kBytes, std::move(ops), skipFinal, false, std::move(why)};
}

// Cases whose observed result is partly or wholly not a requirement.
const std::map<std::string, Policy>& Policies() {
  static const std::map<std::string, Policy> policies = {
      {"read_default_spaces_quotes", SkippedOps({3, 4}, "quotes around and all-blank defaults")},
      {"read_value_quotes_truncated", SkippedOps({2}, "a quoted value one byte short of the buffer loses a byte")},
      {"read_comment_lines", SkippedOps({3, 4, 5, 6}, "\";key=\" is a comment here")},
      {"read_duplicate_keys", SkippedOps({2}, "listing of duplicate keys")},
      {"read_duplicate_sections", Skipped("second copies of a section")},
      {"read_keys_before_section", SkippedOps({1, 4}, "no section \"\" here")},
      {"read_line_without_equals", SkippedOps({3}, "listing")},
      {"read_empty_key_name", Skipped("\"=value\" is no key here")},
      {"read_long_sjis_value", {FileCheck::kBytes, {}, false, true, "the byte at a split character"}},
      {"read_enumerate", SkippedOps({7}, "listing a missing section")},
      {"read_utf8_bom", Skipped("a byte-order mark is ordinary bytes here")},
      {"write_existing_key", ByMeaning("other lines keep their layout")},
      {"write_new_key", ByMeaning("blank lines are kept")},
      {"write_new_key_last_section", ByMeaning("blank lines are kept")},
      {"write_new_key_after_comment", ByMeaning("blank lines are kept")},
      {"write_new_section_after_blank", ByMeaning("blank lines are kept")},
      {"write_lf_file", ByMeaning("LF lines are kept")},
      {"write_value_spaces", ByMeaning("values are written as given")},
      {"write_value_special_chars", SkippedOps({2}, "a key \"[x]\" is refused", true)},
      {"write_key_with_spaces", ByMeaning("key arguments are trimmed at both ends")},
      {"write_value_with_line_break", Skipped("CR or LF in a value is refused")},
      {"write_delete_key", ByMeaning("blank lines are kept")},
      {"write_delete_section", ByMeaning("other lines keep their layout")},
      {"write_preserve_layout", ByMeaning("only the changed line changes")},
      {"write_empty_section_name", Skipped("a write needs a section name")},
      {"write_keys_before_section", SkippedOps({2, 3}, "no section \"\" here", true)},
      {"write_line_without_equals", SkippedOps({2}, "a word line is no key", true)},
      {"write_section_spaces_inside_brackets", ByMeaning("headers keep their layout")},
      {"write_utf8_bom", Skipped("a byte-order mark is ordinary bytes here")},
  };
  return policies;
}

Policy PolicyOf(const std::string& name) {
  const auto found = Policies().find(name);
  return found == Policies().end() ? Policy{} : found->second;
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The meaning of a file: its non-blank lines with blanks around names and
// values removed; line ends and blank lines do not count.
std::vector<std::string> Meaning(const MaybeText& file) {
  std::vector<std::string> lines;
  if (!file) return {"<absent>"};
  std::string text = *file;
  for (char& c : text) c = c == '\r' ? '\n' : c;
  std::istringstream in(text);
  for (std::string raw; std::getline(in, raw);) {
    const std::string_view line = Trim(raw);
    const std::size_t close = line.find(']');
    const std::size_t equals = line.find('=');
    if (line.empty()) continue;
    if (line[0] == '[' && close != std::string_view::npos) {
      lines.push_back("[" + std::string(Trim(line.substr(1, close - 1))) + "]");
    } else if (line[0] != ';' && equals != std::string_view::npos) {
      lines.push_back(std::string(Trim(line.substr(0, equals))) + "=" + std::string(Trim(line.substr(equals + 1))));
    } else {
      lines.emplace_back(line);
    }
  }
  return lines;
}

MaybeText ReadFile(const fs::path& path) {
  if (!fs::exists(path)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs one case in a folder of its own: "cwd" holds the case's file and is
// the current folder, "windows" stands in for the Windows folder.
class GoldenRun {
 public:
  GoldenRun(const GoldenCase& goldenCase, const Policy& policy) : case_(goldenCase), policy_(policy) {
    fs::create_directories(dir_.native() / "cwd");
    fs::create_directories(dir_.native() / "windows");
    previousCwd_ = fs::current_path();
    fs::current_path(dir_.native() / "cwd");
    caseFile_ = dir_.native() / "cwd" / FileName();
    apiPath_ = ApiPath();
  }
  ~GoldenRun() { fs::current_path(previousCwd_); }

  void Run() {
    if (case_.init) std::ofstream(caseFile_, std::ios::binary) << *case_.init;
    for (const GoldenOp& op : case_.ops) {
      if (policy_.skippedOps.count(op.number) == 0) RunOp(op);
    }
    if (!policy_.skipFinal) ExpectFile(ReadFile(caseFile_), case_.final, "final");
  }

 private:
  // The case's file, relative to "cwd".
  std::string FileName() const {
    if (case_.name == "read_bare_filename") return "golden_bare.ini";
    if (case_.name == "read_dot_relative_filename") return "golden_rel.ini";
    if (case_.name == "write_missing_directory") return "no_such_dir/x.ini";
    return case_.name + ".ini";
  }
  // The path handed to the INI module.
  std::string ApiPath() const {
    if (case_.name == "read_bare_filename") return ini::ResolvePath(FileName(), dir_.system() + "windows\\");
    if (case_.name == "read_dot_relative_filename") return ".\\" + FileName();
    return dir_.system() + "cwd\\" + FileName();
  }
  // "C:\windows\x.ini" of a dumpat or deleteat.
  fs::path WindowsFile(const std::string& where) const {
    return dir_.native() / "windows" / where.substr(where.rfind('\\') + 1);
  }

  void RunOp(const GoldenOp& op) {
    SCOPED_TRACE("op " + std::to_string(op.number));
    switch (op.kind) {
      case GoldenOp::Kind::kGet:
        return RunGet(op);
      case GoldenOp::Kind::kPut:
        return RunPut(op);
      case GoldenOp::Kind::kDump:
        return ExpectFile(ReadFile(caseFile_), op.file, "dump");
      case GoldenOp::Kind::kDumpAt:
        return ExpectFile(ReadFile(WindowsFile(op.where)), op.file, "dumpat");
      case GoldenOp::Kind::kDeleteAt:
        fs::remove(WindowsFile(op.where));
        return;
      case GoldenOp::Kind::kReadOnly:
        fs::permissions(caseFile_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        return;
      case GoldenOp::Kind::kWritable:
        fs::permissions(caseFile_, fs::perms::owner_write, fs::perm_options::add);
        return;
    }
  }

  void RunGet(const GoldenOp& op) {
    std::string got;
    if (!op.section) {
      got = ini::PackNameList(ini::LoadForReading(apiPath_).SectionNames(), op.size);
    } else if (!op.key) {
      got = ini::PackNameList(ini::LoadForReading(apiPath_).KeyNames(*op.section), op.size);
    } else {
      got = ini::ReadString(apiPath_, *op.section, *op.key, op.text.value_or(""), op.size);
    }
    ASSERT_EQ(static_cast<int>(got.size()), op.ret);
    std::string expected = op.buf;
    if (policy_.anyByteAtSplit && !got.empty() && expected.back() == '\xCC') expected.back() = got.back();
    EXPECT_EQ(got, expected);
  }

  void RunPut(const GoldenOp& op) {
    ini::IniFileEdit edit(apiPath_);
    const std::string section = op.section.value_or("");
    bool edited = false;
    if (!op.key) {
      edited = edit.RemoveSection(section);
    } else if (!op.text) {
      edited = edit.RemoveKey(section, *op.key);
    } else {
      edited = edit.Set(section, *op.key, *op.text);
    }
    EXPECT_EQ(edited && edit.Commit(), op.ret != 0);
    ExpectFile(ReadFile(caseFile_), op.file, "after put");
  }

  void ExpectFile(const MaybeText& actual, const MaybeText& expected, const std::string& what) const {
    SCOPED_TRACE(what);
    if (policy_.files == FileCheck::kMeaning) {
      EXPECT_EQ(Meaning(actual), Meaning(expected));
    } else {
      EXPECT_EQ(actual, expected);
    }
  }

  const GoldenCase& case_;
  const Policy& policy_;
  TempDir dir_;
  fs::path previousCwd_;
  fs::path caseFile_;
  std::string apiPath_;
};

std::vector<GoldenCase> LoadGoldenCases() {
  std::ifstream in(fs::path(PAGELARK_SETTINGS_FIXTURES) / "golden.txt", std::ios::binary);
  return ParseGoldenFile(std::string(std::istreambuf_iterator<char>(in), {}));
}

TEST(IniGolden, FileHoldsEveryCaseTheTableNames) {
  const std::vector<GoldenCase> cases = LoadGoldenCases();
  EXPECT_EQ(cases.size(), 72u);
  for (const auto& [name, policy] : Policies()) {
    EXPECT_TRUE(std::any_of(cases.begin(), cases.end(), [&](const GoldenCase& c) { return c.name == name; })) << name;
  }
}

class IniGoldenCase : public testing::TestWithParam<GoldenCase> {};

TEST_P(IniGoldenCase, RequiredResultsMatch) {
  const Policy policy = PolicyOf(GetParam().name);
  if (policy.files == FileCheck::kSkipped) GTEST_SKIP() << "not required: " << policy.why;
  GoldenRun(GetParam(), policy).Run();
}

INSTANTIATE_TEST_SUITE_P(Golden, IniGoldenCase, testing::ValuesIn(LoadGoldenCases()),
                         [](const testing::TestParamInfo<GoldenCase>& param) { return param.param.name; });

}  // namespace
}  // namespace pagelark::test
