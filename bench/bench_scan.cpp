// Scans and rewrites a generated page with the five scan passes, once with
// 50,000 links in about 5 MB and once ten times larger, and prints one line
// per size: "<bytes> bytes, <links> links: <ms> ms".
// Target: at most 60 ms for the 5 MB page, the large page at most twelve
// times the small one. Then the same for minified pages of 1 MB and 10 MB
// (unquoted anchors, no blank or line break anywhere), and, with the page
// requisites scanned first, the 5 MB page and minified pages of pictures and
// style sheets ("+ requisites").
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "links/LinkState.h"
#include "links/ScanPass.h"
#include "support/QuietHost.h"

namespace {

// "リンク" and "画像の説明です。" in CP932, so that the text is not plain ASCII.
constexpr const char* kLinkWord = "\x83\x8A\x83\x93\x83\x4E";
constexpr const char* kFiller = "\x89\xE6\x91\x9C\x82\xCC\x90\xE0\x96\xBE\x82\xC5\x82\xB7\x81\x42";

// One line of about 100 bytes holding exactly one link.
std::string LinkLine(int i) {
  const std::string n = std::to_string(i);
  switch (i % 10) {
    case 0:
    case 1:
    case 2:
      return "<p class=\"item\"><a href=\"dir" + std::to_string(i % 50) + "/Page" + n + ".html\">" + kLinkWord + n +
             "</a> " + kFiller + "</p>\n";
    case 3:
      return "<li><a href=\"http://Other.example/abs/" + n + ".html\" title=\"t\">" + kLinkWord + "</a></li>\n";
    case 4:
    case 5:
    case 6:
      return "<div><img src=\"img/Pic" + n + ".gif\" width=\"10\" alt=\"" + kFiller + "\"></div>\n";
    case 7:
      return "<select><option value=\"list.cgi?page=" + n + "\">" + n + "</option></select>\n";
    case 8:
      return "<a href=\"files/doc" + n + ".pdf\">" + kFiller + "</a> <a href=\"#top\">top</a>\n";
    default:
      return "<frameset><frame src=\"frame" + n + ".htm\" name=\"f\"></frameset>\n";
  }
}

std::string GeneratePage(int links) {
  std::string page = "<html><head><title>bench</title></head><body background=\"bg.gif\">\n";
  page.reserve(static_cast<std::size_t>(links) * 104);
  for (int i = 0; i < links; ++i) {
    std::string line = LinkLine(i);
    line.insert(line.size() - 1, std::string(line.size() < 100 ? 100 - line.size() : 0, ' '));
    page += line;
  }
  return page + "</body></html>\n";
}

// Minified markup: unquoted anchors with no blank or line break anywhere.
std::string GenerateMinifiedPage(int links) {
  std::string page = "<html><body>";
  for (int i = 0; i < links; ++i) page += "<a href=p" + std::to_string(i) + ".html>x</a>";
  return page + "</body></html>";
}

// Minified requisites: pictures with a srcset, style sheets, style attributes.
std::string GenerateMinifiedRequisites(int links) {
  std::string page = "<html><body>";
  for (int i = 0; i < links; i += 4) {
    const std::string n = std::to_string(i);
    page += "<img src=p" + n + ".png srcset=q" + n + ".png><link rel=stylesheet href=s" + n +
            ".css?v=1><b style=background:url(b" + n + ".gif)>x</b>";
  }
  return page + "</body></html>";
}

void Measure(const std::string& page, int links, bool requisites = false) {
  pagelark::test::QuietHost host;
  pagelark::LinkState state;
  state.downloadFolder = "D:\\dl\\";
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  state.BeginPage(page);
  if (requisites)
    pagelark::RunRequisitePass("http://host/dir/index.html", "http://host/dir/index.html",
                               pagelark::PageEncoding::kCp932, state, host, INT_MAX);
  for (const pagelark::ScanPass& pass : pagelark::kScanPasses) {
    pagelark::RunScanPass(pass, "http://host/dir/index.html", state, host, INT_MAX);
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  std::printf("%zu bytes, %d links%s: %lld ms\n", page.size(), links, requisites ? " + requisites" : "",
              static_cast<long long>(ms.count()));
  // The processor time as well: on a shared machine it varies less.
  std::fprintf(stderr, "  (%zu candidates, page now %zu bytes, %.0f ms of processor time)\n", state.candidates.size(),
               state.page.pageText().size(), cpuMs);
}

}  // namespace

// With an argument, only the row of that number (1 to 7) runs, for a profiler.
int main(int argc, char** argv) {
  const int only = argc > 1 ? std::atoi(argv[1]) : 0;
  const auto row = [only](int number) { return only == 0 || only == number; };
  if (row(1)) Measure(GeneratePage(50'000), 50'000);
  if (row(2)) Measure(GeneratePage(500'000), 500'000);
  // The minified pages: the time must grow in proportion to the size.
  if (row(3)) Measure(GenerateMinifiedPage(45'000), 45'000);
  if (row(4)) Measure(GenerateMinifiedPage(450'000), 450'000);
  if (row(5)) Measure(GeneratePage(50'000), 50'000, true);
  if (row(6)) Measure(GenerateMinifiedRequisites(40'000), 40'000, true);
  if (row(7)) Measure(GenerateMinifiedRequisites(400'000), 400'000, true);
  return 0;
}
