#include "links/UriReference.h"

#include <algorithm>

namespace pagelark {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSchemeName(std::string_view text) {
  if (text.empty() || !IsAsciiLetter(text.front())) return false;
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.'; });
}

// Where the first of `stops` stands in `text`, else its size. One memchr per
// stop, each over the text before the nearest stop found so far. (The member
// find_first_of calls memchr once per byte of the text.)
std::size_t FirstOf(std::string_view text, std::string_view stops) {
  std::size_t first = text.size();
  for (const char stop : stops) first = std::min(first, text.substr(0, first).find(stop));
  return first;
}

// Cuts `text` at the first of `stops` and returns the part before it.
std::string_view TakeUntil(std::string_view& text, std::string_view stops) {
  const std::size_t at = FirstOf(text, stops);
  const std::string_view part = text.substr(0, at);
  text.remove_prefix(at);
  return part;
}

// Drops the last segment of `output` together with the "/" before it.
void DropLastSegment(std::string& output) {
  const std::size_t slash = output.rfind('/');
  output.erase(slash == std::string::npos ? 0 : slash);
}

// What a relative path is merged behind (section 5.2.3): the base path up
// to its last "/", which is empty or ends with "/".
std::string_view MergeFolder(const UriReference& base) {
  if (base.authority && base.path.empty()) return "/";
  const std::size_t slash = base.path.rfind('/');
  return base.path.substr(0, slash == std::string_view::npos ? 0 : slash + 1);
}

// The parts joined, the path given in two pieces.
std::string ComposeUri(const UriReference& uri, std::string_view pathHead, std::string_view pathTail) {
  std::string out;
  out.reserve((uri.scheme ? uri.scheme->size() + 1 : 0) + (uri.authority ? uri.authority->size() + 2 : 0) +
              pathHead.size() + pathTail.size() + (uri.query ? uri.query->size() + 1 : 0) +
              (uri.fragment ? uri.fragment->size() + 1 : 0));
  if (uri.scheme) out.append(*uri.scheme).append(":");
  if (uri.authority) out.append("//").append(*uri.authority);
  out.append(pathHead).append(pathTail);
  if (uri.query) out.append("?").append(*uri.query);
  if (uri.fragment) out.append("#").append(*uri.fragment);
  return out;
}

}  // namespace

std::optional<std::string_view> SchemeOf(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon > FirstOf(text, "/?#")) return std::nullopt;
  const std::string_view name = text.substr(0, colon);
  return IsSchemeName(name) ? std::optional(name) : std::nullopt;
}

UriReference ParseUriReference(std::string_view text) {
  UriReference uri;
  uri.scheme = SchemeOf(text);
  if (uri.scheme) text.remove_prefix(uri.scheme->size() + 1);
  if (text.starts_with("//")) {
    text.remove_prefix(2);
    uri.authority = TakeUntil(text, "/?#");
  }
  uri.path = TakeUntil(text, "?#");
  if (text.starts_with('?')) {
    text.remove_prefix(1);
    uri.query = TakeUntil(text, "#");
  }
  if (text.starts_with('#')) uri.fragment = text.substr(1);
  return uri;
}

std::string ComposeUri(const UriReference& uri, std::string_view path) { return ComposeUri(uri, path, {}); }

namespace {

bool IsDotSegment(std::string_view segment) { return segment == "." || segment == ".."; }

// Whether some segment of `path` between its "/" is "." or "..".
bool HoldsDotSegment(std::string_view path) {
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    if (IsDotSegment(path.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::string RemoveDotSegments(std::string_view path) {
  // Segments other than "." and ".." move to the output as they stand.
  if (!HoldsDotSegment(path)) return std::string(path);
  std::string output;
  std::string_view input = path;
  while (!input.empty()) {
    if (input.starts_with("../") || input.starts_with("./")) {
      input.remove_prefix(input.find('/') + 1);
    } else if (input.starts_with("/./") || input == "/.") {
      input.remove_prefix(2);
      if (input.empty()) output.append("/");
    } else if (input.starts_with("/../") || input == "/..") {
      input.remove_prefix(3);
      DropLastSegment(output);
      if (input.empty()) output.append("/");
    } else if (input == "." || input == "..") {
      input = {};
    } else {
      // Move the first segment, with its leading "/", to the output.
      const std::size_t next = input.find('/', 1);
      output.append(input.substr(0, next));
      input.remove_prefix(std::min(next, input.size()));
    }
  }
  return output;
}

namespace {

// The parts joined around `pathHead` + `pathTail` with its dot segments
// removed. A path with none is joined as it stands, without a copy.
std::string ComposeWithoutDots(const UriReference& uri, std::string_view pathHead, std::string_view pathTail = {}) {
  // A head that is empty or ends with "/" shares no segment with the tail.
  if (!HoldsDotSegment(pathHead) && !HoldsDotSegment(pathTail)) return ComposeUri(uri, pathHead, pathTail);
  return ComposeUri(uri, RemoveDotSegments(std::string(pathHead).append(pathTail)));
}

}  // namespace

std::string ResolveReference(const UriReference& base, const UriReference& reference) {
  UriReference target = reference;
  if (reference.scheme) return ComposeWithoutDots(target, reference.path);
  target.scheme = base.scheme;
  if (reference.authority) return ComposeWithoutDots(target, reference.path);
  target.authority = base.authority;
  if (reference.path.empty()) {
    if (!reference.query) target.query = base.query;
    return ComposeUri(target, base.path);
  }
  if (reference.path.starts_with('/')) return ComposeWithoutDots(target, reference.path);
  return ComposeWithoutDots(target, MergeFolder(base), reference.path);
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int PercentByteAt(std::string_view text, std::size_t i) {
  if (i + 2 >= text.size() || text[i] != '%') return -1;
  const int high = HexDigit(text[i + 1]);
  const int low = HexDigit(text[i + 2]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

void AppendPercentEscape(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

}  // namespace pagelark
