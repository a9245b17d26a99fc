#include "platform/program_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/fs.h"
#include "support/TempDir.h"

namespace pagelark::platform {
namespace {

// A prefix "usr" with share/pagelark/ beside its bin/, and a folder "xbin"
// and a build tree beside it.
class ProgramFoldersTest : public ::testing::Test {
 protected:
  ProgramFoldersTest() {
    for (const char* folder : {"usr/bin", "usr/share/pagelark", "usr/xbin", "tree/bin", "tree/app/gui"}) {
      std::filesystem::create_directories(dir_.native() / folder);
    }
  }
  std::string Sys(const std::string& relative) const { return dir_.system() + relative; }

  test::TempDir dir_;
};

TEST_F(ProgramFoldersTest, AnInstalledProgramWritesToTheUsersConfigFolder) {
  struct Case {
    const char* configHome;
    const char* home;
    std::string programDir;
  };
  const std::string bin = Sys("usr\\bin\\");
  for (const Case& c : {Case{"/cfg", "/home/me", "\\cfg\\pagelark\\"}, Case{"/cfg/", "", "\\cfg\\pagelark\\"},
                        Case{"", "/home/me", "\\home\\me\\.config\\pagelark\\"},
                        Case{"cfg", "/home/me/", "\\home\\me\\.config\\pagelark\\"},  // a relative value is ignored
                        Case{"", "", bin}, Case{"", "home", bin}}) {
    const ProgramFolders folders = ChooseProgramFolders({bin, c.configHome, c.home});
    EXPECT_TRUE(folders.installed);
    EXPECT_EQ(folders.programDir, c.programDir) << c.configHome << " " << c.home;
    EXPECT_EQ(folders.helpDir, Sys("usr\\share\\pagelark\\help\\"));
  }
}

TEST_F(ProgramFoldersTest, AnyOtherFolderKeepsEverythingBesideTheExecutable) {
  // "tree" has a bin folder but no share\pagelark\ beside it.
  for (const std::string& exe :
       {Sys("tree\\bin\\"), Sys("tree\\app\\gui\\"), Sys("usr\\xbin\\"), std::string("\\bin\\")}) {
    const ProgramFolders folders = ChooseProgramFolders({exe, "/cfg", "/home/me"});
    EXPECT_FALSE(folders.installed) << exe;
    EXPECT_EQ(folders.programDir, exe);
    EXPECT_EQ(folders.helpDir, exe + "help\\");
  }
}

TEST(DefaultProgramFolders, ATestInTheBuildTreeIsNotInstalled) {
  const ProgramFolders folders = DefaultProgramFolders();
  EXPECT_FALSE(folders.installed);
  EXPECT_EQ(folders.programDir, ExecutableDirectory());
}

}  // namespace
}  // namespace pagelark::platform
