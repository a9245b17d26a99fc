#include "app/cli/CliProfile.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/cp932.h"
#include "settings/IniDocument.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileReader.h"
#include "settings/ProfileWriter.h"

namespace pagelark::cli {
namespace {

bool SameName(std::string_view a, std::string_view b) { return cp932::ToLower(a) == cp932::ToLower(b); }

// The key is the prefix followed by a number from 1 to `last` (0: no limit).
bool IsNumberedKey(std::string_view key, std::string_view prefix, int last) {
  if (key.size() <= prefix.size() || !SameName(key.substr(0, prefix.size()), prefix)) return false;
  const std::string_view number = key.substr(prefix.size());
  const bool digits =
      number[0] != '0' && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digits && (last == 0 || (number.size() == 1 && number[0] - '0' <= last));
}

// True when every character of the UTF-8 text exists in CP932.
bool FitsCodePage(const std::string& utf8) {
  const std::string mark = cp932::FromUtf8("〓");
  const auto count = [](std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size())) ++n;
    return n;
  };
  return count(cp932::FromUtf8(utf8), mark) == count(utf8, "〓");
}

ini::IniDocument DefaultsDocument() {
  ini::IniDocument document;
  for (const ProfileEntry& entry : ProfileEntries(NewProfileSettings())) {
    document.Set(keys::kSection, entry.key, entry.value);
  }
  return document;
}

}  // namespace

bool IsProfileKey(const std::string& key) {
  constexpr std::array<std::string_view, 23> kPlain = {keys::kUrl,
                                                       keys::kDownLoad,
                                                       keys::kCount,
                                                       keys::kLinkCount,
                                                       keys::kIndexFile,
                                                       keys::kAnotherUrl,
                                                       keys::kServer,
                                                       keys::kSame,
                                                       keys::kFilter,
                                                       keys::kLog,
                                                       keys::kKind,
                                                       keys::kKindCount,
                                                       keys::kType,
                                                       keys::kEnable,
                                                       keys::kDisable,
                                                       keys::kEnableListCount,
                                                       keys::kDisableListCount,
                                                       keys::kMaxPageMiB,
                                                       keys::kMaxFileMiB,
                                                       keys::kMinSpeed,
                                                       keys::kMinSpeedTime,
                                                       keys::kRequisites,
                                                       keys::kConnections};
  // Lists have any length; there are six counters.
  constexpr std::array<std::pair<std::string_view, int>, 7> kNumbered = {{{keys::kKindPrefix, 0},
                                                                          {keys::kCgiPrefix, kCounterCount},
                                                                          {keys::kFromPrefix, kCounterCount},
                                                                          {keys::kToPrefix, kCounterCount},
                                                                          {keys::kStepPrefix, kCounterCount},
                                                                          {keys::kEnableUrlPrefix, 0},
                                                                          {keys::kDisableUrlPrefix, 0}}};
  return std::any_of(kPlain.begin(), kPlain.end(), [&](std::string_view k) { return SameName(key, k); }) ||
         std::any_of(kNumbered.begin(), kNumbered.end(),
                     [&](const auto& numbered) { return IsNumberedKey(key, numbered.first, numbered.second); });
}

std::vector<std::pair<std::string, std::string>> StartUrlSets(
    const std::string& url, const std::string& currentFolder,
    const std::vector<std::pair<std::string, std::string>>& sets) {
  std::vector<std::pair<std::string, std::string>> all = {{std::string(keys::kUrl), url},
                                                          {std::string(keys::kDownLoad), currentFolder}};
  all.insert(all.end(), sets.begin(), sets.end());
  return all;
}

std::optional<CrawlSettings> EffectiveSettings(const std::optional<std::string>& profileBytes,
                                               const std::vector<std::pair<std::string, std::string>>& sets,
                                               std::string& error) {
  ini::IniDocument document = profileBytes ? ini::IniDocument(*profileBytes) : DefaultsDocument();
  for (const auto& [key, value] : sets) {
    if (!IsProfileKey(key)) {
      error = "unknown profile key " + key;
      return std::nullopt;
    }
    if (!FitsCodePage(value)) {
      error = "the value of " + key + " holds characters that code page 932 does not have";
      return std::nullopt;
    }
    if (!document.Set(keys::kSection, key, cp932::FromUtf8(value))) {
      error = "cannot set " + key + " (a value may not hold a line break)";
      return std::nullopt;
    }
  }
  return SettingsFromProfile(document);
}

}  // namespace pagelark::cli
