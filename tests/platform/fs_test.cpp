#include "platform/fs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace pagelark::platform {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::TempDir;

TEST(NativePath, TurnsBackslashesIntoSlashesAndConvertsToUtf8) {
  EXPECT_EQ(NativePath("C:\\dl\\a.html"), "C:/dl/a.html");
  EXPECT_EQ(NativePath("\\tmp\\\x95\x5C\\x"), "/tmp/表/x");  // 表 ends in 0x5C
  EXPECT_EQ(NativePath("/home/me/dl\\"), "/home/me/dl/");
  EXPECT_EQ(SystemPath("/tmp/表/"), "\\tmp\\\x95\x5C\\");
  EXPECT_EQ(NativePath("a\x85\x5C"
                       "b")
                .find('/'),
            std::string::npos);  // an unmapped pair stays one name
}

TEST(Files, JapaneseNamesAreCreatedInUtf8) {
  TempDir dir;
  const std::string folder = dir.system() + "\x83\x5C\x83\x74\x83\x67";  // ソフト
  EXPECT_TRUE(CreateFolder(folder));
  EXPECT_FALSE(CreateFolder(folder));  // exists already
  EXPECT_TRUE(FolderExists(folder));
  ASSERT_TRUE(WriteFileBytes(folder + "\\\x95\x5C.txt", "a\r\nb"));
  EXPECT_EQ(ReadAll(dir.native() / "ソフト" / "表.txt"), "a\r\nb");
  EXPECT_TRUE(FileExists(folder + "\\\x95\x5C.txt"));
}

TEST(Files, CopyReplacesTheTarget) {
  TempDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.system() + "a", "new"));
  ASSERT_TRUE(WriteFileBytes(dir.system() + "b", "old and longer"));
  EXPECT_TRUE(CopyFileReplacing(dir.system() + "a", dir.system() + "b"));
  EXPECT_EQ(ReadAll(dir.native() / "b"), "new");
  EXPECT_FALSE(CopyFileReplacing(dir.system() + "missing", dir.system() + "c"));
  // A copy that fails midway (a full disk) leaves the old target whole.
  ASSERT_TRUE(WriteFileBytes(dir.system() + "big", std::string(1 << 16, 'x')));
  {
    const test::FileSizeLimit full(4096);
    EXPECT_FALSE(CopyFileReplacing(dir.system() + "big", dir.system() + "b"));
  }
  EXPECT_EQ(ReadAll(dir.native() / "b"), "new");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"a", "b", "big"}));
}

TEST(Files, WritesFailCleanly) {
  TempDir dir;
  EXPECT_FALSE(WriteFileBytes(dir.system() + "no\\such\\folder\\f", "x"));
  EXPECT_FALSE(WriteFileBytes("", "x"));
  OutputFile file;
  EXPECT_FALSE(file.Write("x", 1));
  EXPECT_TRUE(file.Close());
}

TEST(Files, AtomicReplaceLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string target = dir.system() + "p.ini";
  ASSERT_TRUE(ReplaceFileAtomically(target, "one"));
  ASSERT_TRUE(ReplaceFileAtomically(target, "two"));
  EXPECT_EQ(ReadAll(dir.native() / "p.ini"), "two");
  EXPECT_EQ(dir.List(), std::vector<std::string>{"p.ini"});  // no temporary file left
  EXPECT_FALSE(ReplaceFileAtomically(dir.system() + "missing\\p.ini", "x"));
}

// A link in the file's place is replaced: the file it names stays as it was.
TEST(Files, AtomicReplaceKeepsPermissionsAndReadOnlyFilesAndReplacesLinks) {
  TempDir dir;
  const fs::path file = dir.native() / "p.ini";
  ASSERT_TRUE(WriteFileBytes(dir.system() + "p.ini", "old"));
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(ReplaceFileAtomically(dir.system() + "p.ini", "new"));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(file, dir.native() / "link.ini");
  ASSERT_TRUE(ReplaceFileAtomically(dir.system() + "link.ini", "through"));
  EXPECT_FALSE(fs::is_symlink(dir.native() / "link.ini"));
  EXPECT_EQ(ReadAll(dir.native() / "link.ini"), "through");
  EXPECT_EQ(ReadAll(file), "new");
  fs::permissions(file, fs::perms::owner_read);
  EXPECT_FALSE(ReplaceFileAtomically(dir.system() + "p.ini", "refused"));
  EXPECT_EQ(ReadAll(file), "new");
  fs::create_symlink("later.ini", dir.native() / "dangling.ini");  // names a file not there yet
  ASSERT_TRUE(ReplaceFileAtomically(dir.system() + "dangling.ini", "made"));
  EXPECT_FALSE(fs::exists(dir.native() / "later.ini"));
}

// Drops root's right to write anywhere while it lives ("nobody").
class WithoutRoot {
 public:
  WithoutRoot() : wasRoot_(geteuid() == 0) {
    if (wasRoot_ && seteuid(65534) != 0) throw std::runtime_error("seteuid failed");
  }
  ~WithoutRoot() {
    if (wasRoot_ && seteuid(0) != 0) std::abort();
  }

 private:
  bool wasRoot_;
};

class StagedFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFileBytes(Path("f"), "old")); }
  std::string Path(const std::string& name) const { return dir_.system() + name; }

  TempDir dir_;
};

