#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/fs.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace pagelark::platform {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::TempDir;

TEST(CreateDirectories, CreatesEveryLevelAndReportsWhetherItDid) {
  TempDir dir;
  EXPECT_TRUE(CreateDirectories(dir.system() + "http\\host\\a\\b\\"));
  EXPECT_TRUE(fs::is_directory(dir.native() / "http/host/a/b"));
  EXPECT_FALSE(CreateDirectories(dir.system() + "http\\host\\a\\b\\"));
  EXPECT_TRUE(CreateDirectories(dir.system() + "http\\host\\c"));
  EXPECT_TRUE(fs::is_directory(dir.native() / "http/host/c"));
}

TEST(CreateDirectories, CreatesANativePathTypedByTheUser) {
  TempDir dir;
  EXPECT_TRUE(CreateDirectories(dir.native().string() + "/new/dl"));
  EXPECT_TRUE(fs::is_directory(dir.native() / "new/dl"));
  EXPECT_TRUE(CreateDirectories(dir.native().string() + "/new/more\\"));
  EXPECT_TRUE(fs::is_directory(dir.native() / "new/more"));
}

TEST(CreateDirectories, KeepsDoubleByteNamesWhole) {
  TempDir dir;
  // 表\ソ\ : both characters end in the byte 0x5C.
  EXPECT_TRUE(CreateDirectories(dir.system() + "\x95\x5C\\\x83\x5C\\"));
  EXPECT_TRUE(fs::is_directory(dir.native() / "表" / "ソ"));
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"表", "表/ソ"}));
}

TEST(CreateDirectories, PassesOverLevelsItCannotCreate) {
  TempDir dir;
  ASSERT_TRUE(std::ofstream(dir.native() / "file").good());
  EXPECT_FALSE(CreateDirectories(dir.system() + "file\\sub\\"));
}

TEST(WriteTextFile, WritesTheBytesAsTheyAre) {
  TempDir dir;
  static const char kPage[] = "<html>\r\n<p>\x95\x5C</p>\n\0tail";  // CR LF kept, LF not widened, NUL kept
  const std::string page(kPage, sizeof kPage - 1);
  ASSERT_TRUE(WriteTextFile(dir.system() + "p.html", page));
  EXPECT_EQ(ReadAll(dir.native() / "p.html"), page);
  ASSERT_TRUE(WriteTextFile(dir.system() + "p.html", "short"));
  EXPECT_EQ(ReadAll(dir.native() / "p.html"), "short");
}

TEST(WriteTextFile, FailsWhenTheFileCannotBeOpened) {
  TempDir dir;
  EXPECT_FALSE(WriteTextFile(dir.system() + "missing\\p.html", "x"));
  EXPECT_FALSE(WriteTextFile(dir.system(), "x"));  // a folder
}

TEST(WriteTextFile, AFullDiskRaisesFileWriteErrorAndKeepsTheOldFile) {
  TempDir dir;
  ASSERT_TRUE(WriteTextFile(dir.system() + "p.html", "old"));
  {
    const test::FileSizeLimit full(4096);
    EXPECT_THROW(WriteTextFile(dir.system() + "p.html", std::string(1 << 16, 'x')), FileWriteError);
  }
  EXPECT_EQ(ReadAll(dir.native() / "p.html"), "old");
  EXPECT_EQ(dir.List(), std::vector<std::string>{"p.html"});
}

}  // namespace
}  // namespace pagelark::platform
