#include "fuzz/FuzzChecks.h"

#include <cstdio>
#include <cstdlib>

#include "links/MirrorLayout.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark::fuzz {
namespace {

bool IsDotStep(std::string_view step) { return step == "." || step == ".."; }

// A UTF-8 path cut at every "/".
std::vector<std::string_view> NativeSteps(std::string_view path) {
  std::vector<std::string_view> steps;
  for (std::size_t start = 0;;) {
    const std::size_t end = path.find('/', start);
    steps.push_back(path.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return steps;
    start = end + 1;
  }
}

// The last step may be empty: a final separator names the folder itself.
void CheckSteps(const std::vector<std::string_view>& steps, std::string_view what, std::string_view url) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    Check(!IsDotStep(steps[i]) && (!steps[i].empty() || i + 1 == steps.size()), what, url);
  }
}

}  // namespace

void Fail(std::string_view what, std::string_view text) {
  std::fprintf(stderr, "check failed: %.*s\n  text: \"", static_cast<int>(what.size()), what.data());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
      std::fputc(byte, stderr);
    } else {
      std::fprintf(stderr, "\\x%02X", byte);
    }
  }
  std::fputs("\"\n", stderr);
  std::abort();
}

bool Holds(std::string_view text, std::string_view needle) { return cp932::Find(text, needle) != cp932::npos; }

std::vector<std::string_view> Steps(std::string_view path, char separator) {
  std::vector<std::string_view> steps;
  const std::string_view mark(&separator, 1);
  for (std::size_t start = 0;;) {
    const std::size_t end = cp932::Find(path, mark, start);
    steps.push_back(path.substr(start, end == cp932::npos ? cp932::npos : end - start));
    if (end == cp932::npos) return steps;
    start = end + 1;
  }
}

void CheckPlaced(std::string_view folder, std::string_view path, std::string_view url) {
  if (path.empty()) return;  // nothing placed
  Check(path.starts_with(folder), "a placed path starts with the download folder", url);
  const std::string_view part = path.substr(folder.size());
  Check(!Holds(part, ":"), "no ':' below the download folder", url);
  CheckSteps(Steps(part, '\\'), "no empty, '.' or '..' step below the download folder", url);
  // What the file system is handed: the same steps, in UTF-8 with "/".
  const std::string nativeFolder = platform::NativePath(folder);
  const std::string native = platform::NativePath(path);
  Check(native.starts_with(nativeFolder), "the native path starts with the native download folder", url);
  const std::string_view nativePart = std::string_view(native).substr(nativeFolder.size());
  Check(nativePart.find(':') == std::string_view::npos, "no ':' in the native path below the folder", url);
  CheckSteps(NativeSteps(nativePart), "no empty, '.' or '..' step in the native path below the folder", url);
}

void CheckPlacements(std::string_view url) {
  for (const bool oneFolder : {false, true}) {
    const MirrorPlace file = PlaceFile(kDownloadFolder, url, oneFolder);
    CheckPlaced(kDownloadFolder, file.folder, url);
    CheckPlaced(kDownloadFolder, file.filePath, url);
    for (const bool stored : {true, false}) {
      const MirrorPlace page = PlacePage(kDownloadFolder, url, oneFolder, stored);
      CheckPlaced(kDownloadFolder, page.folder, url);
      CheckPlaced(kDownloadFolder, page.filePath, url);
      CheckPlaced(kDownloadFolder, page.twinSource, url);
      CheckPlaced(kDownloadFolder, page.twinPath, url);
    }
  }
}

}  // namespace pagelark::fuzz
