#include "sites/BrowserShots.h"

#include <gtest/gtest.h>
#include <png.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "support/TempDir.h"

namespace pagelark::test {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// A Chromium option as one word for the shell.
std::string Quoted(std::string_view word) {
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Percent(unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  return {'%', kHex[c >> 4], kHex[c & 15]};
}

std::vector<std::string> ChromiumOptions(Network network) {
  std::vector<std::string> options = {"--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                                      "--window-size=" + std::to_string(kWidth) + "," + std::to_string(kHeight),
                                      // Pixels independent of the screen and of font hinting; the page's
                                      // timers and loads run to their end before the shot.
                                      "--force-device-scale-factor=1", "--font-render-hinting=none",
                                      "--virtual-time-budget=5000",
                                      // Nothing of the browser's own in the background.
                                      "--no-first-run", "--no-default-browser-check", "--disable-background-networking",
                                      "--disable-component-update", "--disable-extensions"};
  if (network == Network::kOff) {
    // Every host name and IP address resolves to nothing, and whatever gets
    // past that meets a proxy on the discard port, which loopback addresses
    // are not spared (Chromium bypasses proxies for them unless told).
    options.insert(options.end(), {"--host-resolver-rules=MAP * ~NOTFOUND", "--proxy-server=127.0.0.1:9",
                                   "--proxy-bypass-list=<-loopback>"});
  }
  return options;
}

// The end of Chromium's output, without the complaints about the missing
// D-Bus that every run prints.
std::string Tail(const std::string& log) {
  std::string text;
  for (std::size_t at = 0; at < log.size();) {
    const std::size_t end = std::min(log.find('\n', at), log.size());
    const std::string_view line(log.data() + at, end - at);
    if (line.find(":ERROR:dbus/") == std::string_view::npos) text.append(line) += '\n';
    at = end + 1;
  }
  return text.size() > 800 ? "..." + text.substr(text.size() - 800) : text;
}

}  // namespace

Picture ReadPng(const fs::path& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, file.c_str()) == 0) return {};
  image.format = PNG_FORMAT_RGBA;
  Picture picture{static_cast<int>(image.width), static_cast<int>(image.height),
                  std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
  if (png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return {};
  }
  return picture;
}

bool WritePng(const fs::path& file, const Picture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGBA;
  return png_image_write_to_file(&image, file.c_str(), 0, picture.rgba.data(), 0, nullptr) != 0;
}

bool HaveChromium() { return std::system("command -v chromium >/dev/null 2>&1") == 0; }

std::string FileUrl(const fs::path& file) {
  std::string url = "file://";
  for (const char c : file.string()) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                       byte == '-' || byte == '.' || byte == '_' || byte == '~' || byte == '/';
    url += plain ? std::string(1, c) : Percent(byte);
  }
  return url;
}

Shot TakeShot(std::string_view url, Network network) {
  const TempDir dir;
  const fs::path png = dir.native() / "shot.png";
  const fs::path log = dir.native() / "chromium.txt";
  std::string command = "timeout 60 chromium";
  for (const std::string& option : ChromiumOptions(network)) command += " " + Quoted(option);
  command += " " + Quoted("--user-data-dir=" + (dir.native() / "profile").string()) + " " +
             Quoted("--screenshot=" + png.string()) + " " + Quoted(url) + " >" + Quoted(log.string()) + " 2>&1";
  const int raw = std::system(command.c_str());
  Shot shot{ReadPng(png), {}};
  if (shot.picture.empty()) {
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    shot.error = "chromium took no screenshot of " + std::string(url) + " (exit " + std::to_string(status) +
                 "): " + Tail(ReadAll(log));
  }
  return shot;
}

PixelDifference ComparePixels(const Picture& a, const Picture& b) {
  const std::size_t total = static_cast<std::size_t>(a.width) * static_cast<std::size_t>(a.height);
  if (a.width != b.width || a.height != b.height || a.rgba.size() != b.rgba.size()) return {total, total};
  PixelDifference difference{0, total};
  for (std::size_t at = 0; at < a.rgba.size(); at += 4) {
    for (std::size_t channel = at; channel < at + 4; ++channel) {
      if (std::abs(a.rgba[channel] - b.rgba[channel]) > kChannelTolerance) {
        ++difference.differing;
        break;
      }
    }
  }
  return difference;
}

Picture DifferencePicture(const Picture& base, const Picture& other) {
  Picture diff = base;
  const bool sameSize = base.rgba.size() == other.rgba.size();
  for (std::size_t at = 0; at < diff.rgba.size(); at += 4) {
    bool differs = !sameSize;
    for (std::size_t channel = at; channel < at + 3 && !differs; ++channel) {
      differs = std::abs(base.rgba[channel] - other.rgba[channel]) > kChannelTolerance;
    }
    for (std::size_t channel = at; channel < at + 3; ++channel) {
      const int value = differs ? (channel == at ? 255 : 0) : base.rgba[channel] / 4;
      diff.rgba[channel] = static_cast<std::uint8_t>(value);
    }
    diff.rgba[at + 3] = 255;
  }
  return diff;
}

ShotPair ShootOnlineAndOffline(std::string_view onlineUrl, std::string_view offlineUrl) {
  ShotPair shots{TakeShot(onlineUrl, Network::kOn), TakeShot(offlineUrl, Network::kOff), {}};
  shots.difference = ComparePixels(shots.online.picture, shots.offline.picture);
  return shots;
}

fs::path KeepShots(const ShotPair& shots, std::string_view name) {
  const fs::path folder = fs::path(PAGELARK_SOURCE_DIR) / "out/browser-shots" / name;
  fs::create_directories(folder);
  WritePng(folder / "online.png", shots.online.picture);
  WritePng(folder / "offline.png", shots.offline.picture);
  WritePng(folder / "diff.png", DifferencePicture(shots.offline.picture, shots.online.picture));
  return folder;
}

std::string Describe(const ShotPair& shots, const fs::path& kept) {
  if (!shots.online.error.empty() || !shots.offline.error.empty()) return shots.online.error + shots.offline.error;
  char share[32];
  std::snprintf(share, sizeof share, "%.3f%%", 100.0 * shots.difference.Share());
  std::string text = std::to_string(shots.difference.differing) + " of " + std::to_string(shots.difference.total) +
                     " pixels differ (" + share + ")";
  return kept.empty() ? text : text + "; online.png, offline.png and diff.png in " + kept.string();
}

void ExpectSameLook(std::string_view onlineUrl, const fs::path& offlineFile, std::string_view name) {
  ASSERT_TRUE(fs::is_regular_file(offlineFile)) << offlineFile << " was not saved";
  ShotPair shots = ShootOnlineAndOffline(onlineUrl, FileUrl(offlineFile));
  // On a loaded machine a page can settle a little differently once (a line
  // at the window's edge): a pair that differs is taken once more. What the
  // mirror lacks differs every time.
  if (!shots.difference.LooksTheSame()) shots = ShootOnlineAndOffline(onlineUrl, FileUrl(offlineFile));
  const bool same = shots.difference.LooksTheSame();
  const char* keep = std::getenv("PAGELARK_KEEP_SHOTS");
  const bool kept = !same || (keep != nullptr && std::string_view(keep) == "1");
  const fs::path folder =
      kept && shots.online.error.empty() && shots.offline.error.empty() ? KeepShots(shots, name) : fs::path();
  EXPECT_TRUE(same) << name << ": " << onlineUrl << " online and " << offlineFile
                    << " offline look different: " << Describe(shots, folder);
}

}  // namespace pagelark::test
