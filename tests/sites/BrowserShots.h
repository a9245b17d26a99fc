// Screenshots of pages in a real browser, Debian's headless `chromium`: a
// page as served on 127.0.0.1 (online) against its saved copy opened as a
// file with every network request blocked (offline), compared pixel by
// pixel. A saved page that lacks a style sheet, script or picture it needs
// looks different offline.
//
//   if (!HaveChromium()) GTEST_SKIP() << kNoChromium;
//   ExpectSameLook(server.Url("/index.html"), mirror / "index.html", "site/index");
//
// When the shots differ, both and a picture of the difference are kept in
// out/browser-shots/<name>/ (online.png, offline.png, diff.png); with
// PAGELARK_KEEP_SHOTS=1 they are kept always. The including target links
// libpng and defines PAGELARK_SOURCE_DIR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pagelark::test {

// Width × height pixels, four bytes each (red, green, blue, alpha), by rows.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  bool empty() const { return rgba.empty(); }
};

// The picture of a PNG file; empty when the file is no PNG.
Picture ReadPng(const std::filesystem::path& file);
bool WritePng(const std::filesystem::path& file, const Picture& picture);

// Whether `chromium` is on the PATH; the browser tests skip without it.
bool HaveChromium();
inline constexpr std::string_view kNoChromium = "chromium is not installed: tools/setup-deps.sh installs it";

// file:///... for an absolute path, every byte outside the unreserved
// characters and "/" percent-encoded (UTF-8 names stay UTF-8).
std::string FileUrl(const std::filesystem::path& file);

enum class Network { kOn, kOff };

// Chromium's screenshot of `url` in a 1024 × 768 window at scale 1, taken
// once the page's scripts and loads are done (up to 5 s of the page's time),
// with a fresh profile. Network::kOff fails every request for a host or an
// IP address, 127.0.0.1 included; file: URLs still open. `error` says why
// there is no picture.
struct Shot {
  Picture picture;
  std::string error;
};
Shot TakeShot(std::string_view url, Network network);

// A pixel differs when one of its channels differs by more than
// kChannelTolerance (of 255); two shots look the same when at most
// kShareTolerance of their pixels differ (78 of 1024 × 768). Shots of one
// page online and offline are the same bytes when nothing is missing; the
// tolerance only absorbs the odd anti-aliased edge, and stays below a 16 × 16
// icon.
inline constexpr int kChannelTolerance = 8;
inline constexpr double kShareTolerance = 0.0001;

struct PixelDifference {
  std::size_t differing = 0;  // every pixel when the sizes differ
  std::size_t total = 0;
  double Share() const { return total == 0 ? 1.0 : static_cast<double>(differing) / static_cast<double>(total); }
  bool LooksTheSame() const { return total != 0 && Share() <= kShareTolerance; }
};
PixelDifference ComparePixels(const Picture& a, const Picture& b);

// `base` dimmed to a quarter, with the pixels that differ from `other` in red.
Picture DifferencePicture(const Picture& base, const Picture& other);

// Both shots of one page and how they differ.
struct ShotPair {
  Shot online;
  Shot offline;
  PixelDifference difference;
};
ShotPair ShootOnlineAndOffline(std::string_view onlineUrl, std::string_view offlineUrl);

// Writes online.png, offline.png and diff.png into out/browser-shots/<name>/
// of the source tree and returns that folder.
std::filesystem::path KeepShots(const ShotPair& shots, std::string_view name);

// "N of M pixels differ (P%)", with where the shots were kept, or why a shot is missing.
std::string Describe(const ShotPair& shots, const std::filesystem::path& kept);

// Expects the page at `onlineUrl` and the saved file `offlineFile` to look
// the same; keeps the shots as `name` when they do not (or when asked to).
void ExpectSameLook(std::string_view onlineUrl, const std::filesystem::path& offlineFile, std::string_view name);

}  // namespace pagelark::test
