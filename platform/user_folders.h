// Folders of the user's desktop session.
#pragma once

#include <string>

namespace pagelark::platform {

// The user's download folder in display form (see DisplayPath) with a
// trailing separator: XDG_DOWNLOAD_DIR from $XDG_CONFIG_HOME/user-dirs.dirs
// (else ~/.config/user-dirs.dirs), else ~/Downloads where it exists, else the
// home folder, else the current directory.
std::string UserDownloadFolder();

// The value of XDG_DOWNLOAD_DIR in the text of a user-dirs.dirs file, with
// "$HOME" put in; empty when the file does not set it.
std::string DownloadDirFromUserDirs(const std::string& fileText, const std::string& home);

}  // namespace pagelark::platform
