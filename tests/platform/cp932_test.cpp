#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace pagelark::cp932 {
namespace {

// CP932 bytes of a few characters whose second byte is ASCII.
const std::string kHyo = "\x95\x5C";   // 表: trail byte is "\"
const std::string kSo = "\x83\x5C";    // ソ: trail byte is "\"
const std::string kSho = "\x8F\x41";   // 処: trail byte is "A"
const std::string kNou = "\x94\x5C";   // 能: trail byte is "\"
const std::string kPipe = "\x83\x7C";  // ポ: trail byte is "|"

TEST(Cp932Find, MatchesOnlyAtCharacterBoundaries) {
  EXPECT_EQ(Find(kHyo, "\\"), npos);
  EXPECT_EQ(Find(kHyo + "\\", "\\"), 2u);
  EXPECT_EQ(Find("a" + kSo + "\\b", "\\"), 3u);
  EXPECT_EQ(Find(kSho + "A", "A"), 2u);
  EXPECT_EQ(Find("abcabc", "bc", 2), 4u);
  EXPECT_EQ(Find("abc", "", 1), 1u);
  EXPECT_EQ(Find("abc", "x", 9), npos);
  // Hits behind a blank: the walk to them may start right behind it.
  EXPECT_EQ(Find(kSho + " " + kSho + "A", "A"), 5u);
  EXPECT_EQ(Find("\x95 " + kSho + "A", "A"), 4u);
  EXPECT_EQ(Find(" " + kSho + kSho, "A"), npos);
  EXPECT_EQ(Find(kSho + "<" + kSo + "A" + kSho, "A", 2), 5u);
}

// Long texts, where the search tries many starts at once: every hit, near
// either end and on trail bytes, agrees with a walk over the characters.
TEST(Cp932Find, LongTextsAgreeWithACharacterWalk) {
  std::mt19937 random(7);
  const std::string alphabet = "ab<\\\x83\x95s";  // "\\" and bytes that lead a character or trail one
  const auto pick = [&](std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) text += alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string text = pick(random() % 90);
    const std::string needle = pick(1 + random() % 4);
    std::vector<std::size_t> starts;  // the character boundaries
    for (std::size_t at = 0; at < text.size(); at += CharLength(text, at)) starts.push_back(at);
    starts.push_back(text.size());
    const std::size_t from = starts[random() % starts.size()];
    std::size_t expected = npos;
    for (std::size_t at : starts) {
      if (at >= from && text.compare(at, needle.size(), needle) == 0) {
        expected = at;
        break;
      }
    }
    ASSERT_EQ(Find(text, needle, from), expected) << round;
  }
}

TEST(Cp932Find, FindLastSkipsTrailBytes) {
  EXPECT_EQ(FindLast("a\\b\\c", "\\"), 3u);
  EXPECT_EQ(FindLast("a\\" + kHyo, "\\"), 1u);
  EXPECT_EQ(FindLast(kNou + kSo, "\\"), npos);
  EXPECT_EQ(FindLast("", "\\"), npos);
}

TEST(Cp932Find, LoneAndTrailingLeadBytesStandAlone) {
  // A lead byte followed by a byte that is no trail byte is a character of its own.
  EXPECT_EQ(Find("\x95\x20\\", "\\"), 2u);
  EXPECT_EQ(Find("\x95", "\\"), npos);
  EXPECT_EQ(CharLength("\x95", 0), 1u);
  EXPECT_EQ(FindLast("ab\x95", "\x95"), 2u);
}

TEST(Cp932Case, TouchesAsciiLettersOnly) {
  EXPECT_EQ(ToLower("ABC.Html"), "abc.html");
  EXPECT_EQ(ToLower(kSho + "A"), kSho + "a");
  EXPECT_EQ(ToUpper("abc"), "ABC");
  const std::string withLowerTrail = "\x82\x61";  // Ｂ (fullwidth), trail byte "a"
  EXPECT_EQ(ToUpper(withLowerTrail + "a"), withLowerTrail + "A");
}

// The reference: one character at a time.
std::string LowerByCharacters(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) {
    if (CharLength(out, i) == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] + 32);
  }
  return out;
}

std::size_t FindByCharacters(std::string_view text, std::string_view needle, std::size_t from) {
  for (std::size_t i = from; i < text.size(); i += CharLength(text, i)) {
    if (text.substr(i).starts_with(needle)) return i;
  }
  return npos;
}

