#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "crawl/MirrorCheck.h"
#include "support/TempDir.h"

namespace pagelark {
namespace {

// A small mirror with one of each finding; "dl\http\h\" is the mirrored
// server, "other" is not.
TEST(CheckMirror, FindsDeadLinksOnlineLinksAbsolutePathsAndEmptyFiles) {
  test::TempDir root;
  const std::filesystem::path site = root.native() / "http/h";
  std::filesystem::create_directories(site / "sub");
  const auto write = [&](const std::string& path, const std::string& text) { std::ofstream(site / path) << text; };
  const std::string absolute = root.system() + "http\\h\\c.gif";
  write("a b.gif", "gif");
  write("c.gif", "gif");
  write("sub/index.html", "<a href=\"..\\page.html\">up</a>");
  write("empty.css", "");
  write("s.css", "b{background:url(c.gif)} i{background:url('gone.png')}");
  write("page.html",
        "<img src=\"a%20b.gif\"><a href=\"sub\\\">s</a><a href=\"gone.html\">g</a>"
        "<a href=\"http://h/x.html\">x</a><a href=\"//other/y.html\">y</a><a href=\"http://elsewhere\">e</a><a "
        "href=\"mailto:m@h\">m</a>"
        "<img src=\"" +
            absolute + "\"><img src=\"\\nowhere\\z.gif\"><a href=\"#top\">t</a><!-- <a href=c.html>c</a> -->");
  const MirrorReport report = CheckMirror(root.system());
  EXPECT_EQ(report.pages, 4u);  // style sheets included
  EXPECT_EQ(report.links, 12u);
  const auto values = [](const std::vector<MirrorReport::Link>& links) {
    std::vector<std::string> out;
    for (const auto& link : links) out.push_back(link.page + " " + link.value);
    return out;
  };
  EXPECT_EQ(values(report.broken),
            (std::vector<std::string>{"http\\h\\page.html gone.html", "http\\h\\page.html \\nowhere\\z.gif",
                                      "http\\h\\s.css gone.png"}));
  EXPECT_EQ(values(report.onlineMirrored), std::vector<std::string>{"http\\h\\page.html http://h/x.html"});
  EXPECT_EQ(report.onlineElsewhere, 2u);
  EXPECT_EQ(values(report.absolutePaths),
            (std::vector<std::string>{"http\\h\\page.html " + absolute, "http\\h\\page.html \\nowhere\\z.gif"}));
  EXPECT_EQ(report.emptyFiles, std::vector<std::string>{"http\\h\\empty.css"});
  EXPECT_FALSE(report.Whole());
}

}  // namespace
}  // namespace pagelark
