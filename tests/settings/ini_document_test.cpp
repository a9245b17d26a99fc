// The INI module's own decisions where the observed behaviour leaves one,
// and its handling of files that are not well-formed.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "ProfileFiles.h"
#include "settings/IniDocument.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

namespace pagelark::ini {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

struct EditCase {
  const char* what;
  std::string before;
  std::string section, key, value;
  std::string after;
};

TEST(IniDocument, WriteChangesOnlyItsOwnLine) {
  const EditCase cases[] = {
      {"layout, comments and blank lines kept",
       ";; Settings\r\n\r\n[General]\r\n  Name = Demo  \r\nMode=1\r\n\r\n; window\r\n[Window]\r\nX = 10\r\n\r\n",
       "General", "Mode", "2",
       ";; Settings\r\n\r\n[General]\r\n  Name = Demo  \r\nMode=2\r\n\r\n; window\r\n[Window]\r\nX = 10\r\n\r\n"},
      {"changed line keeps the file's spelling and its LF", "[S]\n  MyKey = 1\nother=2\n", "s", "mykey", "9",
       "[S]\nMyKey=9\nother=2\n"},
      {"same value leaves the line as it is", "[S]\n k = 1 \n", "S", "k", "1", "[S]\n k = 1 \n"},
      {"quoted value is replaced", "[S]\r\nk=\"1\"\r\n", "S", "k", "1", "[S]\r\nk=1\r\n"},
      {"new key after the last non-blank line, in CR LF", "[S]\na=1\n; note\n\n\n[T]\nx=y\n", "S", "b", "2",
       "[S]\na=1\n; note\nb=2\r\n\n\n[T]\nx=y\n"},
      {"new key ends an unterminated last line", "[S]\na=1", "S", "b", "2", "[S]\na=1\r\nb=2\r\n"},
      {"new section after trailing blank lines", "[S]\r\na=1\r\n\r\n", "T", "x", "y",
       "[S]\r\na=1\r\n\r\n[T]\r\nx=y\r\n"},
      {"lone CR line ends kept", "[S]\ra=1\rb=2\r", "S", "a", "3", "[S]\ra=3\rb=2\r"},
      {"byte-order mark is ordinary bytes: its line is no header", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "w",
       "\xEF\xBB\xBF[S]\r\nk=v\r\n[S]\r\nk=w\r\n"},
      {"names trimmed at both ends", "[S]\r\n", "  S  ", "  n  ", "4", "[S]\r\nn=4\r\n"},
      {"value written as given", "[S]\r\n", "S", "k", "  a b  ", "[S]\r\nk=  a b  \r\n"},
  };
  for (const EditCase& c : cases) {
    IniDocument document(c.before);
    EXPECT_TRUE(document.Set(c.section, c.key, c.value)) << c.what;
    EXPECT_EQ(document.Bytes(), c.after) << c.what;
  }
}

// Stretches of blank and other lines are held as one run; they still read
// and edit line by line.
TEST(IniDocument, LongStretchesOfBlankLinesReadAndEditAsLines) {
  const std::string blanks(1 << 20, '\n');
  const std::string head = blanks + "[S]\r\n" + blanks + "k=1\r\n;\n\r\n \t\n";
  const std::string bytes = head + blanks + "[T]\nx=2";
  IniDocument document(bytes);
  EXPECT_EQ(document.Find("S", "k"), "1");
  EXPECT_EQ(document.Find("T", "x"), "2");
  EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"S", "T"}));
  EXPECT_EQ(document.Bytes(), bytes);
  ASSERT_TRUE(document.Set("S", "j", "3"));
  ASSERT_TRUE(document.Set("T", "y", "4"));
  ASSERT_TRUE(document.Set("U", "z", "5"));
  const std::string expected =
      blanks + "[S]\r\n" + blanks + "k=1\r\n;\nj=3\r\n\r\n \t\n" + blanks + "[T]\nx=2\r\ny=4\r\n[U]\r\nz=5\r\n";
  EXPECT_EQ(document.Bytes(), expected);
  EXPECT_EQ(document.Find("S", "j"), "3");
}

TEST(IniDocument, RefusesWritesThatWouldAddLinesOrSections) {
  const std::string before = "[S]\r\nk=1\r\n";
  const std::vector<std::array<std::string, 3>> refused = {
      {"S", "k", "a\r\n[Evil]\r\nx=1"},
      {"S", "k", "a\nb"},
      {"S", "k", "a\rb"},
      {"S", "[x]", "1"},
      {"S", ";x", "1"},
      {"S", "a=b", "1"},
      {"S", "", "1"},
      {"", "k", "1"},
      {"a]b", "k", "1"},
      {"S\n[T", "k", "1"},
      {"S", "k\nj", "1"},
  };
  for (const auto& [section, key, value] : refused) {
    IniDocument document(before);
    EXPECT_FALSE(document.Set(section, key, value)) << section << "/" << key << "/" << value;
    EXPECT_EQ(document.Bytes(), before);
  }
}

