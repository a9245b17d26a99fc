// Local names of any URL: the local form, the names of query URLs, the
// removal of reserved characters, the confinement of a URL-derived path, and
// where the mirror layout stores the URL, which is always inside the download
// folder (no ".." step, no empty step, no ":" in the part below it). No name
// holds a lone lead byte, so no removal joins two characters into one.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz/FuzzChecks.h"
#include "links/LocalNames.h"
#include "links/MirrorLayout.h"
#include "platform/cp932.h"

namespace pagelark::fuzz {
namespace {

// True when `c` stands as a character of its own somewhere from `from` on.
bool HoldsChar(std::string_view text, char c, std::size_t from = 0) {
  for (std::size_t i = from; i < text.size(); i += cp932::CharLength(text, i)) {
    if (text[i] == c) return true;
  }
  return false;
}

// True when a lead byte stands alone somewhere from `from` on.
bool HoldsLoneLeadByte(std::string_view text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); i += cp932::CharLength(text, i)) {
    if (cp932::CharLength(text, i) == 1 && cp932::IsLeadByte(static_cast<unsigned char>(text[i]))) return true;
  }
  return false;
}

// How many "\" characters the local form of `text` should hold: its own,
// and one for each "//" and each "/" left over in a run of "/".
std::size_t LocalSeparators(std::string_view text) {
  std::size_t count = 0, slashes = 0;
  for (std::size_t i = 0; i < text.size(); i += cp932::CharLength(text, i)) {
    if (text[i] == '/') {
      ++slashes;
      continue;
    }
    count += (slashes + 1) / 2 + (text[i] == '\\' ? 1 : 0);
    slashes = 0;
  }
  return count + (slashes + 1) / 2;
}

bool HoldsUpperCase(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); i += cp932::CharLength(text, i)) {
    if (text[i] >= 'A' && text[i] <= 'Z') return true;
  }
  return false;
}

void CheckLocalForm(std::string_view text) {
  const std::string local = ToLocalForm(text);
  Check(!HoldsChar(local, '/') && !HoldsChar(local, ':'), "the local form holds no '/' or ':'", text);
  Check(!HoldsUpperCase(local), "the local form is lower case", text);
  Check(!HoldsLoneLeadByte(local, 0), "the local form holds no lone lead byte", text);
  Check(LocalSeparators(local) == LocalSeparators(text), "the local form keeps every folder step", text);
}

void CheckStripReserved(std::string_view text, char marker) {
  const std::string stripped = StripReserved(text, marker);
  const std::size_t first = cp932::Find(text, std::string_view(&marker, 1));
  if (first == cp932::npos) {
    Check(stripped == text, "a text without the marker stays as it is", text);
    return;
  }
  Check(stripped.compare(0, first + 1, text, 0, first + 1) == 0, "the text up to the marker stays", text);
  Check(!HoldsLoneLeadByte(stripped, first + 1), "no lone lead byte behind the marker", text);
  for (const char c : kReservedNameChars) {
    Check(c == marker || !HoldsChar(stripped, c, first + 1), "no reserved character behind the marker", text);
  }
}

void CheckQueryNames(std::string_view text) {
  const std::string page = QueryPageName(text);
  const std::string file = QueryFileName(text);
  if (!HoldsChar(text, '?')) {
    Check(page == text && file == text, "a name without a query stays as it is", text);
    return;
  }
  Check(!HoldsChar(page, '?') && page.ends_with(".html"), "a query page name has no '?' and ends in .html", text);
  Check(!HoldsChar(file, '?'), "a query file name has no '?'", text);
  Check(!HoldsLoneLeadByte(page, 0) && !HoldsLoneLeadByte(file, 0), "a query name holds no lone lead byte", text);
}

void CheckConfined(std::string_view text) {
  const std::string part = ConfineLocalPart(text);
  Check(!HoldsChar(part, ':') && !HoldsChar(part, '/'), "a confined part holds no ':' or '/'", text);
  Check(!HoldsLoneLeadByte(part, 0), "a confined part holds no lone lead byte", text);
  const std::vector<std::string_view> steps = Steps(part, '\\');
  for (std::size_t i = 0; i < steps.size(); ++i) {
    Check(steps[i] != "." && steps[i] != "..", "a confined part has no '.' or '..' step", text);
    Check(!steps[i].empty() || i + 1 == steps.size(), "a confined part has no empty step", text);
  }
  Check(ConfineLocalPart(part) == part, "confining twice changes nothing", text);
}

}  // namespace
}  // namespace pagelark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pagelark::fuzz;
  FuzzedDataProvider input(data, size);
  const char marker = input.PickValueInArray({'?', '#', '\\', '/', ':', '*', '|', 'a', '\x95'});
  const std::string text = input.ConsumeRemainingBytesAsString();
  CheckLocalForm(text);
  CheckStripReserved(text, marker);
  CheckQueryNames(text);
  CheckConfined(text);
  CheckPlacements(text);
  return 0;
}
