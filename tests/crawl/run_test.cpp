#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <stdexcept>
#include <thread>

#include "crawl/RunFixture.h"
#include "messages/RunTexts.h"
#include "support/FileSizeLimit.h"
#include "support/GeneratedSite.h"
#include "support/QuietHost.h"

namespace pagelark {
namespace {

namespace fs = std::filesystem;
using test::RunFixture;

std::string Downloading(const std::string& url) { return url + msg::kDownloading; }
std::string Succeeded(const std::string& url) { return "\t" + url + msg::kSucceeded; }
std::string Failed(const std::string& url) { return "\t" + url + msg::kFailed; }

using StartCommand = RunFixture;

TEST_F(StartCommand, RefusesBadLimitsWithoutTouchingTheProgressList) {
  host.lines = {"kept"};
  host.settings.maxFiles = "abc";
  EXPECT_EQ(Run(), StartResult::kRefused);
  host.settings.maxFiles = "5";
  host.settings.maxDuplicateLinks = "0";
  EXPECT_EQ(Run(), StartResult::kRefused);
  EXPECT_EQ(host.messages, (std::vector<std::string>{msg::kMaxFilesAboveZero, msg::kMaxDuplicateLinksAboveZero}));
  EXPECT_EQ(host.lines, std::vector<std::string>{"kept"});
}

// A URL that names nothing is refused before the folder is touched.
TEST_F(StartCommand, RefusesAnEmptyUrlAndFocusesItsField) {
  host.settings.downloadFolder = root.system() + "never";
  for (const char* url : {"", "  ", "http://", "https:// "}) {
    host.settings.startUrl = url;
    EXPECT_EQ(Run(), StartResult::kRefused) << url;
  }
  EXPECT_EQ(host.messages, std::vector<std::string>(4, msg::kUrlNotSet));
  EXPECT_EQ(host.focusedFields.back(), (test::FocusedField{SettingField::kStartUrl, 0}));
  EXPECT_FALSE(fs::exists(root.native() / "never"));
  EXPECT_TRUE(host.lines.empty());
}

// "C:\\dl\\" from a profile written on Windows would be a folder named "C:".
TEST_F(StartCommand, RefusesAFolderOnADrive) {
  host.settings.downloadFolder = "C:\\dl\\";
  EXPECT_EQ(Run(), StartResult::kRefused);
  EXPECT_EQ(host.messages, std::vector<std::string>{msg::kForeignFolder + std::string("C:\\dl\\")});
  EXPECT_EQ(host.focusedFields.back(), (test::FocusedField{SettingField::kDownloadFolder, 0}));
  EXPECT_FALSE(fs::exists("C:"));
}

TEST_F(StartCommand, FocusesTheFirstEmptyCounterField) {
  host.settings.counters[1] = {true, "1", "", ""};
  EXPECT_EQ(Run(), StartResult::kRefused);
  EXPECT_EQ(host.messages, std::vector<std::string>{msg::kValueNotSet});
  EXPECT_EQ(host.focusedFields, (std::vector<test::FocusedField>{{SettingField::kCounterTo, 1}}));
}

TEST_F(StartCommand, CreatesAMissingFolderAndMakesItCurrent) {
  host.settings.downloadFolder = root.system() + "new\\dl";
  host.settings.startUrl = server.Url("/a.html");
  server.Serve("/a.html", 200, "<p>a</p>");
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(host.messages.front(), msg::kFolderMissingCreating);
  EXPECT_TRUE(fs::is_directory(root.native() / "new/dl"));
  EXPECT_EQ(fs::current_path(), fs::canonical(root.native() / "new/dl"));
}

TEST_F(StartCommand, GivesUpWhenTheFolderCannotBeCreated) {
  std::ofstream(root.native() / "file") << "x";
  host.settings.downloadFolder = root.system() + "file\\dl";
  EXPECT_EQ(Run(), StartResult::kRefused);
  EXPECT_EQ(host.messages, (std::vector<std::string>{msg::kFolderMissingCreating, msg::kFolderCannotBeCreated}));
  EXPECT_TRUE(host.lines.empty());
}

TEST_F(StartCommand, RefusesASecondStartDuringARun) {
  server.Serve("/a.html", 200, "<p>a</p>");
  host.settings.startUrl = server.Url("/a.html");
  int nested = 0;
  host.onPump = [&](int) {
    if (nested++ == 0) {
      EXPECT_EQ(Run(), StartResult::kBusy);
    }
  };
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(host.messages.front(), msg::kRunInProgress);
}

using CrawlRunTest = RunFixture;

TEST_F(CrawlRunTest, MirrorsAPageWithItsImagesAndLinks) {
  server.Serve("/dir/index.html", 200,
               "<html><img src=\"Img/Logo.GIF\"><a href=\"next.html\">next</a><a href=\"data.html\">d</a></html>");
  server.Serve("/dir/Img/Logo.GIF", 200, std::string("GIF89a\0\1", 8), "image/gif");
  server.Serve("/dir/next.html", 200, "<p>next</p>");
  server.Serve("/dir/data.html", 200, "<p>data</p>");
  host.settings.startUrl = server.Url("/dir/");
  EXPECT_EQ(Run(), StartResult::kEnded);

  const std::string start = server.Url("/dir/index.html");
  EXPECT_EQ(RunLines(), (std::vector<std::string>{
                            Downloading(start), Succeeded(start), Downloading(server.Url("/dir/Img/Logo.GIF")),
                            Succeeded(server.Url("/dir/Img/Logo.GIF")), Downloading(server.Url("/dir/next.html")),
                            Succeeded(server.Url("/dir/next.html")), Downloading(server.Url("/dir/data.html")),
                            Succeeded(server.Url("/dir/data.html"))}));
  EXPECT_EQ(ReadStored("dir/index.html"),
            "<html><img src=\"img\\logo.gif\"><a href=\"next.html\">next</a><a href=\"data.html\">d</a></html>");
  EXPECT_TRUE(fs::exists(Stored("dir/index.htm")));
  EXPECT_EQ(ReadStored("dir/img/logo.gif"), std::string("GIF89a\0\1", 8));
  EXPECT_EQ(host.statuses.back(), test::RunFixture::J("ダウンロード件数 4"));
  EXPECT_EQ(host.messages.back(), msg::kDownloadComplete);
  EXPECT_EQ(host.lines.front(), "");
  EXPECT_TRUE(host.lines[1].starts_with(msg::kStartLine));
  EXPECT_TRUE(host.lines.back().starts_with(msg::kEndLine));
  EXPECT_EQ(host.settings.indexFile, "http\\127.0.0.1" + std::to_string(server.port()) + "\\dir\\index.html");
}

TEST_F(CrawlRunTest, FivePassesFindLinksInTheirOrder) {
  const std::string page =
      "<frameset><frame src=\"f.html\"></frameset><select><option value=\"o.html\">o</option></select>"
      "<a href=\"a.html\">a</a><body background=\"bg.gif\"><img src=\"i.gif\">";
  server.Serve("/p.html", 200, page);
  for (const char* path : {"/f.html", "/o.html", "/a.html", "/bg.gif", "/i.gif"}) server.Serve(path, 200, "x");
  host.settings.startUrl = server.Url("/p.html");
  EXPECT_EQ(Run(), StartResult::kEnded);
  std::vector<std::string> order;
  for (const auto& request : server.Requests()) order.push_back(request.target);
  EXPECT_EQ(order, (std::vector<std::string>{"/p.html", "/i.gif", "/bg.gif", "/a.html", "/o.html", "/f.html"}));
  EXPECT_EQ(ReadStored("p.html"), page);  // every link is relative and keeps its form
}

TEST_F(CrawlRunTest, ALinkLeftOutOfTheRunStaysOnlineInTheSavedPage) {
  server.Serve("/p.html", 200,
               "<a href=\"mailto:x@y\">m</a><a href=\"/r.html\">r</a><a href=\"x.pdf\">x</a>"
               "<a href=\"http://other.invalid/o.html\">o</a>");
  server.Serve("/r.html", 200, "r");
  host.settings.startUrl = server.Url("/p.html");
  host.settings.allKinds = false;
  host.settings.kinds = {"html"};
  host.settings.sameServerOnly = true;  // the server name comes from the start URL
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(ReadStored("p.html"), "<a href=\"mailto:x@y\">m</a><a href=\"r.html\">r</a><a href=\"" +
                                      server.Url("/x.pdf") + "\">x</a><a href=\"http://other.invalid/o.html\">o</a>");
  EXPECT_EQ(RunLines().size(), 4u);  // p.html and r.html only
}

// A link that two passes meet (an image and an anchor, in either order) is
// fetched once, and both values become the same local link.
struct LinkMetTwice {
  const char* what;
  const char* page;  // served at "/" + page, and stored there
  const char* text;
  std::vector<std::pair<std::string, std::string>> files;  // path and body
  std::size_t requests;
  const char* saved;
};

const LinkMetTwice kLinksMetTwice[] = {
    {"a value an earlier pass rewrote is no new link",
     "top/p.html",
     "<a href=\"/top/pic.gif\"><img src=\"/top/pic.gif\"></a>",
     {{"/top/pic.gif", "gif"}},
     2,
     "<a href=\"pic.gif\"><img src=\"pic.gif\"></a>"},
    {"nor one rewritten only in letter case",
     "d/p.html",
     "<img src=\"Logo.GIF\"><a href=\"Logo.GIF\">logo</a>",
     {{"/d/Logo.GIF", "gif"}},
     2,
     "<img src=\"logo.gif\"><a href=\"logo.gif\">logo</a>"},
    // Stored as the folder's index page, which is scanned: x.html is fetched.
    {"an image naming a folder is that folder's page",
     "p.html",
     "<img src=\"dir/\"><a href=\"dir/\">d</a>",
     {{"/dir/", "<a href=\"x.html\">x</a>"}, {"/dir/x.html", "x"}},
     3,
     "<img src=\"dir\\index.html\"><a href=\"dir\\index.html\">d</a>"},
};

class LinkMetTwiceTest : public RunFixture, public ::testing::WithParamInterface<LinkMetTwice> {};

TEST_P(LinkMetTwiceTest, IsFetchedOnceAndRewrittenAlike) {
  const LinkMetTwice& c = GetParam();
  SCOPED_TRACE(c.what);
  server.Serve("/" + std::string(c.page), 200, c.text);
  for (const auto& [path, body] : c.files) server.Serve(path, 200, body);
  host.settings.startUrl = server.Url("/" + std::string(c.page));
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(server.Requests().size(), c.requests);
  EXPECT_EQ(ReadStored(c.page), c.saved);
}

INSTANTIATE_TEST_SUITE_P(Passes, LinkMetTwiceTest, ::testing::ValuesIn(kLinksMetTwice));

// A link to a file that is not there once the downloads are done (a 404)
// gets its URL back; a file an earlier run stored keeps its local link. So do
// the links of a later page back to files fetched before it.
TEST_F(CrawlRunTest, LinksToFilesThatWereNotStoredGetTheirUrlBack) {
  server.Serve("/d/p.html", 200,
               "<img src=\"gone.gif\"><img src=\"ok.gif\"><a href=\"kept.html\">k</a><a href=\"no.html#s\">n</a>"
               "<a href=\"q.html\">q</a>");
  server.Serve("/d/q.html", 200, "<img src=\"ok.gif\"><img src=\"gone.gif\">");
  server.Serve("/d/ok.gif", 200, "gif");
  server.Serve("/d/kept.html", 404, "");
  std::filesystem::create_directories(Stored("d"));
  std::ofstream(Stored("d/kept.html")) << "from an earlier run";
  host.settings.startUrl = server.Url("/d/p.html");
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(ReadStored("d/p.html"), "<img src=\"" + server.Url("/d/gone.gif") +
                                        "\"><img src=\"ok.gif\"><a href=\"kept.html\">k</a><a href=\"" +
                                        server.Url("/d/no.html") + "#s\">n</a><a href=\"q.html\">q</a>");
  EXPECT_EQ(ReadStored("d/q.html"), "<img src=\"ok.gif\"><img src=\"" + server.Url("/d/gone.gif") + "\">");
  EXPECT_EQ(ReadStored("d/kept.html"), "from an earlier run");
  EXPECT_FALSE(std::filesystem::exists(Stored("d/gone.gif")));
}

TEST_F(CrawlRunTest, APageThatCannotBeWrittenTakesBackItsCount) {
  server.Serve("/a.html", 200, "<p>a</p>");
  host.settings.startUrl = server.Url("/a.html");
  fs::create_directories(Stored("a.html"));  // a folder where the page should go
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(RunLines().back(), "\t" + server.Url("/a.html") + msg::kCannotCreate);
  EXPECT_EQ(host.statuses.back(), test::RunFixture::J("ダウンロード件数 0"));
}

TEST_F(CrawlRunTest, OutsideLinksAreCutFromSavedPagesOnlyWhileBelowStartUrlOnlyIsOn) {
  // An absolute anchor to the folder above is cut with its tag; a relative
  // link outside stays as its absolute URL.
  const std::string parent = server.Url("/a/");
  const std::string page = "<a href=\"" + parent + "\">top</a><a href=\"../up.html\">up</a><a href=\"in.html\">in</a>";
  server.Serve("/a/b/index.html", 200, page);
  server.Serve("/a/up.html", 200, "up");
  server.Serve("/a/b/in.html", 200, "in");
  host.settings.startUrl = server.Url("/a/b/index.html");
  host.settings.belowStartUrlOnly = true;
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(ReadStored("a/b/index.html"),
            "top</a><a href=\"" + server.Url("/a/up.html") + "\">up</a><a href=\"in.html\">in</a>");
  EXPECT_EQ(server.Requests().size(), 2u);

  host.settings.belowStartUrlOnly = false;
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_NE(ReadStored("a/b/index.html").find("<a href=\"..\\up.html\">up</a>"), std::string::npos);
}

TEST_F(CrawlRunTest, EveryStartUrlIsListedButOnlyTheFileLimitIsProcessed) {
  for (const char* path : {"/p1.html", "/p2.html", "/p3.html", "/p4.html", "/p5.html"}) server.Serve(path, 200, "x");
  host.settings.startUrl = server.Url("/p@a@.html");
  host.settings.counters[0] = {true, "1", "5", "1"};
  host.settings.maxFiles = "2";
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(host.statuses.front(), test::RunFixture::J("1 / 5:     ") + server.Url("/p1.html") + msg::kDownloading);
}

// Six counters of a thousand values each: only what the file limit lets the
// run fetch is listed, the status line still counts every start URL, and the
// server name is the last start URL's.
TEST_F(CrawlRunTest, HugeCounterRangesCostWhatTheRunFetches) {
  server.HandleOthers(
      [](const httplib::Request&, httplib::Response& response) { response.set_content("x", "text/html"); });
  host.settings.startUrl = server.Url("/@a@/@b@/@c@/@d@/@e@/@f@.html");
  for (auto& counter : host.settings.counters) counter = {true, "1", "1000", "1"};
  host.settings.maxFiles = "3";
  host.settings.sameServerOnly = true;
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(server.Requests().size(), 3u);
  EXPECT_EQ(host.statuses.front(),
            test::RunFixture::J("1 / 1000000000000000000:     ") + server.Url("/1/1/1/1/1/1.html") + msg::kDownloading);
}

// Start URLs listed as the run reaches them give the run of start URLs all
// listed at once: the same requests, lines, statuses and files, the links
// found in pages still behind every start URL.
TEST_F(CrawlRunTest, StartUrlsListedLateGiveTheSameRun) {
  for (int i = 1; i <= 4; ++i) {
    const std::string n = std::to_string(i);
    server.Serve("/p" + n + ".html", 200, "<a href=\"q" + n + ".html\">q</a><a href=\"p" + n + ".html\">self</a>");
    server.Serve("/q" + n + ".html", 200, "<img src=\"p4.html\">");
  }
  host.settings.startUrl = server.Url("/p@a@.html");
  host.settings.counters[0] = {true, "1", "4", "1"};
  host.settings.maxFiles = "7";
  struct Outcome {
    std::vector<std::string> lines, statuses, files;
    std::size_t requests;
  };
  std::vector<Outcome> outcomes;
  for (std::size_t ahead : {10000u, 1u}) {
    engine.SetStartUrlsListedAhead(ahead);
    const std::size_t before = server.Requests().size();
    host.statuses.clear();
    EXPECT_EQ(Run(), StartResult::kEnded);
    outcomes.push_back({RunLines(), host.statuses, root.List(), server.Requests().size() - before});
  }
  EXPECT_EQ(outcomes[0].lines, outcomes[1].lines);
  EXPECT_EQ(outcomes[0].statuses, outcomes[1].statuses);
  EXPECT_EQ(outcomes[0].files, outcomes[1].files);
  EXPECT_EQ(outcomes[0].requests, outcomes[1].requests);
}

TEST_F(CrawlRunTest, CountersExpandInOrderWithZeroPadding) {
  for (const char* page : {"/p08-1.html", "/p08-2.html", "/p10-1.html", "/p10-2.html"}) server.Serve(page, 200, "x");
  host.settings.startUrl = server.Url("/p@a@-@b@.html");
  host.settings.counters[0] = {true, "08", "10", "2"};
  host.settings.counters[1] = {true, "1", "2", "1"};
  EXPECT_EQ(Run(), StartResult::kEnded);
  std::vector<std::string> fetched;
  for (const auto& request : server.Requests()) fetched.push_back(request.target);
  EXPECT_EQ(fetched, (std::vector<std::string>{"/p08-1.html", "/p08-2.html", "/p10-1.html", "/p10-2.html"}));
}

TEST_F(CrawlRunTest, FromAboveToGivesAnEmptyRunThatStillEnds) {
  host.settings.startUrl = server.Url("/p@a@.html");
  host.settings.counters[0] = {true, "10", "1", "1"};
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_TRUE(RunLines().empty());
  EXPECT_EQ(host.statuses.back(), test::RunFixture::J("ダウンロード件数 0"));
}

TEST_F(CrawlRunTest, AStepBelowOneAbandonsTheRun) {
  host.settings.startUrl = server.Url("/p@a@.html");
  host.settings.counters[0] = {true, "1", "3", "0"};
  EXPECT_EQ(Run(), StartResult::kRefused);
  EXPECT_EQ(host.messages, std::vector<std::string>{msg::kStepAtLeastOne});
  EXPECT_EQ(host.lines.size(), 3u);  // empty, start and end lines
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(CrawlRunTest, ProbesIndexPagesInOrder) {
  server.Serve("/d/index.htm", 200, "<p>htm</p>");
  host.settings.startUrl = server.Url("/d/");
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(RunLines().front(), Downloading(server.Url("/d/index.htm")));
  EXPECT_EQ(host.settings.indexFile, "http\\127.0.0.1" + std::to_string(server.port()) + "\\d\\index.htm");
}

TEST_F(CrawlRunTest, NoIndexPageAbandonsTheRun) {
  host.settings.startUrl = server.Url("/none/");
  host.settings.writeLog = true;
  EXPECT_EQ(Run(), StartResult::kRefused);
  EXPECT_EQ(RunLines(), std::vector<std::string>{"\t" + server.Url("/none/") + msg::kCannotDownload});
  EXPECT_TRUE(host.statuses.empty());
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(fs::exists(root.native() / "prog/log"));
}

TEST_F(CrawlRunTest, TheFileLimitStopsTheScanAndTheLoop) {
  server.Serve("/a.html", 200, "<img src=\"1.gif\"><img src=\"2.gif\"><a href=\"b.html\">b</a>");
  server.Serve("/1.gif", 200, "1");
  host.settings.startUrl = server.Url("/a.html");
  host.settings.maxFiles = "2";
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(RunLines().size(), 4u);  // two candidates, two lines each
  EXPECT_EQ(ReadStored("a.html"), "<img src=\"1.gif\"><img src=\"2.gif\"><a href=\"b.html\">b</a>");
}

TEST_F(CrawlRunTest, OneFolderPutsEveryFileInTheDownloadFolder) {
  server.Serve("/a/b/p.html", 200, "<img src=\"x/pic.gif\">");
  server.Serve("/a/b/x/pic.gif", 200, "gif");
  host.settings.startUrl = server.Url("/a/b/p.html");
  host.settings.oneFolder = true;
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(root.List(), (std::vector<std::string>{"dl", "dl/p.html", "dl/pic.gif"}));
}

// Each failure line has its reason beside it (for the front end and the
// log) and in the status line.
TEST_F(CrawlRunTest, FailuresAreProgressLinesWithTheirReasons) {
  server.Serve("/a.html", 200, "<a href=\"empty.html\">e</a><img src=\"gone.gif\">");
  server.Serve("/empty.html", 200, "");
  host.settings.startUrl = server.Url("/a.html");
  EXPECT_EQ(Run(), StartResult::kEnded);
  const std::pair<std::string, std::string> expected[] = {{"/empty.html", "empty"}, {"/gone.gif", "HTTP 404"}};
  for (const auto& [path, reason] : expected) {
    const auto line = std::find(host.lines.begin(), host.lines.end(), Failed(server.Url(path)));
    ASSERT_NE(line, host.lines.end()) << path;
    EXPECT_EQ(host.reasons[static_cast<int>(line - host.lines.begin())], reason) << path;
  }
  EXPECT_EQ(host.statuses[host.statuses.size() - 2], test::RunFixture::J("3 / 3:     ") + server.Url("/empty.html") +
                                                         test::RunFixture::J("のダウンロードに失敗しました（empty）"));
  EXPECT_EQ(host.statuses.back(), test::RunFixture::J("ダウンロード件数 1"));
}

// The bytes reported are those of the whole 200 answers, whichever way they
// were fetched: a page, a file, a query download, a form answer. A missing
// file and a body cut short add nothing.
TEST_F(CrawlRunTest, ProgressCountsTheBytesOfWholeAnswers) {
  const std::string page =
      "<img src=\"a.gif\"><img src=\"gone.gif\"><img src=\"cut.gif\"><img src=\"get.zip?v=1\">"
      "<a href=\"find.cgi?q=1\">f</a>";
  server.Serve("/p.html", 200, page);
  server.Serve("/a.gif", 200, std::string(5000, 'a'), "image/gif");
  server.Serve("/get.zip", 200, "query file", "application/zip");
  server.Serve("/find.cgi", 200, "<p>found</p>");
  server.Handle("/cut.gif", [](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(100, "image/gif", [](std::size_t, std::size_t, httplib::DataSink& sink) {
      sink.write("GIF89a", 6);
      return false;  // the connection closes 94 bytes short
    });
  });
  host.settings.startUrl = server.Url("/p.html");
  EXPECT_EQ(Run(), StartResult::kEnded);
  ASSERT_FALSE(host.progress.empty());
  const RunProgress& last = host.progress.back();
  EXPECT_EQ(last.processed, 6u);
  EXPECT_EQ(last.listed, 6u);
  EXPECT_EQ(last.bytes, page.size() + 5000 + std::string("query file<p>found</p>").size());
}

// Every file below the download folder with its bytes.
std::map<std::string, std::string> FilesWithBytes(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_directory()) files[fs::relative(entry.path(), folder).string()] = test::ReadAll(entry.path());
  }
  return files;
}

// A second run into the same folder whose downloads fail (404, 500, a body
// cut short by a closed connection) leaves the first run's copies byte for
// byte, and no temporary file.
TEST_F(CrawlRunTest, FailuresOfALaterRunKeepTheEarlierCopies) {
  server.Serve("/d/index.html", 200, "<img src=\"a.gif\"><img src=\"c.gif\"><img src=\"list.cgi?n=1\">");
  for (const char* path : {"/d/a.gif", "/d/c.gif", "/d/list.cgi"}) server.Serve(path, 200, path);
  host.settings.startUrl = server.Url("/d/");
  EXPECT_EQ(Run(), StartResult::kEnded);
  const auto firstRun = FilesWithBytes(root.native() / "dl");
  ASSERT_EQ(firstRun.size(), 5u);  // the page, its "index.htm" twin, three files

  server.Serve("/d/a.gif", 404, "gone");
  server.Serve("/d/list.cgi", 500, "broken");
  server.Handle("/d/c.gif", [](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(100, "image/gif", [](std::size_t, std::size_t, httplib::DataSink& sink) {
      sink.write("GIF89a", 6);
      return false;  // the connection closes 94 bytes short
    });
  });
  EXPECT_EQ(Run(), StartResult::kEnded);
  for (const char* path : {"/d/a.gif", "/d/c.gif", "/d/list.cgi?n=1"}) {
    EXPECT_NE(std::find(host.lines.begin(), host.lines.end(), Failed(server.Url(path))), host.lines.end()) << path;
  }
  EXPECT_EQ(FilesWithBytes(root.native() / "dl"), firstRun);
}

// A form URL under each request method: the verb, the body, and the URL the
// result line shows (without its query under POST only).
TEST_F(CrawlRunTest, FormsGoByTheChosenMethod) {
  struct Row {
    RequestMethod method;
    const char* verb;
    const char* body;
    const char* shown;
  };
  const Row rows[] = {{RequestMethod::kGet, "GET", "", "/find.cgi?q=1"},
                      {RequestMethod::kPost, "POST", "q=1", "/find.cgi"},
                      {RequestMethod::kNone, "POST", "", "/find.cgi?q=1"}};
  server.Serve("/find.cgi", 200, "<p>found</p>");
  host.settings.startUrl = server.Url("/find.cgi?q=1");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.verb);
    host.settings.requestMethod = row.method;
    const std::size_t before = server.Requests().size();
    EXPECT_EQ(Run(), StartResult::kEnded);
    EXPECT_EQ(RunLines()[1], " " + server.Url(row.shown) + msg::kSucceeded);
    const auto request = server.Requests().at(before);
    EXPECT_EQ(request.method, row.verb);
    EXPECT_EQ(request.target, "/find.cgi?q=1");
    if (row.method != RequestMethod::kGet) {
      EXPECT_EQ(request.body, row.body);
    }
    EXPECT_EQ(ReadStored("find.cgiq=1.html"), "<p>found</p>");
  }
}

