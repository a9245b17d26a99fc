#include <gtest/gtest.h>

#include <filesystem>

#include "links/MirrorLayout.h"
#include "platform/fs.h"
#include "support/TempDir.h"

namespace pagelark {
namespace {

namespace fs = std::filesystem;

TEST(PlaceFile, MirrorsTheUrlUnderTheDownloadFolder) {
  const MirrorPlace place = PlaceFile("D:\\dl\\", "http://host/dir/Img/Logo.GIF", false);
  EXPECT_EQ(place.folder, "D:\\dl\\http\\host\\dir\\img\\");
  // The name is stored lower-case, as the saved page links to it.
  EXPECT_EQ(place.filePath, "D:\\dl\\http\\host\\dir\\img\\logo.gif");
  EXPECT_TRUE(place.twinPath.empty());
  // A lone lead byte is escaped, so the "/" behind it still ends a folder.
  EXPECT_EQ(PlaceFile("D:\\dl\\", "http://host/\x84/a.gif", false).filePath, "D:\\dl\\http\\host\\%84\\a.gif");
}

TEST(PlaceFile, OneFolderPutsEveryFileInTheDownloadFolder) {
  const MirrorPlace place = PlaceFile("D:\\dl\\", "http://host/dir/a.gif", true);
  EXPECT_EQ(place.folder, "");
  EXPECT_EQ(place.filePath, "D:\\dl\\a.gif");
}

TEST(PlaceFile, RenamesAQueryName) {
  EXPECT_EQ(PlaceFile("D:\\dl\\", "http://host/pic.cgi?id=7", false).filePath, "D:\\dl\\http\\host\\picid=7.cgi");
  EXPECT_EQ(PlaceFile("D:\\dl\\", "http://host/get?id=7", true).filePath, "D:\\dl\\getid=7.jpg");
}

TEST(PlacePage, NamesAFolderUrlIndexHtmlWithATwin) {
  const MirrorPlace place = PlacePage("D:\\dl\\", "http://host/dir/", false);
  EXPECT_EQ(place.folder, "D:\\dl\\http\\host\\dir\\");
  EXPECT_EQ(place.filePath, "D:\\dl\\http\\host\\dir\\index.html");
  EXPECT_EQ(place.twinSource, place.filePath);
  EXPECT_EQ(place.twinPath, "D:\\dl\\http\\host\\dir\\index.htm");
  EXPECT_EQ(PlacePage("D:\\dl\\", "http://host/\x84/", false).filePath, "D:\\dl\\http\\host\\%84\\index.html");
}

TEST(PlacePage, TwinOnlyForTheExactNameIndexHtml) {
  EXPECT_FALSE(PlacePage("D:\\dl\\", "http://host/index.html", false).twinPath.empty());
  EXPECT_TRUE(PlacePage("D:\\dl\\", "http://host/Index.html", false).twinPath.empty());
  EXPECT_TRUE(PlacePage("D:\\dl\\", "http://host/index.htm", false).twinPath.empty());
}

TEST(PlacePage, QueryPagesAreRenamedAsPages) {
  EXPECT_EQ(PlacePage("D:\\dl\\", "http://host/cgi/list.cgi?page=2", false).filePath,
            "D:\\dl\\http\\host\\cgi\\list.cgipage=2.html");
  EXPECT_EQ(PlacePage("D:\\dl\\", "http://host/list.cgi?page=2", true).filePath, "D:\\dl\\list.cgipage=2.html");
}

// Folders are worked out once and kept: the same folder, met again among
// others, and a query in the folder part, must still place as on first sight.
TEST(PlacePage, KeptFolderFormsPlaceAsOnFirstSight) {
  const struct {
    const char* url;
    const char* filePath;
  } cases[] = {
      {"http://host/a/x.html", "D:\\dl\\http\\host\\a\\x.html"},
      {"http://host/b/./../y.HTML", "D:\\dl\\http\\host\\b\\y.html"},
      {"http://host/a/z.html", "D:\\dl\\http\\host\\a\\z.html"},
      {"http://host/q.cgi?d=/e/f.html", "D:\\dl\\http\\host\\q.cgid=ef.html.html"},
      {"http://host/a/x.html", "D:\\dl\\http\\host\\a\\x.html"},
      {"http://host/a//x.html", "D:\\dl\\http\\host\\a\\x.html"},
      {"http://host/a/b//", "D:\\dl\\http\\host\\a\\b\\index.html"},
  };
  for (const auto& c : cases) EXPECT_EQ(PlacePage("D:\\dl\\", c.url, false).filePath, c.filePath) << c.url;
}

TEST(PlacePage, AnUnwantedPageIsNotStoredButItsTwinIsTriedInTheDownloadFolder) {
  const MirrorPlace place = PlacePage("D:\\dl\\", "http://host/dir/", false, false);
  EXPECT_EQ(place.folder, "");
  EXPECT_EQ(place.filePath, "");
  EXPECT_EQ(place.twinSource, "D:\\dl\\index.html");
  EXPECT_EQ(place.twinPath, "D:\\dl\\index.htm");
}

TEST(ConfineLocalPart, NeutralisesStepsThatLeaveTheFolder) {
  EXPECT_EQ(ConfineLocalPart("http\\host\\..\\..\\etc\\"), "http\\host\\etc\\");
  EXPECT_EQ(ConfineLocalPart("\\etc\\passwd"), "etc\\passwd");
  EXPECT_EQ(ConfineLocalPart("c:\\windows\\x"), "c\\windows\\x");
  EXPECT_EQ(ConfineLocalPart("a\\.\\b\\\\c"), "a\\b\\c");
  EXPECT_EQ(ConfineLocalPart(".."), "");
  EXPECT_EQ(ConfineLocalPart("a/../b"), "a\\b");
  EXPECT_EQ(ConfineLocalPart("%2e%2e\\x"), "%2e%2e\\x");  // encoded: just a name
  EXPECT_EQ(ConfineLocalPart("...\\x"), "...\\x");
  EXPECT_EQ(ConfineLocalPart("a\x84/b\x84:\\c"), "a%84\\b%84\\c");  // lone lead bytes escaped
}

// Creates what the layout says for each hostile URL and proves that nothing
// appeared outside the download folder.
TEST(MirrorLayout, HostileUrlsCreateNothingOutsideTheDownloadFolder) {
  test::TempDir root;
  const std::string download = root.system() + "dl\\";
  ASSERT_TRUE(platform::CreateDirectories(download));
  const char* urls[] = {
      "http://host/../../escape1.html",
      "http://host/a/../../../escape2/",
      "http://host/..\\..\\..\\escape3.gif",
      "//../escape4.gif",
      "http:/../../escape5/x.gif",
      "http://host/C:\\escape6.gif",
      "http://host/%2e%2e/%2e%2e/encoded.gif",
      "../../escape7.cgi?x=../../y",
      "http://host/x.cgi?a=/../../escape8",
  };
  for (const char* url : urls) {
    for (const MirrorPlace& place : {PlaceFile(download, url, false), PlacePage(download, url, false),
                                     PlaceFile(download, url, true), PlacePage(download, url, true)}) {
      if (!place.folder.empty()) platform::CreateDirectories(place.folder);
      if (!place.filePath.empty()) platform::WriteTextFile(place.filePath, url);
    }
  }
  for (const std::string& entry : root.List()) {
    EXPECT_TRUE(entry == "dl" || entry.starts_with("dl/")) << entry;
  }
  EXPECT_TRUE(fs::exists(root.native() / "dl/http/host/escape1.html"));
  EXPECT_TRUE(fs::exists(root.native() / "dl/http/host/%2e%2e/%2e%2e/encoded.gif"));
}

}  // namespace
}  // namespace pagelark
