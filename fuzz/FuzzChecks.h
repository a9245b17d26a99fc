// What the fuzz targets share: a failed check aborts with its reason, so
// libFuzzer keeps the input as a crash, and the one invariant that every URL
// must keep wherever it is stored: its place stays inside the download folder.
#pragma once

#include <string_view>
#include <vector>

namespace pagelark::fuzz {

// The download folder the targets place files in: absolute, in CP932, with a
// "表" whose second byte is 0x5C.
inline constexpr std::string_view kDownloadFolder = "\\home\\user\\\x95\x5C\\dl\\";

// Aborts, naming the check and the text it was about.
[[noreturn]] void Fail(std::string_view what, std::string_view text);

inline void Check(bool holds, std::string_view what, std::string_view text = {}) {
  if (!holds) Fail(what, text);
}

// True when `needle` (ASCII) occurs at a CP932 character boundary of `text`.
bool Holds(std::string_view text, std::string_view needle);

// The steps of a path between its separators, cut at character boundaries.
std::vector<std::string_view> Steps(std::string_view path, char separator);

// A path placed below `folder`: no step of the part below it is ".", ".."
// or empty (but for the last, after a final separator), and that part holds
// no ":", neither in system form nor as the native path the file system is
// handed. An empty path (nothing placed) passes.
void CheckPlaced(std::string_view folder, std::string_view path, std::string_view url);

// PlaceFile and PlacePage of `url` in every mode, each path checked.
void CheckPlacements(std::string_view url);

}  // namespace pagelark::fuzz
