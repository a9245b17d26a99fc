// The profile operations the window calls: read, write, reset to the
// new-profile values, the start-up choice and the recent profiles that
// set.ini lists. An interface, so that the window's tests can watch the
// calls; the real one is the settings module.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "settings/Host.h"

namespace pagelark::ui {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual void Read(const std::string& profilePath, Host& host) = 0;
  // False when the start-up record could not be written (the writer has said so).
  virtual bool Write(const std::string& profilePath, const std::string& programDir, Host& host) = 0;
  virtual void Reset(Host& host) = 0;
  // Loads the start-up profile into the host; returns its path.
  virtual std::string LoadStartup(const std::string& programDir, Host& host) = 0;
  // The recent profiles that set.ini in `programDir` lists, and storing them
  // there (false when set.ini could not be written).
  virtual std::vector<std::string> ReadRecent(const std::string& programDir) = 0;
  virtual bool WriteRecent(const std::string& programDir, const std::vector<std::string>& paths) = 0;
};

// The settings module's reader, writer, defaults and start-up profile.
std::unique_ptr<ProfileStore> MakeSettingsProfileStore();

}  // namespace pagelark::ui
