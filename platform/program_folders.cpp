#include "platform/program_folders.h"

#include <cstdlib>
#include <string_view>

#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark::platform {
namespace {

constexpr std::string_view kBinStep = "bin\\";
constexpr std::string_view kShareFolder = "share\\pagelark\\";

// The prefix of an installed executable ("\usr\" for "\usr\bin\"), or "" when
// the folder is not a "bin" folder with share\pagelark\ beside it.
std::string InstalledPrefix(const std::string& executableDir) {
  if (!executableDir.ends_with(kBinStep)) return {};
  const std::string prefix = executableDir.substr(0, executableDir.size() - kBinStep.size());
  if (!cp932::EndsWithChar(prefix, '\\')) return {};
  return FolderExists(prefix + std::string(kShareFolder)) ? prefix : std::string();
}

// The user's configuration folder for the program, or "" when the
// environment names none.
std::string UserConfigFolder(const FolderSources& sources) {
  const std::string folder = UserConfigHome(sources.configHome, sources.home);
  return folder.empty() ? folder : folder + "pagelark\\";
}

}  // namespace

std::string UserConfigHome(const std::string& configHome, const std::string& home) {
  if (configHome.starts_with('/')) return WithTrailingBackslash(SystemPath(configHome));
  if (home.starts_with('/')) return WithTrailingBackslash(SystemPath(home)) + ".config\\";
  return {};
}

std::string EnvironmentVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

ProgramFolders ChooseProgramFolders(const FolderSources& sources) {
  const std::string prefix = InstalledPrefix(sources.executableDir);
  if (prefix.empty()) return {sources.executableDir, sources.executableDir + "help\\", false};
  const std::string config = UserConfigFolder(sources);
  return {config.empty() ? sources.executableDir : config, prefix + std::string(kShareFolder) + "help\\", true};
}

ProgramFolders DefaultProgramFolders() {
  return ChooseProgramFolders(
      {ExecutableDirectory(), EnvironmentVariable("XDG_CONFIG_HOME"), EnvironmentVariable("HOME")});
}

}  // namespace pagelark::platform
