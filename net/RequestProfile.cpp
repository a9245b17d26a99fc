#include "net/RequestProfile.h"

#include <algorithm>

#include "platform/cp932.h"

namespace pagelark::net {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The lines of a header block; the last line may lack its CR LF.
std::vector<std::string> BlockLines(std::string_view block) {
  std::vector<std::string> lines;
  while (!block.empty()) {
    const std::size_t end = block.find(kLineEnd);
    if (end != 0) lines.emplace_back(block.substr(0, end));
    if (end == std::string_view::npos) break;
    block.remove_prefix(end + kLineEnd.size());
  }
  return lines;
}

std::string HeaderName(std::string_view line) { return cp932::ToLower(line.substr(0, line.find(':'))); }

}  // namespace

const RequestProfile& FetchProfile() {
  static const RequestProfile profile{
      kFetchSessionName, HttpVerb::kGet, HttpVersion::kDefault, true, kFetchHeaderBlock, {}};
  return profile;
}

const RequestProfile& QueryFetchProfile() {
  static const RequestProfile profile{kFetchSessionName, HttpVerb::kGet, HttpVersion::k1_0, false, {},
                                      kFormContentType};
  return profile;
}

const RequestProfile& FormGetProfile() {
  static const RequestProfile profile{kFormGetSessionName, HttpVerb::kGet, HttpVersion::k1_0, false, {},
                                      kFormContentType};
  return profile;
}

const RequestProfile& FormPostProfile() {
  static const RequestProfile profile{kFormPostSessionName, HttpVerb::kPost, HttpVersion::k1_0, false, {},
                                      kFormContentType};
  return profile;
}

bool HasHeader(const std::vector<std::string>& lines, std::string_view name) {
  const std::string wanted = cp932::ToLower(name);
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return HeaderName(line) == wanted; });
}

std::vector<std::string> HeaderLines(const RequestProfile& profile) {
  std::vector<std::string> lines{"User-Agent: " + std::string(profile.sessionName)};
  for (std::string& line : BlockLines(profile.addIfAbsentHeaders)) {
    if (!HasHeader(lines, HeaderName(line))) lines.push_back(std::move(line));
  }
  for (std::string& line : BlockLines(profile.sendHeaders)) lines.push_back(std::move(line));
  return lines;
}

}  // namespace pagelark::net