TEST_F(CrawlRunTest, AnUnwantedPageIsScannedButNeitherReportedNorStored) {
  server.Serve("/a.html", 200, "<img src=\"p.png\">");
  server.Serve("/p.png", 200, "png");
  host.settings.startUrl = server.Url("/a.html");
  host.settings.allKinds = false;
  host.settings.kinds = {"png"};
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(RunLines(), (std::vector<std::string>{Downloading(server.Url("/p.png")), Succeeded(server.Url("/p.png"))}));
  EXPECT_FALSE(fs::exists(Stored("a.html")));
  EXPECT_TRUE(fs::exists(Stored("p.png")));
}

TEST_F(CrawlRunTest, AStopDuringTheExpansionProcessesNothing) {
  host.settings.startUrl = server.Url("/p@a@.html");
  host.settings.counters[0] = {true, "1", "1000", "1"};
  host.onPump = [&](int pump) {
    if (pump == 3) engine.StopDownload();
  };
  host.settings.writeLog = true;
  EXPECT_EQ(Run(), StartResult::kStopped);
  EXPECT_EQ(RunLines(), std::vector<std::string>{msg::kDownloadStopped});
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(host.statuses.back(), test::RunFixture::J("ダウンロード件数 0"));
  EXPECT_EQ(host.messages.back(), msg::kDownloadStopped);
  EXPECT_TRUE(fs::is_directory(root.native() / "prog/log"));  // a stopped run keeps its log
}

