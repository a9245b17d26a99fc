// pagelark-cli: the engine without a window, for scripts and schedulers.
//
//   pagelark-cli [--program-dir DIR] [--set KEY=VALUE]... [--save-as PATH] [--verbose] [PROFILE]
//   pagelark-cli --check DIR
//
// --verbose follows each failure line with its reason ("HTTP 404",
// "timed out") on a line of its own.
// Exit status: 0 when the run reached its end, 1 when the start command
// refused the settings, the run was stopped or abandoned (or a save failed),
// 2 for a usage error. --check DIR checks a finished mirror: 0 when it is
// whole, else 1. The first Ctrl-C stops the run at its next candidate, which
// then ends in its end sequence; a second one ends the program at once.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/cli/CheckCommand.h"
#include "app/cli/CliHost.h"
#include "app/cli/CliOptions.h"
#include "app/cli/CliProfile.h"
#include "crawl/CrawlEngine.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/memory.h"
#include "platform/terminal.h"
#include "settings/IniFile.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileWriter.h"

namespace {

using namespace pagelark;

constexpr char kUsage[] =
    "usage: pagelark-cli [--program-dir DIR] [--set KEY=VALUE]... [--save-as PATH] [--verbose] [PROFILE] | --check "
    "DIR";
constexpr int kExitDone = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

int UsageError(const std::string& reason) {
  std::fprintf(stderr, "pagelark-cli: %s (%s)\n", reason.c_str(), kUsage);
  return kExitUsage;
}

// The run makes the download folder the current directory, so every path
// given on the command line is made absolute first.
std::string AbsoluteSystemPath(const std::string& native) {
  return platform::AbsolutePath(platform::SystemPath(native));
}

// The folder of set.ini and log\: the executable's own, or the one given.
std::string ProgramDir(const std::string& given) {
  if (given.empty()) return platform::ExecutableDirectory();
  std::string dir = AbsoluteSystemPath(given);
  if (!cp932::EndsWithChar(dir, '\\')) dir += '\\';
  return dir;
}

int Save(cli::CliHost& host, const std::string& path, const std::string& programDir) {
  const bool written = WriteProfile(path, programDir, host);
  return written && host.MessageCount() == 0 ? kExitDone : kExitRefused;
}

int Run(int argc, char** argv) {
  std::string error;
  const auto options = cli::ParseCliOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) return UsageError(error);
  if (!options->check.empty()) return cli::RunMirrorCheck(options->check, stdout);

  const std::string programDir = ProgramDir(options->programDir);
  std::optional<std::string> profileBytes;
  std::string profilePath = programDir + std::string(keys::kDefaultProfileFile);
  if (!options->profile.empty()) {
    profilePath = AbsoluteSystemPath(options->profile);
    std::string bytes;
    if (!platform::FileExists(profilePath) || !platform::ReadFileBytes(profilePath, bytes, ini::kMaxFileBytes)) {
      return UsageError("cannot read profile " + options->profile);
    }
    profileBytes = std::move(bytes);
  }
  const auto settings = cli::EffectiveSettings(profileBytes, options->sets, error);
  if (!settings) return UsageError(error);

  // Everything is checked: now the given program folder may be created.
  if (!options->programDir.empty()) platform::CreateDirectories(programDir);
  cli::CliHost host(stdout, stderr);
  host.ShowReasons(options->verbose);
  host.ApplySettings(*settings);
  if (!options->saveAs.empty()) return Save(host, AbsoluteSystemPath(options->saveAs), programDir);

  CrawlEngine engine(host);
  host.OnInterrupt([&engine] { engine.StopDownload(); });
  platform::CatchFirstInterrupt();
  return engine.StartDownload(programDir, profilePath) == StartResult::kEnded ? kExitDone : kExitRefused;
}

}  // namespace

// The run handles the failures of its candidates itself; what escapes (no
// memory left for the settings or the report) ends the program with a line
// that says so, never with an abort.
int main(int argc, char** argv) {
  pagelark::platform::ShareOneHeapArena();
  try {
    return Run(argc, argv);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "pagelark-cli: %s\n", failure.what());
    return kExitRefused;
  }
}
