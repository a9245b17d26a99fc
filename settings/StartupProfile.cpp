#include "settings/StartupProfile.h"

#include "settings/IniFile.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileReader.h"
#include "settings/ProgramFiles.h"

namespace pagelark {

std::string LoadStartupProfile(const std::string& programDir, Host& host) {
  const std::string remembered =
      ini::ReadString(SetIniPath(programDir), keys::kSection, keys::kSetIniProfile, "", keys::kSetIniBufferSize);
  if (!remembered.empty()) {
    const std::string profilePath = ini::ResolvePath(remembered, programDir);
    ReadProfile(profilePath, host);
    return profilePath;
  }
  CrawlSettings settings = FirstStartSettings();
  settings.indexFile = host.CurrentSettings().indexFile;
  host.ClearLines();
  host.ApplySettings(settings);
  return DefaultProfilePath(programDir);
}

}  // namespace pagelark