TEST_F(CrawlRunTest, AStopDuringTheMainLoopEndsAtTheNextCandidate) {
  server.Serve("/a.html", 200, "<a href=\"b.html\">b</a><a href=\"c.html\">c</a>");
  server.Serve("/b.html", 200, "b");
  host.settings.startUrl = server.Url("/a.html");
  host.onPump = [&](int) {
    if (host.lines.size() >= 4) engine.StopDownload();  // from the start page's result line on
  };
  EXPECT_EQ(Run(), StartResult::kStopped);
  EXPECT_EQ(RunLines().size(), 3u);
  EXPECT_EQ(RunLines().back(), msg::kDownloadStopped);
  EXPECT_EQ(host.statuses.back(), test::RunFixture::J("ダウンロード件数 1"));
}

TEST_F(CrawlRunTest, AnExceptionEndsTheRunInItsEndSequence) {
  server.Serve("/a.html", 200, "<a href=\"b.html\">b</a>");
  host.settings.startUrl = server.Url("/a.html");
  host.settings.writeLog = true;
  host.onPump = [&](int) {
    if (host.lines.size() > 3) throw std::runtime_error("boom");
  };
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(host.messages.back(), msg::kDownloadComplete);
  EXPECT_TRUE(fs::is_directory(root.native() / "prog/log"));
}