// Long ASCII runs (read eight bytes at a time) between double-byte
// characters whose trail byte is a letter or "\", at every offset.
TEST(Cp932Case, LongMixedTextsMatchTheCharacterReference) {
  const std::string pieces[] = {"ABCDEFGHIJ", "x", "Q", kSho, kHyo, "\x95", "\\", "\xA0Z", "0123456789abc"};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (int i = 0; i < 12; ++i) text += pieces[random() % std::size(pieces)];
    EXPECT_EQ(ToLower(text), LowerByCharacters(text)) << text;
    std::string appended = "AB";
    AppendLower(appended, text);
    EXPECT_EQ(appended, "AB" + LowerByCharacters(text)) << text;
    for (const std::string& needle : {std::string("\\"), std::string("A"), "Q" + kSho})
      EXPECT_EQ(Find(text, needle), FindByCharacters(text, needle, 0)) << text;
  }
}

TEST(Cp932Replace, ReplacesBoundaryMatchesLeftToRight) {
  EXPECT_EQ(ReplaceAll("a//b///c", "//", "\\"), "a\\b\\/c");
  EXPECT_EQ(ReplaceAll(kHyo + "\\", "\\", "/"), kHyo + "/");
}

TEST(Cp932EndsWith, TestsTheLastCharacterNotTheLastByte) {
  EXPECT_TRUE(EndsWithChar("dl\\", '\\'));
  EXPECT_FALSE(EndsWithChar("dl" + kHyo, '\\'));
  EXPECT_TRUE(EndsWithChar(kHyo + "\\", '\\'));
  EXPECT_TRUE(EndsWithChar(kHyo + kHyo + "\\", '\\'));
  EXPECT_FALSE(EndsWithChar("", '\\'));
}

TEST(Cp932Convert, RoundTripsJapaneseText) {
  const std::string text = kHyo + kSo + "abc" + kPipe;
  EXPECT_EQ(ToUtf8(text), "表ソabcポ");
  EXPECT_EQ(FromUtf8("表ソabcポ"), text);
  EXPECT_EQ(FromUtf8("初期表示"), "\x8F\x89\x8A\xFA\x95\x5C\x8E\xA6");
}

TEST(Cp932Convert, UndecodableBytesSurviveTheRoundTrip) {
  for (const std::string& bad : {std::string("\x80"),
                                 std::string("a\xFD"
                                             "b"),
                                 std::string("\x95"), std::string("x\x81"), std::string("\xFF\xFE")}) {
    const std::string utf8 = ToUtf8(bad);
    EXPECT_FALSE(utf8.empty());
    EXPECT_EQ(FromUtf8(utf8), bad);
  }
}

TEST(Cp932Convert, AnUnmappedPairKeepsItsTrailByteInside) {
  const std::string unmapped =
      "a\x85\x5C"
      "b";  // row 0x85 holds no characters
  const std::string utf8 = ToUtf8(unmapped);
  EXPECT_EQ(utf8.find('\\'), std::string::npos);
  EXPECT_EQ(FromUtf8(utf8), unmapped);
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(Cp932Convert, UnmappableCharactersBecomeTheSubstitutionMark) {
  EXPECT_EQ(FromUtf8("a\xF0\x9F\x98\x80"
                     "b"),
            "a\x81\xAC"
            "b");                             // an emoji
  EXPECT_EQ(FromUtf8("a\xC3"), "a\x81\xAC");  // cut sequence
  EXPECT_EQ(FromUtf8("\xFF"), "\x81\xAC");    // not UTF-8
}

// Rows whose characters CP932 also holds under another code (the NEC and IBM
// duplicates): they come back as the code Windows itself prefers.
bool IsDuplicateRow(unsigned char lead) { return lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xFA; }

TEST(Cp932Convert, RandomBytesRoundTrip) {
  std::mt19937 random(932);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(random() % 40, '\0');
    for (char& c : bytes) {
      do c = static_cast<char>(random() % 256);
      while (IsDuplicateRow(static_cast<unsigned char>(c)));
    }
    ASSERT_EQ(FromUtf8(ToUtf8(bytes)), bytes);
  }
}

TEST(Cp932Convert, DuplicateCodesComeBackAsThePreferredCode) {
  EXPECT_EQ(ToUtf8("\xED\x40"), ToUtf8("\xFA\x5C"));  // 纊 in the NEC-selected and IBM rows
  EXPECT_EQ(FromUtf8(ToUtf8("\xED\x40")), "\xFA\x5C");
}

}  // namespace
}  // namespace pagelark::cp932
