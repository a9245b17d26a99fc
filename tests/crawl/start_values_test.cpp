#include <gtest/gtest.h>

#include "crawl/StartCommand.h"
#include "crawl/StatusFormat.h"
#include "platform/fs.h"

namespace pagelark {
namespace {

TEST(PrepareDownloadFolder, EndsWithABackslashAndIsAbsolute) {
  const std::string here = platform::CurrentDirectory();
  EXPECT_EQ(PrepareDownloadFolder("/home/me/dl"), "/home/me/dl\\");
  EXPECT_EQ(PrepareDownloadFolder("\\dl\\"), "\\dl\\");
  EXPECT_EQ(PrepareDownloadFolder("\\\x95\x5C"), "\\\x95\x5C\\");  // 表 ends in 0x5C, not in "\"
  // The run makes the folder the current directory, then writes below it.
  EXPECT_EQ(PrepareDownloadFolder("dl"), here + "dl\\");
  EXPECT_EQ(PrepareDownloadFolder("C:\\"), here + "C:\\");  // a folder named "C:" here
  EXPECT_EQ(PrepareDownloadFolder(""), here);
}

TEST(FormatStatus, FillsTheMarkersInOrder) {
  EXPECT_EQ(FormatStatus("%d / %d:     %s!", {"1", "20", "http://h/%d"}), "1 / 20:     http://h/%d!");
  EXPECT_EQ(FormatStatus("n %d", {"7"}), "n 7");
  EXPECT_EQ(FormatStatus("100%", {}), "100%");
}

}  // namespace
}  // namespace pagelark