// A form answer broken off is the form's failure line and the run goes on;
// a file the disk will not take ends the run with a message that says so.
TEST_F(CrawlRunTest, AFailingCandidateIsItsFailureLineAndTheRunGoesOn) {
  server.Serve("/a.html", 200, "<a href=\"f.cgi?x=1\">f</a><a href=\"big.gif\">b</a><a href=\"z.html\">z</a>");
  server.Handle("/f.cgi", [](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(100, "text/html", [](std::size_t, std::size_t, httplib::DataSink& sink) {
      sink.write("<p>", 3);
      return false;  // the answer breaks off
    });
  });
  server.Serve("/big.gif", 200, std::string(1 << 16, 'g'), "image/gif");
  server.Serve("/z.html", 200, "z");
  host.settings.startUrl = server.Url("/a.html");
  {
    const test::FileSizeLimit fullDisk(1 << 12);
    EXPECT_EQ(Run(), StartResult::kEnded);
  }
  EXPECT_NE(std::find(host.lines.begin(), host.lines.end(), " " + server.Url("/f.cgi?x=1") + msg::kFailed),
            host.lines.end());
  EXPECT_NE(std::find(host.lines.begin(), host.lines.end(), Failed(server.Url("/big.gif"))), host.lines.end());
  EXPECT_EQ(host.messages, (std::vector<std::string>{msg::kCannotWriteDisk, msg::kDownloadComplete}));
  EXPECT_FALSE(fs::exists(Stored("z.html")));  // the run ended at the full disk
  EXPECT_EQ(host.statuses.back(), test::RunFixture::J("ダウンロード件数 1"));
}

