// Saving a profile with long URL lists. Target: 1,000 entries in each URL
// list saved in under a second. Prints "<entries> entries: <ms> ms" for the
// save into a new file, then the time of saving again over that file.
#include <chrono>
#include <cstdio>
#include <string>

#include "settings/ProfileWriter.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace {

using pagelark::test::FakeHost;
using pagelark::test::TempDir;

FakeHost HostWithLists(int entries) {
  FakeHost host;
  host.settings.startUrl = "http://www.example.jp/@a@.html";
  host.settings.kinds = {"htm", "html", "jpg", "gif"};
  for (int i = 0; i < entries; ++i) {
    host.settings.enableUrls.push_back("www.example.jp/\x95\x5C/" + std::to_string(i) + "/");
    host.settings.disableUrls.push_back("/cgi-bin/" + std::to_string(i) + "?q=\x83\x5C");
  }
  return host;
}

double SaveMilliseconds(const std::string& profilePath, const std::string& programDir, FakeHost& host) {
  const auto start = std::chrono::steady_clock::now();
  pagelark::WriteProfile(profilePath, programDir, host);
  const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

}  // namespace

int main() {
  for (int entries : {1000, 10000}) {
    TempDir dir;
    FakeHost host = HostWithLists(entries);
    const std::string profilePath = dir.system() + "bench.ini";
    const double fresh = SaveMilliseconds(profilePath, dir.system(), host);
    const double over = SaveMilliseconds(profilePath, dir.system(), host);
    std::printf("%d entries: %.1f ms\n", entries, fresh);
    std::printf("rewrite of %d entries: %.1f ms\n", entries, over);
    if (!host.messages.empty()) std::printf("  %zu write failures\n", host.messages.size());
  }
  return 0;
}
