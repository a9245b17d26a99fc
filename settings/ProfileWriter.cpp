#include "settings/ProfileWriter.h"

#include <string_view>

#include "messages/RunTexts.h"
#include "platform/cp932.h"
#include "settings/IniFile.h"
#include "settings/ProfileKeys.h"
#include "settings/ProgramFiles.h"

namespace pagelark {
namespace {

// The first kMaxTextBytes bytes, without a character cut in two.
std::string CapText(std::string_view text) {
  if (text.size() <= keys::kMaxTextBytes) return std::string(text);
  std::size_t end = 0;
  while (end + cp932::CharLength(text, end) <= keys::kMaxTextBytes) end += cp932::CharLength(text, end);
  return std::string(text.substr(0, end));
}

std::string_view Switch(bool on) { return on ? keys::kOn : keys::kOff; }

class EntryList {
 public:
  void Add(std::string_view key, std::string_view value) { entries_.push_back({std::string(key), CapText(value)}); }
  void AddNumbered(std::string_view prefix, int n, std::string_view value) { Add(keys::NumberedKey(prefix, n), value); }
  // The count key, then prefix1 .. prefixN.
  void AddList(std::string_view countKey, std::string_view prefix, const std::vector<std::string>& list) {
    Add(countKey, std::to_string(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) AddNumbered(prefix, static_cast<int>(i + 1), list[i]);
  }
  std::vector<ProfileEntry> Take() { return std::move(entries_); }

 private:
  std::vector<ProfileEntry> entries_;
};

void AddCounters(const CrawlSettings& settings, EntryList& entries) {
  for (int i = 0; i < kCounterCount; ++i) {
    const CounterSetting& counter = settings.counters[static_cast<std::size_t>(i)];
    entries.AddNumbered(keys::kCgiPrefix, i + 1, Switch(counter.enabled));
    entries.AddNumbered(keys::kFromPrefix, i + 1, counter.from);
    entries.AddNumbered(keys::kToPrefix, i + 1, counter.to);
    entries.AddNumbered(keys::kStepPrefix, i + 1, counter.step);
  }
}

// Writes every entry in one batch; true for each entry that was written.
std::vector<bool> WriteEntries(const std::string& profilePath, const std::vector<ProfileEntry>& entries) {
  ini::IniFileEdit edit(profilePath);
  std::vector<bool> written;
  written.reserve(entries.size());
  for (const ProfileEntry& entry : entries) written.push_back(edit.Set(keys::kSection, entry.key, entry.value));
  if (!edit.Commit()) written.assign(entries.size(), false);
  return written;
}

}  // namespace

std::vector<ProfileEntry> ProfileEntries(const CrawlSettings& settings) {
  EntryList entries;
  entries.Add(keys::kUrl, settings.startUrl);
  entries.Add(keys::kDownLoad, settings.downloadFolder);
  entries.Add(keys::kCount, settings.maxFiles);
  entries.Add(keys::kLinkCount, settings.maxDuplicateLinks);
  entries.Add(keys::kIndexFile, settings.indexFile);
  entries.Add(keys::kAnotherUrl, Switch(settings.belowStartUrlOnly));
  entries.Add(keys::kServer, Switch(settings.sameServerOnly));
  entries.Add(keys::kSame, Switch(settings.oneFolder));
  entries.Add(keys::kFilter, Switch(settings.useFilter));
  entries.Add(keys::kLog, Switch(settings.writeLog));
  entries.Add(keys::kKind, settings.allKinds ? keys::kAllKinds : keys::kSelectKinds);
  entries.AddList(keys::kKindCount, keys::kKindPrefix, settings.kinds);
  // Neither radio button selected (a first start) is written as POST.
  entries.Add(keys::kType, settings.requestMethod == RequestMethod::kGet ? keys::kGet : keys::kPost);
  AddCounters(settings, entries);
  entries.Add(keys::kEnable, Switch(settings.useEnableList));
  entries.Add(keys::kDisable, Switch(settings.useDisableList));
  entries.AddList(keys::kEnableListCount, keys::kEnableUrlPrefix, settings.enableUrls);
  entries.AddList(keys::kDisableListCount, keys::kDisableUrlPrefix, settings.disableUrls);
  // Keys beyond the first set come last, so the others keep their places.
  for (const keys::BoundKey& bound : keys::kBoundKeys) entries.Add(bound.key, settings.bounds.*bound.field);
  entries.Add(keys::kRequisites, Switch(settings.requisites));
  entries.Add(keys::kConnections, settings.connections);
  return entries.Take();
}

bool WriteProfile(const std::string& profilePath, const std::string& programDir, Host& host) {
  if (!ini::WriteString(SetIniPath(programDir), keys::kSection, keys::kSetIniProfile, profilePath)) {
    host.ShowMessage(msg::kSetIniWriteFailed);
    return false;
  }
  const std::vector<ProfileEntry> entries = ProfileEntries(host.CurrentSettings());
  const std::vector<bool> written = WriteEntries(profilePath, entries);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (written[i] || entries[i].key == keys::kIndexFile) continue;
    host.ShowMessage(entries[i].key + msg::kKeyWriteFailed);
  }
  return true;
}

}  // namespace pagelark