// Links planted in the download folder are never written through: a folder
// level that is a symbolic link refuses its files (and gets no folders made
// through it), and a link or hard link in a file's place (the "index.htm"
// twin too) is replaced.
TEST_F(CrawlRunTest, LinksPlantedInTheDownloadFolderAreNeverWrittenThrough) {
  server.Serve("/d/index.html", 200,
               "<img src=\"a.gif\"><img src=\"b.gif\"><img src=\"in/c.gif\"><img src=\"in/new/c.gif\">");
  for (const char* path : {"/d/a.gif", "/d/b.gif", "/d/in/c.gif", "/d/in/new/c.gif"}) {
    server.Serve(path, 200, "new", "image/gif");
  }
  const fs::path outside = root.native() / "outside";
  fs::create_directories(outside / "in");
  for (const char* name : {"a", "b", "twin", "in/c.gif"}) std::ofstream(outside / name) << "kept";
  fs::create_directories(Stored("d"));
  fs::create_symlink(outside / "a", Stored("d/a.gif"));
  fs::create_hard_link(outside / "b", Stored("d/b.gif"));
  fs::create_symlink(outside / "twin", Stored("d/index.htm"));
  fs::create_directory_symlink(outside / "in", Stored("d/in"));
  host.settings.startUrl = server.Url("/d/");
  EXPECT_EQ(Run(), StartResult::kEnded);
  for (const char* name : {"a", "b", "twin", "in/c.gif"}) EXPECT_EQ(test::ReadAll(outside / name), "kept") << name;
  EXPECT_EQ(ReadStored("d/a.gif"), "new");
  EXPECT_EQ(ReadStored("d/b.gif"), "new");
  EXPECT_FALSE(fs::is_symlink(Stored("d/index.htm")));
  EXPECT_NE(std::find(host.lines.begin(), host.lines.end(), Failed(server.Url("/d/in/c.gif"))), host.lines.end());
  EXPECT_NE(std::find(host.lines.begin(), host.lines.end(), Failed(server.Url("/d/in/new/c.gif"))), host.lines.end());
  EXPECT_FALSE(fs::exists(outside / "in/new"));
}

