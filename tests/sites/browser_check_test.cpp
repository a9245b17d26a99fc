// Saved pages in a real browser: each page as served on 127.0.0.1 against its
// saved copy opened offline must look the same (BrowserShots.h).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "sites/BrowserShots.h"
#include "sites/SiteMirror.h"
#include "support/CliProcess.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"

namespace pagelark::test {
namespace {

namespace fs = std::filesystem;

// The project's site of every kind of requisite: style sheets with @import
// and url(), a <style> block and a style attribute with url(), a script that
// draws, srcset, <picture>, a lazy picture, a video poster, an icon, <base
// href>, and Japanese file names from a UTF-8 and a Shift_JIS page
// (tools/make-requisites-site.py writes its pictures and the Shift_JIS page).
const fs::path kRequisitesSite = fs::path(PAGELARK_SOURCE_DIR) / "tests/sites/requisites";
const std::vector<std::string> kRequisitesPages = {"index.html", "base.html", "japanese.html", "sjis.html"};
constexpr std::string_view kWithRequisites = "--set Requisites=on";

// Where the shots of `page` are kept: out/browser-shots/<check>/<page without .html>/.
std::string ShotsName(std::string_view check, const std::string& page) {
  return std::string(check) + "/" + fs::path(page).replace_extension().string();
}

class BrowserCheck : public testing::Test {
 protected:
  void SetUp() override {
    if (!HaveChromium()) GTEST_SKIP() << kNoChromium;
  }

  // Expects each of `pages` to look offline in the mirror as it looks served.
  static void ExpectMirrorLooksServed(const SiteMirror& run, const std::vector<std::string>& pages,
                                      std::string_view name) {
    ASSERT_EQ(run.cli().status, 0) << run.cli().err;
    for (const std::string& page : pages) {
      ExpectSameLook(run.mirrored().origin + "/" + page, run.mirrored().mirror / page, ShotsName(name, page));
    }
  }
};

// The offline shot reaches no server: a copy whose picture still points to
// the server shows the page without the picture, and the server hears
// nothing while it is taken.
TEST_F(BrowserCheck, OfflineShotsReachNoServer) {
  constexpr int kPictureWidth = 300, kPictureHeight = 200;
  const auto page = [&](const std::string& picture) {
    return "<html><body style='margin:0;background:#fff'><h1>Offline</h1><img src='" + picture +
           "' width=" + std::to_string(kPictureWidth) + " height=" + std::to_string(kPictureHeight) + "></body></html>";
  };
  LoopbackServer server;
  server.Serve("/page.html", 200, page("pic.png"));
  server.Serve("/pic.png", 200, ReadAll(kRequisitesSite / "img/css.png"), "image/png");
  const TempDir copy;
  const fs::path saved = copy.native() / "page.html";
  std::ofstream(saved) << page(server.Url("/pic.png"));

  const Shot online = TakeShot(server.Url("/page.html"), Network::kOn);
  ASSERT_TRUE(online.error.empty()) << online.error;
  const std::size_t heard = server.Requests().size();
  EXPECT_GE(heard, 2u) << "online: the page and its picture";
  const Shot offline = TakeShot(FileUrl(saved), Network::kOff);
  ASSERT_TRUE(offline.error.empty()) << offline.error;
  EXPECT_EQ(server.Requests().size(), heard) << "the offline shot reached " << server.Requests().back().target;

  // The saved file opened (the heading is the same); only the picture's
  // place differs.
  const PixelDifference difference = ComparePixels(online.picture, offline.picture);
  EXPECT_GT(difference.differing, static_cast<std::size_t>(kPictureWidth * kPictureHeight / 2));
  EXPECT_LE(difference.differing, static_cast<std::size_t>(kPictureWidth * kPictureHeight));
}

// The site renders the same online and from its own folder, where nothing is
// missing: what differs in a mirror's shots is the mirror's doing.
TEST_F(BrowserCheck, RequisitesSiteLooksTheSameFromItsFolder) {
  LoopbackServer server;
  server.ServeFolder(kRequisitesSite);
  for (const std::string& page : kRequisitesPages) {
    ExpectSameLook(server.Url("/" + page), kRequisitesSite / page, ShotsName("requisites-folder", page));
  }
}

TEST_F(BrowserCheck, RequisitesSiteLooksTheSameMirrored) {
  const SiteMirror run(kRequisitesSite, "index.html", kWithRequisites);
  ExpectMirrorLooksServed(run, kRequisitesPages, "requisites");
  // What no shot shows (the icon, the 2x picture of the srcset, the
  // fallbacks) must not be left online either.
  const CliResult check = RunMirrorCheck(run);
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_EQ(check.out.find("online, mirrored here: "), std::string::npos) << check.out;
}

TEST_F(BrowserCheck, PythonDocumentationLooksTheSameMirrored) {
  ASSERT_TRUE(fs::is_directory(kPythonDocs))
      << kPythonDocs << " is missing: tools/setup-deps.sh installs python3.11-doc";
  const SiteMirror run(kPythonDocs, "index.html", kWithRequisites);
  ExpectMirrorLooksServed(run, {"index.html", "library/functions.html"}, "python-docs");
}

}  // namespace
}  // namespace pagelark::test
