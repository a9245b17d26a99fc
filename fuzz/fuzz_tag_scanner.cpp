// The tag scanner over any page: the tag map, whole walks of every scan
// pass's scanner, and the scanners on a text of their own. A walk must move
// forward, every value must stand inside a real tag, and each answer of the
// walking scanner (whose searches remember where they got to) must equal
// that of a fresh scanner asked at the same offset.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz/FuzzChecks.h"
#include "links/ScanPass.h"
#include "links/TagMap.h"
#include "links/TagScanner.h"
#include "platform/cp932.h"

namespace pagelark::fuzz {
namespace {

struct WordPair {
  std::string_view tagWord;
  std::string_view attributeWord;
  bool anchor;
};

// Beside the five passes: other tags, a word of two CP932 bytes ("ア"), a
// word list with a third word, an empty attribute word.
constexpr WordPair kExtraWords[] = {
    {"link", "href", true},    {"script", "src", false}, {"\x83\x41", "href", true},
    {"a", "href,name", false}, {"img", "", false},       {"frame", "src", true},
};

void CheckTagMap(std::string_view text, const TagMap& lowerMap) {
  const TagMap map(text);
  Check(map.tags().size() == lowerMap.tags().size(), "letter case changes no tag", text);
  std::size_t after = 0;
  for (const TagSpan& tag : map.tags()) {
    Check(tag.open >= after && tag.open < tag.close && tag.close < text.size(), "tags lie in order, apart", text);
    Check(text[tag.open] == '<' && text[tag.close] == '>', "a tag runs from '<' to '>'", text);
    Check(TagEnd(text, tag.open) == tag.close, "TagEnd closes the tag where the map does", text);
    const std::optional<TagSpan> around = map.Around(tag.open + 1, tag.close - tag.open);
    Check(around && around->open == tag.open, "Around finds the tag from its inside", text);
    const TagSpan& twin = lowerMap.tags()[static_cast<std::size_t>(&tag - map.tags().data())];
    Check(twin.open == tag.open && twin.close == tag.close, "letter case changes no tag", text);
    after = tag.close + 1;
  }
}

bool SameResult(const ScanResult& a, const ScanResult& b) {
  return a.end == b.end && a.next == b.next && a.value.data() == b.value.data() && a.value.size() == b.value.size() &&
         a.tagText.data() == b.tagText.data() && a.tagText.size() == b.tagText.size();
}

void Walk(std::string_view lower, const TagMap& map, const WordPair& words) {
  AttributeScanner scanner(lower, words.tagWord, words.attributeWord);
  for (std::size_t base = 0;;) {
    const ScanResult found = words.anchor ? scanner.ScanAnchor(base) : scanner.ScanAttribute(base);
    AttributeScanner fresh(lower, words.tagWord, words.attributeWord);
    const ScanResult again = words.anchor ? fresh.ScanAnchor(base) : fresh.ScanAttribute(base);
    Check(SameResult(found, again), "the walking scanner answers as a fresh one", lower);
    if (found.end) return;
    Check(found.next > base && found.next <= lower.size(), "the walk moves forward inside the page", lower);
    if (!found.value.empty()) {
      Check(
          found.value.data() >= lower.data() && found.value.data() + found.value.size() <= lower.data() + lower.size(),
          "a value is a view into the page", lower);
      const auto at = static_cast<std::size_t>(found.value.data() - lower.data());
      Check(map.Around(at, found.value.size()).has_value(), "a value stands inside a tag", lower);
      Check(found.value.find_first_of(" \t\n\r\"'") == std::string_view::npos, "a value holds no blank or quote",
            lower);
    }
    if (!found.tagText.empty()) {
      Check(found.tagText.front() == '<' && found.tagText.back() == '>', "a tag text runs from '<' to '>'", lower);
    }
    base = found.next;
  }
}

// The scanners on a text of their own, in any letter case.
void ScanOwnText(std::string_view page) {
  const std::string lower = cp932::ToLower(page);
  std::size_t position = page.size() + 1;
  const std::string tag = FindTag(page, "a,href", position);
  if (!tag.empty()) {
    Check(position < page.size() && lower.compare(position, tag.size(), tag) == 0, "FindTag names where the tag is",
          page);
  }
  position = page.size() + 1;
  if (ScanAttribute(page, "img", "src", position) != kScanEnd) {
    Check(position <= page.size(), "ScanAttribute's position lies in the text", page);
  }
  position = page.size() + 1;
  std::string tagText;
  if (ScanAnchor(page, "a", "href", position, tagText) != kScanEnd) {
    Check(position <= page.size(), "ScanAnchor's position lies in the text", page);
  }
}

}  // namespace
}  // namespace pagelark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pagelark;
  FuzzedDataProvider input(data, size);
  const auto extra = input.ConsumeIntegralInRange<std::size_t>(0, std::size(fuzz::kExtraWords) - 1);
  const std::string page = input.ConsumeRemainingBytesAsString();
  const std::string lower = cp932::ToLower(page);
  const TagMap map(lower);
  fuzz::CheckTagMap(page, map);
  for (const ScanPass& pass : kScanPasses) {
    fuzz::Walk(lower, map, {pass.tagWord, pass.attributeWord, pass.anchorScanner});
  }
  fuzz::Walk(lower, map, fuzz::kExtraWords[extra]);
  fuzz::ScanOwnText(page);
  return 0;
}
