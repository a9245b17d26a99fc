// Reading a profile file into the settings.
#pragma once

#include <string>

#include "settings/CrawlSettings.h"
#include "settings/Host.h"
#include "settings/IniDocument.h"

namespace pagelark {

// The settings that a profile document holds. Missing keys give their
// "missing" values: empty texts, LinkCount "500", below-URL on, the
// select-kinds state, POST, every other switch off, empty lists.
CrawlSettings SettingsFromProfile(const ini::IniDocument& profile);

// Clears the status line and the progress list, reads the profile file (a
// missing or unreadable file reads as one with no keys), puts the settings
// into the front end, sets the status line to "読み込み終了" and returns
// them. Never fails.
CrawlSettings ReadProfile(const std::string& profilePath, Host& host);

}  // namespace pagelark
