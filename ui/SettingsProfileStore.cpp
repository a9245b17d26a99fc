// The one place where the window calls the settings module's profile functions.
#include "settings/ProfileDefaults.h"
#include "settings/ProfileReader.h"
#include "settings/ProfileWriter.h"
#include "settings/RecentProfiles.h"
#include "settings/StartupProfile.h"
#include "ui/ProfileStore.h"

namespace pagelark::ui {
namespace {

class SettingsProfileStore final : public ProfileStore {
 public:
  void Read(const std::string& profilePath, Host& host) override { ReadProfile(profilePath, host); }
  bool Write(const std::string& profilePath, const std::string& programDir, Host& host) override {
    return WriteProfile(profilePath, programDir, host);
  }
  void Reset(Host& host) override { ResetProfile(host); }
  std::string LoadStartup(const std::string& programDir, Host& host) override {
    return LoadStartupProfile(programDir, host);
  }
  std::vector<std::string> ReadRecent(const std::string& programDir) override { return ReadRecentProfiles(programDir); }
  bool WriteRecent(const std::string& programDir, const std::vector<std::string>& paths) override {
    return WriteRecentProfiles(programDir, paths);
  }
};

}  // namespace

std::unique_ptr<ProfileStore> MakeSettingsProfileStore() { return std::make_unique<SettingsProfileStore>(); }

}  // namespace pagelark::ui
