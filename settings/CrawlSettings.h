// Every option of one profile. Texts are CP932 byte strings as typed.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace pagelark {

// One URL counter (@a@ .. @f@): its enable box and its fields as typed.
struct CounterSetting {
  bool enabled = false;
  std::string from;
  std::string to;
  std::string step;

  bool operator==(const CounterSetting&) const = default;
};

enum class RequestMethod { kNone, kGet, kPost };

// Bounds of a run, texts as typed; read them as numbers with RunLimitsOf
// (SettingNumbers.h). The window has no controls for them; a profile without
// them has these values.
struct RunBounds {
  std::string maxPageMiB = "64";    // a page or form answer held for scanning, in MiB; 0: no cap
  std::string maxFileMiB = "1024";  // a downloaded file, in MiB; 0: no cap
  std::string minSpeed = "100";     // bytes per second that a transfer must average...
  std::string minSpeedTime = "30";  // ...over this many seconds, or it is given up

  bool operator==(const RunBounds&) const = default;
};

inline constexpr int kCounterCount = 6;

struct CrawlSettings {
  std::string startUrl;
  std::string downloadFolder;
  std::string maxFiles;
  std::string maxDuplicateLinks;
  std::string indexFile;
  bool belowStartUrlOnly = false;
  bool sameServerOnly = false;
  bool oneFolder = false;
  bool useFilter = false;
  bool writeLog = false;
  bool allKinds = true;
  std::vector<std::string> kinds;
  // The window has two radio buttons; a first start selects neither.
  RequestMethod requestMethod = RequestMethod::kNone;
  std::array<CounterSetting, kCounterCount> counters;
  bool useEnableList = false;
  bool useDisableList = false;
  std::vector<std::string> enableUrls;
  std::vector<std::string> disableUrls;
  RunBounds bounds;
  // Page requisites: scripts, style sheets (followed into what they import),
  // icons, srcset, media sources, objects and embeds are fetched too. Off in
  // a profile without the key; on in a new profile and at the first start.
  bool requisites = false;
  // Connections to fetch on at once, as typed (settings/SettingNumbers.h);
  // "1" in a profile without the key: one URL at a time.
  std::string connections;

  bool operator==(const CrawlSettings&) const = default;
};

}  // namespace pagelark
