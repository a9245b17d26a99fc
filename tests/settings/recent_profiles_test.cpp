// The recent profiles in set.ini: after key INI, absent meaning none, and an
// older set.ini left byte for byte while the list is empty.
#include <gtest/gtest.h>

#include "ProfileFiles.h"
#include "settings/ProfileWriter.h"
#include "settings/RecentProfiles.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace pagelark {
namespace {

using test::ProfileText;

class RecentProfilesTest : public testing::Test {
 protected:
  std::string SetIni() { return test::ReadBytes(dir_.native() / "set.ini"); }
  void WriteSetIni(const std::string& bytes) { test::WriteBytes(dir_.native() / "set.ini", bytes); }

  test::TempDir dir_;
};

TEST_F(RecentProfilesTest, KeysFollowTheStartUpProfileAndAnEmptyListRestoresTheOldFile) {
  const std::string old = ProfileText({"INI=/p/a.ini"});
  WriteSetIni(old);
  EXPECT_TRUE(ReadRecentProfiles(dir_.system()).empty());

  ASSERT_TRUE(WriteRecentProfiles(dir_.system(), {"/p/b.ini", "/p/a.ini"}));
  EXPECT_EQ(SetIni(), ProfileText({"INI=/p/a.ini", "Recent1=/p/b.ini", "Recent2=/p/a.ini"}));
  EXPECT_EQ(ReadRecentProfiles(dir_.system()), (std::vector<std::string>{"/p/b.ini", "/p/a.ini"}));

  // A save rewrites INI where it stands.
  test::FakeHost host;
  ASSERT_TRUE(WriteProfile("/p/c.ini", dir_.system(), host));
  EXPECT_EQ(SetIni(), ProfileText({"INI=/p/c.ini", "Recent1=/p/b.ini", "Recent2=/p/a.ini"}));

  ASSERT_TRUE(WriteRecentProfiles(dir_.system(), {}));
  EXPECT_EQ(SetIni(), ProfileText({"INI=/p/c.ini"}));
}

TEST_F(RecentProfilesTest, AnEmptyListWritesNothingAndAnEqualListLeavesTheBytes) {
  ASSERT_TRUE(WriteRecentProfiles(dir_.system(), {}));
  EXPECT_TRUE(dir_.List().empty());

  const std::string handWritten = "; mine\n" + test::kSectionHeader + "\nINI = /p/a.ini \nRecent1=/p/a.ini\n";
  WriteSetIni(handWritten);
  ASSERT_TRUE(WriteRecentProfiles(dir_.system(), {"/p/a.ini"}));
  EXPECT_EQ(SetIni(), handWritten);
}

// A list stored before any save (a profile opened at the first start) moves
// behind INI when the list changes after the save.
TEST_F(RecentProfilesTest, TheListMovesBehindAStartUpProfileWrittenLater) {
  ASSERT_TRUE(WriteRecentProfiles(dir_.system(), {"/p/a.ini"}));
  test::FakeHost host;
  ASSERT_TRUE(WriteProfile("/p/b.ini", dir_.system(), host));
  EXPECT_EQ(SetIni(), ProfileText({"Recent1=/p/a.ini", "INI=/p/b.ini"}));
  ASSERT_TRUE(WriteRecentProfiles(dir_.system(), {"/p/b.ini", "/p/a.ini"}));
  EXPECT_EQ(SetIni(), ProfileText({"INI=/p/b.ini", "Recent1=/p/b.ini", "Recent2=/p/a.ini"}));
}

}  // namespace
}  // namespace pagelark