// A stop while a transfer waits on a silent server ends the transfer at once:
// the run is over before the server would have answered.
TEST_F(CrawlRunTest, AStopIsHeardWhileATransferWaits) {
  std::atomic<bool> answered = false;
  server.Handle("/slow.html", [&](const httplib::Request&, httplib::Response& response) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    answered = true;
    response.set_content("late", "text/html");
  });
  host.settings.startUrl = server.Url("/slow.html");
  host.onPump = [&](int) {
    if (!server.Requests().empty()) engine.StopDownload();
  };
  EXPECT_EQ(Run(), StartResult::kStopped);
  EXPECT_FALSE(answered);
  EXPECT_NE(std::find(host.lines.begin(), host.lines.end(), Failed(server.Url("/slow.html"))), host.lines.end());
}

// The profile's bounds reach the transfers: a page or file over its cap is a
// failure line and leaves nothing behind.
TEST_F(CrawlRunTest, ThePagesAndFilesOverTheProfilesCapsFail) {
  const std::string big(3 << 19, 'x');  // 1.5 MiB
  server.Serve("/a.html", 200, "<a href=\"big.html\">p</a><a href=\"big.zip\">f</a>");
  server.Serve("/big.html", 200, big);
  server.Serve("/big.zip", 200, big, "application/zip");
  host.settings.startUrl = server.Url("/a.html");
  host.settings.bounds.maxPageMiB = "1";
  host.settings.bounds.maxFileMiB = "1";
  EXPECT_EQ(Run(), StartResult::kEnded);
  for (const char* path : {"/big.html", "/big.zip"}) {
    EXPECT_NE(std::find(host.lines.begin(), host.lines.end(), Failed(server.Url(path))), host.lines.end()) << path;
  }
  EXPECT_FALSE(fs::exists(Stored("big.zip")));
}

