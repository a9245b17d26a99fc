// Paths as the user sees them, and the user's download folder.
#include "platform/user_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/fs.h"
#include "support/TempDir.h"

namespace pagelark::platform {
namespace {

TEST(DisplayPath, UsesTheSlashAndKeepsCharacters) {
  // 0x5C is the trail byte of "表" (0x95 0x5C): not a separator.
  EXPECT_EQ(DisplayPath("\\tmp\\\x95\x5C\\dl\\"), "/tmp/\x95\x5C/dl/");
  EXPECT_EQ(WithTrailingSeparator("/dl"), "/dl/");
  EXPECT_EQ(WithTrailingSeparator("C:\\dl\\"), "C:\\dl\\");
  for (const char* foreign : {"C:\\", "c:/x", "D:", "Z:\\dl\\"}) EXPECT_TRUE(IsForeignDrivePath(foreign)) << foreign;
  for (const char* local : {"/home/me", "dl", "C:dl", "1:\\", ""}) EXPECT_FALSE(IsForeignDrivePath(local)) << local;
}

TEST(UserDownloadFolder, ReadsTheUserDirsEntry) {
  const char* file =
      "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "XDG_DOWNLOAD_DIR=\"$HOME/\xE3\x83\x80\xE3\x82\xA6\xE3\x83\xB3\xE3\x83\xAD\xE3\x83\xBC\xE3\x83\x89\"\n";
  EXPECT_EQ(DownloadDirFromUserDirs(file, "/home/me"),
            "/home/me/\xE3\x83\x80\xE3\x82\xA6\xE3\x83\xB3\xE3\x83\xAD\xE3\x83\xBC\xE3\x83\x89");
  EXPECT_EQ(DownloadDirFromUserDirs("XDG_DOWNLOAD_DIR=\"/data/dl\"\n", "/home/me"), "/data/dl");
  EXPECT_EQ(DownloadDirFromUserDirs("XDG_DOWNLOAD_DIR=\"relative\"\n", "/home/me"), "");
  EXPECT_EQ(DownloadDirFromUserDirs("XDG_MUSIC_DIR=\"$HOME/Music\"\n", "/home/me"), "");
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserDownloadFolder, FallsBackToDownloadsThenHome) {
  test::TempDir home;
  ScopedEnv homeVar("HOME", home.native().string());
  ScopedEnv config("XDG_CONFIG_HOME", (home.native() / "config").string());
  EXPECT_EQ(UserDownloadFolder(), home.display());
  std::filesystem::create_directory(home.native() / "Downloads");
  EXPECT_EQ(UserDownloadFolder(), home.display() + "Downloads/");
  std::filesystem::create_directory(home.native() / "config");
  std::ofstream(home.native() / "config/user-dirs.dirs") << "XDG_DOWNLOAD_DIR=\"$HOME/\xE5\x8F\x96\"\n";  // 取
  EXPECT_EQ(UserDownloadFolder(), home.display() + "\x8E\xE6/");
}

}  // namespace
}  // namespace pagelark::platform
