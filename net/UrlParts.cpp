#include "net/UrlParts.h"

#include <algorithm>
#include <optional>

#include "platform/cp932.h"

namespace pagelark::net {
namespace {

constexpr std::string_view kSchemeEnd = "://";
constexpr unsigned long kMaxPort = 65535;

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiLetterOrDigit(char c) { return IsAsciiLetter(c) || (c >= '0' && c <= '9'); }

bool IsValidScheme(std::string_view scheme) {
  if (scheme.empty() || !IsAsciiLetter(scheme.front())) return false;
  return std::all_of(scheme.begin(), scheme.end(),
                     [](char c) { return IsAsciiLetterOrDigit(c) || c == '+' || c == '-' || c == '.'; });
}

std::optional<unsigned short> DefaultPort(std::string_view scheme) {
  if (scheme == "http") return 80;
  if (scheme == "https") return 443;
  if (scheme == "ftp") return 21;
  if (scheme == "gopher") return 70;
  return std::nullopt;
}

std::optional<unsigned short> ParsePort(std::string_view digits) {
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  unsigned long value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned long>(c - '0');
  }
  if (value == 0 || value > kMaxPort) return std::nullopt;
  return static_cast<unsigned short>(value);
}

// Splits "host", "host:port", "[v6]" or "[v6]:port". An empty port text
// means none was given.
bool SplitHostPort(std::string_view hostPort, std::string& host, std::string_view& portText) {
  std::size_t hostEnd = hostPort.rfind(':');
  std::size_t hostBegin = 0;
  if (!hostPort.empty() && hostPort.front() == '[') {
    const std::size_t close = hostPort.find(']');
    if (close == std::string_view::npos) return false;
    hostBegin = 1;
    hostEnd = close;
    const std::string_view rest = hostPort.substr(close + 1);
    if (!rest.empty() && rest.front() != ':') return false;
    portText = rest.empty() ? rest : rest.substr(1);
  } else {
    portText = hostEnd == std::string_view::npos ? std::string_view{} : hostPort.substr(hostEnd + 1);
  }
  host = std::string(hostPort.substr(hostBegin, hostEnd - hostBegin));
  return !host.empty();
}

bool NeedsEncoding(unsigned char c) { return c <= 0x20 || c >= 0x7F; }

// Encodes a double-byte character whole, so that a trail byte such as 0x5C
// ("\") never stands bare in the URL.
std::string EncodeObject(std::string_view object) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (std::size_t i = 0; i < object.size();) {
    const std::size_t length = cp932::CharLength(object, i);
    if (length == 1 && !NeedsEncoding(static_cast<unsigned char>(object[i]))) {
      encoded += object[i++];
      continue;
    }
    for (const std::size_t end = i + length; i < end; ++i) {
      const auto byte = static_cast<unsigned char>(object[i]);
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return encoded;
}

}  // namespace

bool SplitUrl(std::string_view url, unsigned short port, UrlParts& parts) {
  parts = UrlParts{};
  parts.port = port;
  const std::size_t schemeEnd = url.find(kSchemeEnd);
  if (schemeEnd == std::string_view::npos || !IsValidScheme(url.substr(0, schemeEnd))) return false;
  const std::size_t authorityBegin = schemeEnd + kSchemeEnd.size();
  const std::size_t authorityEnd = std::min(url.find_first_of("/?#", authorityBegin), url.size());
  std::string_view authority = url.substr(authorityBegin, authorityEnd - authorityBegin);
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);

  UrlParts split;
  std::string_view portText;
  if (!SplitHostPort(authority, split.host, portText)) return false;
  split.scheme = cp932::ToLower(url.substr(0, schemeEnd));
  const std::optional<unsigned short> givenPort = ParsePort(portText);
  if (!portText.empty() && !givenPort) return false;
  split.port = givenPort.value_or(DefaultPort(split.scheme).value_or(port));
  const std::string_view rest = url.substr(authorityEnd);
  split.object = (rest.empty() || rest.front() != '/') ? "/" + std::string(rest) : std::string(rest);
  parts = std::move(split);
  return true;
}

bool IsUsableHost(std::string_view host) {
  if (host.empty()) return false;
  return std::all_of(host.begin(), host.end(), [](char c) {
    return IsAsciiLetterOrDigit(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == ':';
  });
}

std::string RequestUrl(const UrlParts& parts, bool utf8Path) {
  std::string url = parts.scheme == "https" ? "https://" : "http://";
  const bool isV6 = parts.host.find(':') != std::string::npos;
  url += isV6 ? "[" + parts.host + "]" : parts.host;
  url += ':' + std::to_string(parts.port);
  if (!utf8Path) return url + EncodeObject(parts.object);
  const std::size_t mark = parts.object.find('?');
  const std::string_view path = std::string_view(parts.object).substr(0, mark);
  const std::string_view query =
      mark == std::string::npos ? std::string_view() : std::string_view(parts.object).substr(mark);
  return url + EncodeObject(cp932::ToUtf8KeepingBytes(path)) + EncodeObject(query);
}

}  // namespace pagelark::net