TEST(IniDocument, ClosingBracketThatIsATrailByteDoesNotEndASectionName) {
  // ゾ = 83 5D ends in "]"; ソ = 83 5C ends in "\".
  IniDocument document("[\x83\x5D\x83\x5D]\r\n\x95\x5C=\x83\x5C\r\n");
  EXPECT_EQ(document.Find("\x83\x5D\x83\x5D", "\x95\x5C"), "\x83\x5C");
  EXPECT_FALSE(document.Set("\x83\x5D]", "k", "v"));
}

TEST(IniFile, ValueEndsAtAZeroByte) {
  const IniDocument document(std::string("[S]\r\nk=ab\0cd\r\n", 14));
  EXPECT_EQ(ReadString(document, "S", "k", "", 1024), "ab");
}

TEST(IniFile, BinaryAndBrokenFilesGiveValues) {
  TempDir dir;
  std::string bytes;
  unsigned state = 12345;
  for (int i = 0; i < (1 << 20); ++i) {
    state = state * 1103515245u + 12345u;
    bytes += static_cast<char>(state >> 16);
  }
  bytes += "\n[S]\nk=found\n";
  bytes += std::string(3 << 20, 'x');  // one long line without a line end
  bytes += "\x82";                     // a lead byte cut off by the end of the file
  WriteBytes(dir.native() / "binary.ini", bytes);
  EXPECT_EQ(ReadString(dir.system() + "binary.ini", "S", "k", "d", 1024), "found");
  EXPECT_EQ(ReadString(dir.system() + "binary.ini", "S", "none", "d", 1024), "d");
  ASSERT_TRUE(WriteString(dir.system() + "binary.ini", "S", "k", "new"));
  EXPECT_EQ(ReadString(dir.system() + "binary.ini", "S", "k", "d", 1024), "new");
  std::string expected = bytes;
  expected.replace(expected.find("k=found"), 7, "k=new");
  EXPECT_EQ(ReadBytes(dir.native() / "binary.ini"), expected);
}

TEST(IniFile, OversizedFileIsReadInPartAndNeverCutByAWrite) {
  TempDir dir;
  const std::string bytes = "[S]\r\nk=v\r\n" + std::string(kMaxFileBytes, ';');
  WriteBytes(dir.native() / "big.ini", bytes);
  EXPECT_EQ(ReadString(dir.system() + "big.ini", "S", "k", "", 1024), "v");
  EXPECT_FALSE(WriteString(dir.system() + "big.ini", "S", "k", "w"));
  EXPECT_EQ(ReadBytes(dir.native() / "big.ini"), bytes);
}

TEST(IniFile, WriteReplacesTheFileAndLeavesNothingBeside) {
  TempDir dir;
  WriteBytes(dir.native() / "p.ini", "[S]\r\nk=1\r\n");
  IniFileEdit edit(dir.system() + "p.ini");
  EXPECT_TRUE(edit.Set("S", "k", "2"));
  EXPECT_TRUE(edit.Set("S", "j", "3"));
  EXPECT_FALSE(edit.Set("S", "bad", "x\ny"));
  ASSERT_TRUE(edit.Commit());
  EXPECT_EQ(ReadBytes(dir.native() / "p.ini"), "[S]\r\nk=2\r\nj=3\r\n");
  EXPECT_EQ(dir.List(), std::vector<std::string>{"p.ini"});
}

// Root may write into read-only folders, so the failing writes use paths
// that nobody can write: a file below a regular file, and a folder in the
// place of the file.
TEST(IniFile, WriteToAnUnwritablePathFailsAndCreatesNothing) {
  TempDir dir;
  WriteBytes(dir.native() / "file", "x");
  fs::create_directory(dir.native() / "folder.ini");
  for (const std::string& path :
       {dir.system() + "file\\x.ini", dir.system() + "missing\\x.ini", dir.system() + "folder.ini"}) {
    IniFileEdit edit(path);
    EXPECT_TRUE(edit.Set("S", "k", "v")) << path;
    EXPECT_FALSE(edit.Commit()) << path;
    EXPECT_FALSE(WriteString(path, "S", "k", "v")) << path;
    EXPECT_EQ(ReadString(path, "S", "k", "d", 16), "d") << path;
  }
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"file", "folder.ini"}));
}

TEST(IniFile, BareFileNamesLieInTheSystemFolder) {
  const struct {
    std::string path, expected;
  } cases[] = {
      {"x.ini", "C:\\sys\\x.ini"}, {"\x95\x5C.ini", "C:\\sys\\\x95\x5C.ini"},  // 表.ini: its 0x5C is no separator
      {".\\x.ini", ".\\x.ini"},    {"C:\\dir\\x.ini", "C:\\dir\\x.ini"},
      {"C:x.ini", "C:x.ini"},      {"/home/me/x.ini", "/home/me/x.ini"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePath(c.path, "C:\\sys\\"), c.expected) << c.path;
  EXPECT_EQ(ResolvePath("x.ini", "/opt/prog"), "/opt/prog\\x.ini");
}

}  // namespace
}  // namespace pagelark::ini
