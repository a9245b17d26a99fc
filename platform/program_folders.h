// Where a program keeps its writable files (set.ini, log\) and finds its help
// file. A program run from an installed prefix (its folder is ".../bin\" and
// ".../share\pagelark\" stands beside it) may not write beside itself, so its
// writable files go to the user's configuration folder, and the help file is
// the one installed under share\pagelark\help\. Anywhere else (a build tree,
// a portable copy) both stay beside the executable.
#pragma once

#include <string>

namespace pagelark::platform {

struct ProgramFolders {
  std::string programDir;  // set.ini and log\, system form with a trailing "\"
  std::string helpDir;     // the help file's folder, system form with a trailing "\"
  bool installed = false;  // the executable runs from an installed prefix
};

// What the choice depends on: the executable's folder (system form, trailing
// "\") and the variables XDG_CONFIG_HOME and HOME (native, "" when unset).
struct FolderSources {
  std::string executableDir;
  std::string configHome;
  std::string home;
};

// Installed: "$XDG_CONFIG_HOME/pagelark/" (only an absolute value counts),
// else "$HOME/.config/pagelark/"; with neither, the executable's folder.
// Nothing is created.
ProgramFolders ChooseProgramFolders(const FolderSources& sources);

// The user's configuration folder: `configHome` ($XDG_CONFIG_HOME) when it is
// absolute, else `home` + "/.config"; system form with a trailing "\", or ""
// when the environment names neither.
std::string UserConfigHome(const std::string& configHome, const std::string& home);

// An environment variable's value; "" when unset.
std::string EnvironmentVariable(const char* name);

// The folders of the running executable in this environment.
ProgramFolders DefaultProgramFolders();

}  // namespace pagelark::platform
