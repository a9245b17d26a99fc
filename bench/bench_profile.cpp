// Saving and reading profiles.
//
// Saving: 1,000 entries in each URL list saved in under a second. Prints
// "<entries> entries: <ms> ms" for the save into a new file, then the time of
// saving again over that file.
//
// Reading hostile profiles: a profile of 10 MB and of 30 MB of blank lines
// read in a small multiple of its size, and a profile whose list counts are
// 2,000,000,000 read in no more time than its few keys take. Each read runs
// in a child process of its own, so that the peak memory (ru_maxrss) is the
// read's; it is printed beside the child's memory before the read. "window"
// is the window's read (the first 16 MiB of the file), "whole file" reads
// every byte, as pagelark-cli does.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/fs.h"
#include "settings/IniDocument.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileReader.h"
#include "settings/ProfileWriter.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace {

using pagelark::test::FakeHost;
using pagelark::test::TempDir;
using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

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
  const auto start = Clock::now();
  pagelark::WriteProfile(profilePath, programDir, host);
  return MillisecondsSince(start);
}

void BenchSaves() {
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
}

// The section header, the key lines, then `blankBytes` blank lines (LF),
// written in pieces.
void WriteProfileFile(const std::filesystem::path& path, const std::string& keyLines, std::size_t blankBytes) {
  std::ofstream out(path, std::ios::binary);
  out << '[' << pagelark::keys::kSection << "]\r\n" << keyLines;
  const std::string piece(1 << 16, '\n');
  for (std::size_t written = 0; written < blankBytes; written += piece.size()) {
    out.write(piece.data(), static_cast<std::streamsize>(std::min(piece.size(), blankBytes - written)));
  }
}

double MaxRssMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
}

// What a read found, so that the figures come from a read that worked.
std::string Summary(const pagelark::CrawlSettings& settings) {
  return "URL=" + settings.startUrl + ", " + std::to_string(settings.kinds.size()) + " kinds, " +
         std::to_string(settings.enableUrls.size()) + "+" + std::to_string(settings.disableUrls.size()) + " list URLs";
}

template <typename Read>
void ReportInChild(const std::string& label, Read read) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    const double before = MaxRssMiB();
    const auto start = Clock::now();
    const pagelark::CrawlSettings settings = read();
    const double ms = MillisecondsSince(start);
    std::printf("%-34s %8.1f ms  peak %7.1f MiB (%.1f before)  %s\n", label.c_str(), ms, MaxRssMiB(), before,
                Summary(settings).c_str());
    std::fflush(stdout);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::printf("%-34s failed (status %d)\n", label.c_str(), status);
}

void BenchHostileReads() {
  TempDir dir;
  const std::string keys =
      "URL=http://found/\r\nKindCount=2000000000\r\nKind1=htm\r\nKind2000000000=x\r\n"
      "EnableListCount=2000000000\r\nEnableURL2000000000=e\r\n"
      "DisableListCount=2147483647\r\nDisableURL2147483647=d\r\n";
  const struct {
    const char* name;
    std::size_t blankBytes;
  } files[] = {{"10 MB blank lines", 10'000'000}, {"30 MB blank lines", 30'000'000}, {"counts of 2e9", 0}};
  for (const auto& file : files) {
    const std::string path = dir.system() + "hostile.ini";
    WriteProfileFile(dir.native() / "hostile.ini", keys, file.blankBytes);
    ReportInChild(std::string(file.name) + ", window", [&] {
      FakeHost host;
      return pagelark::ReadProfile(path, host);
    });
    ReportInChild(std::string(file.name) + ", whole file", [&] {
      std::string bytes;
      pagelark::platform::ReadFileBytes(path, bytes);
      return pagelark::SettingsFromProfile(pagelark::ini::IniDocument(std::move(bytes)));
    });
  }
}

}  // namespace

int main() {
  BenchSaves();
  BenchHostileReads();
  return 0;
}
