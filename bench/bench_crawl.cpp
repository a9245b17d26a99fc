// Crawl benchmark: a whole run over a generated loopback site of 2,000 and
// of 20,000 URLs (pages and images), fetched, scanned and stored in a
// temporary folder. One line per size:
//   <urls> urls: <seconds> s, <rate> urls/s
// A rate that holds from the small site to the large one shows that the
// run's cost grows linearly with the number of candidates.
#include <chrono>
#include <cstdio>

#include "crawl/CrawlEngine.h"
#include "platform/fs.h"
#include "support/GeneratedSite.h"
#include "support/QuietHost.h"
#include "support/TempDir.h"

namespace {

using namespace pagelark;

void Measure(int urls) {
  test::TempDir dir;
  test::LoopbackServer server;
  test::ServeGeneratedSite(server, urls / 2);  // each page brings one image
  test::QuietHost host;
  host.settings.startUrl = server.Url("/p0.html");
  host.settings.downloadFolder = dir.system();
  host.settings.maxFiles = std::to_string(urls);
  host.settings.maxDuplicateLinks = "500";
  host.settings.allKinds = true;
  CrawlEngine engine(host);
  const std::string before = platform::CurrentDirectory();
  const auto start = std::chrono::steady_clock::now();
  engine.StartDownload(dir.system(), dir.system() + "bench.ini");
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  platform::SetCurrentDirectory(before);
  const std::size_t fetched = (host.lines.size() - 3) / 2;
  std::printf("%zu urls: %.2f s, %.0f urls/s\n", fetched, seconds, static_cast<double>(fetched) / seconds);
  std::fflush(stdout);
}

}  // namespace

int main() {
  Measure(2000);
  Measure(20000);
  return 0;
}