// The target is replaced at the commit, not before; a file keeps its
// permissions, a link is replaced (not followed), a long name still fits.
TEST_F(StagedFileTest, CommitReplacesTheTarget) {
  fs::permissions(dir_.native() / "f", fs::perms::owner_read | fs::perms::owner_write);
  const std::string longName(255, 'n');
  fs::create_symlink(dir_.native() / "f", dir_.native() / longName);
  for (const std::string& name : {longName, std::string("f")}) {  // "f" still "old" after the link
    StagedFile file;
    ASSERT_TRUE(file.Open(Path(name)));
    ASSERT_TRUE(file.Write("new", 3));
    EXPECT_EQ(ReadAll(dir_.native() / name), "old");
    ASSERT_TRUE(file.Commit());
  }
  EXPECT_EQ(fs::status(dir_.native() / "f").permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(fs::is_symlink(dir_.native() / longName));
  EXPECT_EQ(ReadAll(dir_.native() / longName), "new");
  EXPECT_EQ(dir_.List(), (std::vector<std::string>{"f", longName}));
}

TEST_F(StagedFileTest, WithoutACommitTheOldFileStaysAndNoTemporaryIsLeft) {
  StagedFile discarded;
  ASSERT_TRUE(discarded.Open(Path("f")) && discarded.Write("new", 3));
  discarded.Discard();
  { ASSERT_TRUE(StagedFile().Open(Path("f"))); }
  EXPECT_EQ(ReadAll(dir_.native() / "f"), "old");
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"f"});
}

TEST_F(StagedFileTest, WhatCannotBeReplacedIsRefusedAtOpen) {
  fs::create_directory(dir_.native() / "folder");
  ASSERT_EQ(mkfifo((dir_.native() / "pipe").c_str(), 0666), 0);
  StagedFile file;
  for (const std::string& path : {Path("folder"), Path("pipe"), Path("missing\\f"), std::string()}) {
    EXPECT_FALSE(file.Open(path)) << path;
  }
  fs::permissions(dir_.native(), fs::perms::all);
  fs::permissions(dir_.native() / "f", fs::perms::owner_read | fs::perms::others_read);
  {
    const WithoutRoot user;
    EXPECT_FALSE(file.Open(Path("f")));  // a read-only file
  }
  fs::permissions(dir_.native() / "f", fs::perms::all);
  fs::permissions(dir_.native(),
                  fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
  {
    const WithoutRoot user;
    EXPECT_FALSE(file.Open(Path("f")));  // a writable file in a read-only folder
  }
  EXPECT_EQ(ReadAll(dir_.native() / "f"), "old");
  EXPECT_EQ(dir_.List(), (std::vector<std::string>{"f", "folder", "pipe"}));
}

// Written where it stands (same inode), longer or shorter; a link of either
// kind, a pipe or a missing file is refused untouched.
TEST_F(StagedFileTest, OverwriteKeepsTheFileAndRefusesLinks) {
  struct stat before {};
  ASSERT_EQ(stat((dir_.native() / "f").c_str(), &before), 0);
  for (const std::string content : {"a longer text", "s", ""}) {
    ASSERT_TRUE(OverwriteFile(Path("f"), content));
    EXPECT_EQ(ReadAll(dir_.native() / "f"), content);
  }
  struct stat after {};
  ASSERT_EQ(stat((dir_.native() / "f").c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);

  ASSERT_TRUE(WriteFileBytes(Path("g"), "old"));
  fs::create_hard_link(dir_.native() / "g", dir_.native() / "hard");
  fs::create_symlink(dir_.native() / "g", dir_.native() / "soft");
  ASSERT_EQ(mkfifo((dir_.native() / "pipe").c_str(), 0666), 0);
  for (const char* name : {"hard", "soft", "pipe", "missing"}) EXPECT_FALSE(OverwriteFile(Path(name), "new")) << name;
  EXPECT_EQ(ReadAll(dir_.native() / "g"), "old");
  // Falling back to the staged write replaces the link itself.
  EXPECT_TRUE(RewriteTextFile(Path("hard"), "new"));
  EXPECT_EQ(ReadAll(dir_.native() / "hard"), "new");
  EXPECT_EQ(ReadAll(dir_.native() / "g"), "old");
}

TEST(Files, ReadHonoursItsLimit) {
  TempDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.system() + "f", std::string(100000, 'x')));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(dir.system() + "f", bytes, 70000));
  EXPECT_EQ(bytes.size(), 70000u);
  EXPECT_FALSE(ReadFileBytes(dir.system() + "missing", bytes));
}

TEST(Directories, CurrentDirectoryRoundTrips) {
  TempDir dir;
  const std::string before = CurrentDirectory();
  ASSERT_TRUE(SetCurrentDirectory(dir.system()));
  EXPECT_EQ(fs::current_path(), fs::canonical(dir.native()));
  EXPECT_TRUE(CurrentDirectory().ends_with("\\"));
  EXPECT_FALSE(SetCurrentDirectory(dir.system() + "missing"));
  ASSERT_TRUE(SetCurrentDirectory(before));
}

TEST(Directories, AbsolutePathPrefixesTheCurrentDirectory) {
  EXPECT_EQ(AbsolutePath("\\x\\y"), "\\x\\y");
  EXPECT_EQ(AbsolutePath("/x/y"), "/x/y");
  EXPECT_EQ(AbsolutePath("C:\\dl"), CurrentDirectory() + "C:\\dl");  // a folder "C:" here
  EXPECT_EQ(AbsolutePath("dl\\a"), CurrentDirectory() + "dl\\a");
}

TEST(Directories, ExecutableDirectoryHoldsThisTest) {
  const std::string dir = ExecutableDirectory();
  ASSERT_TRUE(dir.ends_with("\\"));
  EXPECT_TRUE(fs::exists(NativePath(dir + "platform_tests")));
}

}  // namespace
}  // namespace pagelark::platform
