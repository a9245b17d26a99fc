// The settings a pagelark-cli invocation runs with: a profile file (or the
// new-profile defaults) with the --set keys written over it, read back by the
// profile reader exactly as if the file held them.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/CrawlSettings.h"

namespace pagelark::cli {

// True for the key names of a profile file (letter case ignored, as in the
// file): URL, DownLoad, ..., and the numbered ones (Kind1, From2, ...).
bool IsProfileKey(const std::string& key);

// The --set pairs of a run started from a URL: URL and DownLoad (the
// current folder, native) go first, so the given pairs still override them.
std::vector<std::pair<std::string, std::string>> StartUrlSets(
    const std::string& url, const std::string& currentFolder,
    const std::vector<std::pair<std::string, std::string>>& sets);

// `profileBytes`: the profile file's bytes, or nothing for the defaults.
// `sets`: KEY and UTF-8 VALUE pairs, applied in order. Gives nothing and sets
// `error` when a key is unknown or a value cannot be written.
std::optional<CrawlSettings> EffectiveSettings(const std::optional<std::string>& profileBytes,
                                               const std::vector<std::pair<std::string, std::string>>& sets,
                                               std::string& error);

}  // namespace pagelark::cli
