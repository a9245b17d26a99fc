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

bool IsNumberedKey(std::string_view key, std::string_view prefix) {
  if (key.size() <= prefix.size() || !SameName(key.substr(0, prefix.size()), prefix)) return false;
  const std::string_view number = key.substr(prefix.size());
  return number[0] != '0' && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
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
  constexpr std::array<std::string_view, 17> kPlain = {
      keys::kUrl,    keys::kDownLoad,   keys::kCount, keys::kLinkCount, keys::kIndexFile,       keys::kAnotherUrl,
      keys::kServer, keys::kSame,       keys::kFilter, keys::kLog,      keys::kKind,            keys::kKindCount,
      keys::kType,   keys::kEnable,     keys::kDisable, keys::kEnableListCount, keys::kDisableListCount};
  constexpr std::array<std::string_view, 7> kNumbered = {keys::kKindPrefix, keys::kCgiPrefix,       keys::kFromPrefix,
                                                         keys::kToPrefix,   keys::kStepPrefix,      keys::kEnableUrlPrefix,
                                                         keys::kDisableUrlPrefix};
  return std::any_of(kPlain.begin(), kPlain.end(), [&](std::string_view k) { return SameName(key, k); }) ||
         std::any_of(kNumbered.begin(), kNumbered.end(), [&](std::string_view p) { return IsNumberedKey(key, p); });
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
    if (!document.Set(keys::kSection, key, cp932::FromUtf8(value))) {
      error = "cannot set " + key + " (a value may not hold a line break)";
      return std::nullopt;
    }
  }
  return SettingsFromProfile(document);
}

}  // namespace pagelark::cli
