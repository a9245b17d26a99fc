// The names and value forms of a profile file and of set.ini, shared by the
// reader and the writer.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/cp932.h"
#include "settings/CrawlSettings.h"

namespace pagelark::keys {

// The one section of a profile and of set.ini: "初期表示".
inline constexpr std::string_view kSection = "\x8F\x89\x8A\xFA\x95\x5C\x8E\xA6";

inline constexpr std::string_view kSetIniFile = "set.ini";
inline constexpr std::string_view kSetIniProfile = "INI";  // full path of the current profile
inline constexpr std::string_view kDefaultProfileFile = "Pagelark.ini";
// The profiles last opened or saved in the window, most recent first, as
// Recent1..Recent4 after key INI; a set.ini without them lists none.
inline constexpr std::string_view kRecentProfilePrefix = "Recent";
inline constexpr int kMaxRecentProfiles = 4;

// Buffer sizes of the reads: at most size - 1 bytes of a value count.
inline constexpr std::size_t kValueBufferSize = 1024;
inline constexpr std::size_t kSetIniBufferSize = 260;
// The longest text a profile holds; the writer cuts longer ones.
inline constexpr std::size_t kMaxTextBytes = kValueBufferSize - 1;

inline constexpr std::string_view kUrl = "URL";
inline constexpr std::string_view kDownLoad = "DownLoad";
inline constexpr std::string_view kCount = "Count";
inline constexpr std::string_view kLinkCount = "LinkCount";
inline constexpr std::string_view kIndexFile = "IndexFile";
inline constexpr std::string_view kAnotherUrl = "ANOTHERURL";
inline constexpr std::string_view kServer = "Server";
inline constexpr std::string_view kSame = "SAME";
inline constexpr std::string_view kFilter = "FILTER";
inline constexpr std::string_view kLog = "LOG";
inline constexpr std::string_view kKind = "KIND";
inline constexpr std::string_view kKindCount = "KindCount";
inline constexpr std::string_view kType = "TYPE";
inline constexpr std::string_view kEnable = "ENABLE";
inline constexpr std::string_view kDisable = "DISABLE";
inline constexpr std::string_view kEnableListCount = "EnableListCount";
inline constexpr std::string_view kDisableListCount = "DisableListCount";

// The run bounds: written after every other key; a profile without them (or
// with an empty value) reads the RunBounds defaults.
inline constexpr std::string_view kMaxPageMiB = "MaxPageMiB";
inline constexpr std::string_view kMaxFileMiB = "MaxFileMiB";
inline constexpr std::string_view kMinSpeed = "MinSpeed";
inline constexpr std::string_view kMinSpeedTime = "MinSpeedTime";

// Page requisites ("on" or "off"), written after the run bounds; a profile
// without it reads off.
inline constexpr std::string_view kRequisites = "Requisites";

// Connections fetched on at once, written after Requisites; a profile without
// it (or with an empty value) fetches on one.
inline constexpr std::string_view kConnections = "Connections";
inline constexpr std::string_view kOneConnection = "1";
inline constexpr std::string_view kNewProfileConnections = "4";

struct BoundKey {
  std::string_view key;
  std::string RunBounds::*field;
};
inline constexpr std::array<BoundKey, 4> kBoundKeys = {{
    {kMaxPageMiB, &RunBounds::maxPageMiB},
    {kMaxFileMiB, &RunBounds::maxFileMiB},
    {kMinSpeed, &RunBounds::minSpeed},
    {kMinSpeedTime, &RunBounds::minSpeedTime},
}};

// Numbered keys: the prefix followed by n, from 1 ("Kind1", "From2").
inline constexpr std::string_view kKindPrefix = "Kind";
inline constexpr std::string_view kCgiPrefix = "Cgi";
inline constexpr std::string_view kFromPrefix = "From";
inline constexpr std::string_view kToPrefix = "To";
inline constexpr std::string_view kStepPrefix = "Step";
inline constexpr std::string_view kEnableUrlPrefix = "EnableURL";
inline constexpr std::string_view kDisableUrlPrefix = "DisableURL";

inline std::string NumberedKey(std::string_view prefix, int n) { return std::string(prefix) + std::to_string(n); }

// Value forms.
inline constexpr std::string_view kOn = "on";
inline constexpr std::string_view kOff = "off";
inline constexpr std::string_view kAllKinds = "all";
inline constexpr std::string_view kSelectKinds = "select";
inline constexpr std::string_view kGet = "GET";
inline constexpr std::string_view kPost = "POST";

// The default LinkCount of a profile that has none.
inline constexpr std::string_view kDefaultLinkCount = "500";

}  // namespace pagelark::keys
