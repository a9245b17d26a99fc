// Page requisites over loopback: style sheets followed into what they
// import, requisites with a query fetched with a plain GET and stored with
// their extension last, <base href> honoured (in any case), local links written with "/".
#include <gtest/gtest.h>

#include <algorithm>

#include "RunFixture.h"

namespace pagelark {
namespace {

class RequisitesTest : public test::RunFixture {
 protected:
  RequisitesTest() {
    server.Serve("/d/index.html", 200,
                 "<BASE href=\"/d/sub/\"><link rel=stylesheet href=\"../s.css?v=3\">"
                 "<script src=\"../app.js?1\"></script><img srcset=\"p.png 2x\"><a href=\"x.html\">x</a>"
                 "<img srcset=\"gone.png\">");
    server.Serve("/d/s.css", 200, "@import \"i/imp.css\"; body{background:url(bg.png)} i{background:url(gone.png)}",
                 "text/css");
    server.Serve("/d/i/imp.css", 200, "b{background:url('../bg2.png')}", "text/css");
    for (const char* path : {"/d/bg.png", "/d/bg2.png", "/d/app.js", "/d/sub/p.png", "/d/sub/x.html"}) {
      server.Serve(path, 200, path);
    }
    host.settings.startUrl = server.Url("/d/index.html");
  }

  const test::RecordedRequest* RequestFor(const std::string& target) const {
    static std::vector<test::RecordedRequest> requests;
    requests = server.Requests();
    const auto found =
        std::find_if(requests.begin(), requests.end(), [&](const auto& r) { return r.target == target; });
    return found == requests.end() ? nullptr : &*found;
  }
};

TEST_F(RequisitesTest, StyleSheetsScriptsAndImagesAreFetchedStoredAndLinked) {
  host.settings.requisites = true;
  EXPECT_EQ(Run(), StartResult::kEnded);
  for (const char* target : {"/d/s.css?v=3", "/d/app.js?1"}) {
    const test::RecordedRequest* request = RequestFor(target);
    ASSERT_NE(request, nullptr) << target;
    EXPECT_EQ(request->version, "HTTP/1.1") << target;  // a plain GET, not a form
    EXPECT_FALSE(request->HasHeader("Content-Type")) << target;
  }
  // Links to requisites that failed (404) get their URL back.
  const std::pair<const char*, std::string> stored[] = {
      {"d/index.html",
       "<link rel=stylesheet href=\"sv=3.css\"><script src=\"app1.js\"></script>"
       "<img srcset=\"sub/p.png 2x\"><a href=\"sub\\x.html\">x</a><img srcset=\"" +
           server.Url("/d/sub/gone.png") + "\">"},
      {"d/sv=3.css",
       "@import \"i/imp.css\"; body{background:url(bg.png)} i{background:url(" + server.Url("/d/gone.png") + ")}"},
      {"d/i/imp.css", "b{background:url('../bg2.png')}"},
      {"d/app1.js", "/d/app.js"},
      {"d/bg.png", "/d/bg.png"},
      {"d/bg2.png", "/d/bg2.png"},
      {"d/sub/p.png", "/d/sub/p.png"},
      {"d/sub/x.html", "/d/sub/x.html"},
  };
  for (const auto& [path, bytes] : stored) EXPECT_EQ(ReadStored(path), bytes) << path;
}

// A Japanese name in a page in UTF-8, EUC-JP or Shift_JIS (a multi-byte
// character right before "<" and a quote) is requested as a
// browser requests it (UTF-8, percent-encoded), stored under its name, and
// the page keeps its bytes but for an escaped link to it, which names the
// stored file as the raw one does; the progress line shows the name readably.
TEST_F(RequisitesTest, JapaneseNamesInEveryEncoding) {
  host.settings.requisites = true;
  const struct {
    std::string folder, contentType, page;
  } pages[] = {
      {"u", "text/html",
       "<meta charset=\"utf-8\">あ<img alt=\"あ\" src=\"写真.png\"><a href=\"%E5%86%99%E7%9C%9F.png\">あ</a>"},
      {"e", "text/html; charset=EUC-JP", cp932::Utf8ToEucJp("漢<img alt=\"漢\" src=\"写真.png\">")},
      {"s", "text/html", cp932::FromUtf8("<meta charset=Shift_JIS>表<img alt=\"表\" src=\"写真.png\">")},
  };
  for (const auto& p : pages) {
    server.Serve("/" + p.folder + "/index.html", 200, p.page, p.contentType);
    server.HandleOthers([](const httplib::Request& request, httplib::Response& response) {
      response.set_content(request.path, "image/png");
    });
    host.settings.startUrl = server.Url("/" + p.folder + "/index.html");
    EXPECT_EQ(Run(), StartResult::kEnded) << p.folder;
    ASSERT_NE(RequestFor("/" + p.folder + "/%E5%86%99%E7%9C%9F.png"), nullptr) << p.folder;
    EXPECT_EQ(ReadStored(p.folder + "/写真.png"), "/" + p.folder + "/写真.png") << p.folder;
    EXPECT_EQ(ReadStored(p.folder + "/index.html"), cp932::ReplaceAll(p.page, "%E5%86%99%E7%9C%9F", "写真"))
        << p.folder;
    EXPECT_NE(std::find(host.lines.begin(), host.lines.end(),
                        "\t" + server.Url("/" + p.folder + "/") + J("写真.png") + J("のダウンロードに成功しました。")),
              host.lines.end())
        << p.folder;
  }
}

// What a server says an answer is decides whether it is scanned: a page
// served as HTML whatever its name, never a picture named ".html".
TEST_F(RequisitesTest, TheContentTypeDecidesWhatIsScanned) {
  host.settings.requisites = true;
  server.Serve("/c/index.html", 200, "<a href=\"view.php\">v</a><a href=\"pic.html\">p</a>");
  server.Serve("/c/view.php", 200, "<img src=\"in.png\">", "text/html; charset=utf-8");
  server.Serve("/c/pic.html", 200, "<img src=\"no.png\">", "image/png");
  server.Serve("/c/in.png", 200, "png", "image/png");
  host.settings.startUrl = server.Url("/c/index.html");
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_NE(RequestFor("/c/in.png"), nullptr);
  EXPECT_EQ(RequestFor("/c/no.png"), nullptr);
  EXPECT_EQ(ReadStored("c/view.php"), "<img src=\"in.png\">");
  EXPECT_EQ(ReadStored("c/pic.html"), "<img src=\"no.png\">");
}

// With the switch off (a profile without the key) nothing of it happens.
TEST_F(RequisitesTest, OffLeavesTheDescribedScan) {
  EXPECT_EQ(Run(), StartResult::kEnded);
  EXPECT_EQ(RequestFor("/d/app.js?1"), nullptr);
  EXPECT_EQ(RequestFor("/d/i/imp.css"), nullptr);
}

}  // namespace
}  // namespace pagelark
