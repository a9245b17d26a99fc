#include "settings/ProfileReader.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "messages/RunTexts.h"
#include "settings/IniFile.h"
#include "settings/IniLine.h"
#include "settings/ProfileKeys.h"

namespace pagelark {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The leading decimal number of `text` (an optional sign, then digits), or 0
// when there is none; held to the int range.
int ParseCount(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  long long value = 0;
  for (; !text.empty() && IsDigit(text.front()); text.remove_prefix(1)) {
    value = std::min<long long>(value * 10 + (text.front() - '0'), INT_MAX);
  }
  return static_cast<int>(negative ? -value : value);
}

// The profile's keys as the reader sees them: each read into a 1024-byte
// buffer with an empty default.
class ProfileValues {
 public:
  explicit ProfileValues(const ini::IniDocument& profile) : profile_(profile) {}

  std::string Text(std::string_view key) const {
    return ini::ReadString(profile_, keys::kSection, key, "", keys::kValueBufferSize);
  }
  std::string Numbered(std::string_view prefix, int n) const { return Text(keys::NumberedKey(prefix, n)); }
  bool Is(std::string_view key, std::string_view expected) const { return Text(key) == expected; }
  int Count(std::string_view key) const { return ParseCount(Text(key)); }

  // The numbers n from 1 to `last` for which the key prefix+n is present,
  // ascending, each once. A damaged count of two thousand million then costs
  // no more than the keys that exist.
  std::vector<int> PresentNumbers(std::string_view prefix, int last) const {
    std::vector<int> numbers;
    const std::string folded = ini::FoldName(prefix);
    profile_.ForEachKeyName(keys::kSection, [&](std::string_view name) {
      if (name.size() <= prefix.size() || ini::FoldName(name.substr(0, prefix.size())) != folded) return;
      const std::string_view digits = name.substr(prefix.size());
      // prefix+n spells n in plain decimal: no leading zero, at most ten digits.
      if (digits.front() == '0' || digits.size() > 10 || !std::all_of(digits.begin(), digits.end(), IsDigit)) return;
      long long n = 0;
      for (const char digit : digits) n = n * 10 + (digit - '0');
      if (n <= last) numbers.push_back(static_cast<int>(n));
    });
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
  }

 private:
  const ini::IniDocument& profile_;
};

// Entries 1 to KindCount; a missing entry is read as an empty one and ends
// the list.
std::vector<std::string> ReadKinds(const ProfileValues& values) {
  std::vector<std::string> kinds;
  const int count = values.Count(keys::kKindCount);
  for (int n = 1; n <= count; ++n) {
    kinds.push_back(values.Numbered(keys::kKindPrefix, n));
    if (kinds.back().empty()) break;
  }
  return kinds;
}

// Entries 1 to the count; missing ones are skipped.
std::vector<std::string> ReadUrlList(const ProfileValues& values, std::string_view countKey, std::string_view prefix) {
  std::vector<std::string> urls;
  for (const int n : values.PresentNumbers(prefix, values.Count(countKey))) {
    std::string url = values.Numbered(prefix, n);
    if (!url.empty()) urls.push_back(std::move(url));
  }
  return urls;
}

void ReadCounters(const ProfileValues& values, CrawlSettings& settings) {
  for (int i = 0; i < kCounterCount; ++i) {
    const int n = i + 1;
    CounterSetting& counter = settings.counters[static_cast<std::size_t>(i)];
    counter.enabled = values.Numbered(keys::kCgiPrefix, n) == keys::kOn;
    counter.from = values.Numbered(keys::kFromPrefix, n);
    counter.to = values.Numbered(keys::kToPrefix, n);
    counter.step = values.Numbered(keys::kStepPrefix, n);
  }
}

// A bound that is absent or empty keeps its default.
void ReadBounds(const ProfileValues& values, RunBounds& bounds) {
  for (const keys::BoundKey& bound : keys::kBoundKeys) {
    std::string text = values.Text(bound.key);
    if (!text.empty()) bounds.*bound.field = std::move(text);
  }
}

}  // namespace

CrawlSettings SettingsFromProfile(const ini::IniDocument& profile) {
  const ProfileValues values(profile);
  CrawlSettings settings;
  settings.startUrl = values.Text(keys::kUrl);
  settings.downloadFolder = values.Text(keys::kDownLoad);
  settings.maxFiles = values.Text(keys::kCount);
  settings.maxDuplicateLinks = values.Text(keys::kLinkCount);
  if (settings.maxDuplicateLinks.empty()) settings.maxDuplicateLinks = keys::kDefaultLinkCount;
  settings.indexFile = values.Text(keys::kIndexFile);
  // Only an exact "off" clears this one; the other switches need an exact "on".
  settings.belowStartUrlOnly = !values.Is(keys::kAnotherUrl, keys::kOff);
  settings.allKinds = values.Is(keys::kKind, keys::kAllKinds);
  settings.kinds = ReadKinds(values);
  settings.sameServerOnly = values.Is(keys::kServer, keys::kOn);
  settings.oneFolder = values.Is(keys::kSame, keys::kOn);
  settings.useFilter = values.Is(keys::kFilter, keys::kOn);
  settings.writeLog = values.Is(keys::kLog, keys::kOn);
  settings.requestMethod = values.Is(keys::kType, keys::kGet) ? RequestMethod::kGet : RequestMethod::kPost;
  ReadCounters(values, settings);
  settings.useEnableList = values.Is(keys::kEnable, keys::kOn);
  settings.useDisableList = values.Is(keys::kDisable, keys::kOn);
  settings.enableUrls = ReadUrlList(values, keys::kEnableListCount, keys::kEnableUrlPrefix);
  settings.disableUrls = ReadUrlList(values, keys::kDisableListCount, keys::kDisableUrlPrefix);
  ReadBounds(values, settings.bounds);
  settings.requisites = values.Is(keys::kRequisites, keys::kOn);
  settings.connections = values.Text(keys::kConnections);
  if (settings.connections.empty()) settings.connections = keys::kOneConnection;
  return settings;
}

CrawlSettings ReadProfile(const std::string& profilePath, Host& host) {
  host.SetStatus("");
  host.ClearLines();
  const CrawlSettings settings = SettingsFromProfile(ini::LoadForReading(profilePath));
  host.ApplySettings(settings);
  host.SetStatus(msg::kReadFinished);
  return settings;
}

}  // namespace pagelark
