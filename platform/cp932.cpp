#include "platform/cp932.h"

#include <iconv.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <span>

namespace pagelark::cp932 {
namespace {

// U+F740..U+F7FF carry raw bytes 0x40..0xFF that CP932 cannot decode (the
// lower ones only as trail bytes of an unmapped pair).
constexpr char32_t kEscapeBase = 0xF700;
constexpr unsigned char kFirstEscapedByte = 0x40;
const std::string kSubstitute = "\x81\xAC";  // 〓

// Eight bytes, loaded as one word so that runs of ASCII are handled eight at
// a time: no ASCII byte is a lead byte, so eight of them are eight characters.
constexpr std::size_t kWord = sizeof(std::uint64_t);
constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

std::uint64_t LoadWord(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, kWord);
  return word;
}

bool IsAsciiWord(std::uint64_t word) { return (word & kHighBits) == 0; }

// The high bit of each byte of an ASCII word that lies in [first, last]. No
// sum carries into the next byte: every byte and every addend is below 0x80.
std::uint64_t BytesInRange(std::uint64_t word, char first, char last) {
  const std::uint64_t atLeastFirst = word + kEveryByte * static_cast<std::uint64_t>(0x80 - first);
  const std::uint64_t aboveLast = word + kEveryByte * static_cast<std::uint64_t>(0x80 - last - 1);
  return atLeastFirst & ~aboveLast & kHighBits;
}

// The first occurrence of `needle` at or after `from`, byte for byte. Sixteen
// starts are tried at once against the needle's first and last bytes, so the
// bytes are compared only where both match: far fewer tries than a search on
// the first byte alone, which in markup ("s" of "src", "h" of "href") stops
// every few bytes.
std::size_t FindBytes(std::string_view text, std::string_view needle, std::size_t from) {
#if defined(__SSE2__)
  constexpr std::size_t kLanes = 16;
  const std::size_t size = needle.size();
  if (size < 2 || from > text.size() || text.size() - from < size - 1 + kLanes) return text.find(needle, from);
  const __m128i first = _mm_set1_epi8(needle.front());
  const __m128i last = _mm_set1_epi8(needle.back());
  const char* bytes = text.data();
  const std::size_t starts = text.size() - size + 1;  // every start before it leaves room for the needle
  std::size_t at = from;
  for (; at + kLanes <= starts; at += kLanes) {
    const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
    const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + size - 1));
    auto both = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, last))));
    for (; both != 0; both &= both - 1) {
      const std::size_t start = at + static_cast<std::size_t>(__builtin_ctz(both));
      if (std::memcmp(bytes + start + 1, needle.data() + 1, size - 2) == 0) return start;
    }
  }
  return text.find(needle, at);
#else
  return text.find(needle, from);
#endif
}

// Moves `cursor` (a boundary) forward over whole characters until it reaches
// or passes `target`.
std::size_t AdvanceTo(std::string_view text, std::size_t cursor, std::size_t target) {
  // A byte below 0x40 is never a trail byte, nor a lead byte: it is a
  // character of its own, and the next one starts right behind it. The last
  // such byte before `target` saves walking the characters before it.
  for (std::size_t behind = target; behind > cursor; --behind) {
    if (AlwaysStartsCharacter(text[behind - 1])) {
      cursor = behind;
      break;
    }
  }
  while (cursor < target) {
    if (cursor + kWord <= target && IsAsciiWord(LoadWord(text.data() + cursor))) {
      cursor += kWord;
    } else {
      cursor += CharLength(text, cursor);
    }
  }
  return cursor;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Length of the well-formed UTF-8 sequence at `i` and its code point, or 0
// when the bytes there are malformed.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  std::size_t len = b0 < 0x80 ? 1 : (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || i + len > text.size()) return 0;
  cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  return len;
}

// Runs iconv over `in`, calling `on_error(in, pos)` at every position that it
// cannot convert; the handler appends a replacement to `out` and returns how
// many input bytes it consumed (at least 1).
template <typename OnError>
std::string Convert(const char* to, const char* from, std::string_view in, OnError on_error) {
  std::string out;
  out.reserve(in.size() * 3 / 2 + 16);
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    for (std::size_t pos = 0; pos < in.size();) pos += on_error(out, in, pos);
    return out;
  }
  std::size_t pos = 0;
  char buffer[4096];
  while (pos < in.size()) {
    char* src = const_cast<char*>(in.data() + pos);
    std::size_t src_left = in.size() - pos;
    char* dst = buffer;
    std::size_t dst_left = sizeof buffer;
    const std::size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
    const int err = errno;
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    pos = in.size() - src_left;
    if (rc != static_cast<std::size_t>(-1)) break;
    if (err == E2BIG) continue;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset shift state
    pos += on_error(out, in, pos);                  // EILSEQ or EINVAL
  }
  iconv_close(cd);
  return out;
}

