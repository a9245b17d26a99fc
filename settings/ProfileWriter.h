// Writing the settings to a profile file.
#pragma once

#include <string>
#include <vector>

#include "settings/CrawlSettings.h"
#include "settings/Host.h"

namespace pagelark {

struct ProfileEntry {
  std::string key;
  std::string value;
};

// Every key of a profile with its value, in the order in which the writer
// writes them. Texts longer than 1023 bytes are cut at a character boundary.
std::vector<ProfileEntry> ProfileEntries(const CrawlSettings& settings);

// Records `profilePath` as key INI in set.ini in `programDir`; when that
// fails, shows its message and returns false without touching the profile.
// Then writes every key of host.CurrentSettings() into `profilePath`,
// showing "<key>の書き込みに失敗しました。" for each key that fails, in key
// order (IndexFile fails silently), and returns true.
//
// The keys are written as one batch and the file is replaced once: the
// result is the same file as key-by-key writes would leave, and a failed
// replace fails every key of the batch and leaves the old file whole.
bool WriteProfile(const std::string& profilePath, const std::string& programDir, Host& host);

}  // namespace pagelark