TEST_F(CrawlRunTest, NoLogFolderWithoutWriteLog) {
  server.Serve("/a.html", 200, "a");
  host.settings.startUrl = server.Url("/a.html");
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_FALSE(fs::exists(root.native() / "prog/log"));
}

TEST_F(CrawlRunTest, TheLogHoldsTheListUpToTheCountLine) {
  server.Serve("/a.html", 200, "a");
  host.settings.startUrl = server.Url("/a.html");
  host.settings.writeLog = true;
  EXPECT_EQ(Run(), StartResult::kEnded);
  const auto entries = root.List();
  const auto log = std::find_if(entries.begin(), entries.end(), [](const std::string& e) {
    return e.starts_with("prog/log/work") && e.ends_with(".log") &&
           e.size() == std::string("prog/log/work").size() + 18;
  });
  ASSERT_NE(log, entries.end());
  const std::string bytes = test::ReadAll(root.native() / *log);
  std::string expected;
  for (std::size_t i = 0; i + 1 < host.lines.size(); ++i) expected += host.lines[i] + "\r\n";
  EXPECT_EQ(bytes, expected);
}

// Twenty thousand URLs over loopback: the run completes, every URL once.
TEST(LargeSite, ARunOverTwentyThousandUrlsCompletes) {
  test::TempDir dir;
  test::LoopbackServer server;
  test::ServeGeneratedSite(server, 10000);  // 10,000 pages, each with one image
  test::QuietHost host;
  host.settings.startUrl = server.Url("/p0.html");
  host.settings.downloadFolder = dir.system();
  host.settings.maxFiles = "100000";
  host.settings.maxDuplicateLinks = "500";
  const std::string before = platform::CurrentDirectory();
  CrawlEngine engine(host);
  EXPECT_EQ(engine.StartDownload(dir.system(), "big.ini"), StartResult::kEnded);
  platform::SetCurrentDirectory(before);
  EXPECT_EQ(host.lines.size(), 3u + 2u * 20000u);
  EXPECT_EQ(host.status, cp932::FromUtf8("ダウンロード件数 20000"));
  EXPECT_EQ(server.Requests().size(), 20000u);
}

}  // namespace
}  // namespace pagelark