// Flips the case of every single-byte letter in [first, last] ("A"-"Z" or
// "a"-"z", which differ from their twins by the bit 0x20 only) in `text`,
// which starts on a character boundary.
void FlipAsciiCase(std::span<char> text, char first, char last) {
  const std::string_view view(text.data(), text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (i + kWord <= text.size() && IsAsciiWord(LoadWord(text.data() + i))) {
      const std::uint64_t word = LoadWord(text.data() + i);
      const std::uint64_t flipped = word ^ (BytesInRange(word, first, last) >> 2);  // 0x80 >> 2 == 0x20
      std::memcpy(text.data() + i, &flipped, kWord);
      i += kWord;
      continue;
    }
    const std::size_t len = CharLength(view, i);
    if (len == 1 && text[i] >= first && text[i] <= last) text[i] = static_cast<char>(text[i] ^ 0x20);
    i += len;
  }
}

std::string WithFlippedCase(std::string_view text, char first, char last) {
  std::string out(text);
  FlipAsciiCase(out, first, last);
  return out;
}

}  // namespace

std::size_t Find(std::string_view text, std::string_view needle, std::size_t from) {
  if (from > text.size()) return npos;
  if (!needle.empty() && AlwaysStartsCharacter(needle.front())) return FindBytes(text, needle, from);
  std::size_t cursor = from;
  for (;;) {
    const std::size_t hit = FindBytes(text, needle, cursor);
    if (hit == npos) return npos;
    cursor = AdvanceTo(text, cursor, hit);
    if (cursor == hit) return hit;
    // The hit began on a trail byte; search again from the next boundary.
  }
}

std::size_t FindLast(std::string_view text, std::string_view needle) {
  if (!needle.empty() && AlwaysStartsCharacter(needle.front())) return text.rfind(needle);
  std::size_t last = npos;
  for (std::size_t at = Find(text, needle, 0); at != npos; at = Find(text, needle, at + CharLength(text, at))) {
    last = at;
    if (at >= text.size()) break;
  }
  return last;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t at = Find(text, from, 0); at != npos; at = Find(text, from, start)) {
    out.append(text.substr(start, at - start));
    out.append(to);
    start = at + from.size();
  }
  out.append(text.substr(start));
  return out;
}

std::string ToLower(std::string_view text) { return WithFlippedCase(text, 'A', 'Z'); }
std::string ToUpper(std::string_view text) { return WithFlippedCase(text, 'a', 'z'); }

void AppendLower(std::string& out, std::string_view text) {
  const std::size_t start = out.size();
  out.append(text);
  MakeLower(std::span<char>(out).subspan(start));
}

void MakeLower(std::span<char> text) { FlipAsciiCase(text, 'A', 'Z'); }

bool EndsWithChar(std::string_view text, char c) {
  if (text.empty() || text.back() != c) return false;
  if (!IsTrailByte(static_cast<unsigned char>(c))) return true;
  // Every lead byte is also a valid trail byte, so a run of lead bytes pairs
  // up from its start: the last byte is a trail when the run before it is odd.
  std::size_t leads = 0;
  for (std::size_t i = text.size() - 1; i > 0 && IsLeadByte(static_cast<unsigned char>(text[i - 1])); --i) ++leads;
  return leads % 2 == 0;
}

std::string ToUtf8(std::string_view text) {
  return Convert("UTF-8", "CP932", text, [](std::string& out, std::string_view in, std::size_t pos) {
    // A pair that CP932 leaves unmapped is escaped whole, so that its trail
    // byte (a "\" perhaps) never turns into a character of its own.
    const std::size_t length = CharLength(in, pos);
    for (std::size_t i = 0; i < length; ++i) {
      const auto byte = static_cast<unsigned char>(in[pos + i]);
      AppendUtf8(out, byte < kFirstEscapedByte ? byte : kEscapeBase + byte);
    }
    return length;
  });
}

std::string FromUtf8(std::string_view text) {
  return Convert("CP932", "UTF-8", text, [](std::string& out, std::string_view in, std::size_t pos) {
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8(in, pos, cp);
    if (len == 0) {
      out += kSubstitute;
      return std::size_t{1};
    }
    if (cp >= kEscapeBase + kFirstEscapedByte && cp <= kEscapeBase + 0xFF) {
      out += static_cast<char>(cp - kEscapeBase);
    } else {
      out += kSubstitute;
    }
    return len;
  });
}

namespace {

// Keeps what iconv cannot convert: one byte at a time.
std::size_t KeepByte(std::string& out, std::string_view in, std::size_t pos) {
  out += in[pos];
  return 1;
}

}  // namespace

std::string ToUtf8KeepingBytes(std::string_view text) {
  return Convert("UTF-8", "CP932", text, [](std::string& out, std::string_view in, std::size_t pos) {
    // A pair is kept whole, so that its trail byte never stands alone.
    const std::size_t length = CharLength(in, pos);
    out.append(in.substr(pos, length));
    return length;
  });
}

std::string EucJpToUtf8(std::string_view text) { return Convert("UTF-8", "EUC-JP", text, KeepByte); }
std::string Utf8ToEucJp(std::string_view text) { return Convert("EUC-JP", "UTF-8", text, KeepByte); }

}  // namespace pagelark::cp932
