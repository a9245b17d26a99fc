// pagelark-cli: the engine without a window, for scripts and schedulers.
//
//   pagelark-cli [--program-dir DIR] [--set KEY=VALUE]... [--save-as PATH] [--verbose] [PROFILE | URL]
//   pagelark-cli --check DIR
//   pagelark-cli --help | --version
//
// URL (http:// or https://, where PROFILE would stand) mirrors that URL into
// the current folder with a new profile's settings; --set keys still apply.
// The program folder (set.ini, log\) is the executable's, or the user's
// configuration folder when it runs from an installed prefix
// (platform/program_folders.h); --program-dir DIR overrides both.
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
#include "platform/fs.h"
#include "platform/memory.h"
#include "platform/program_folders.h"
#include "platform/terminal.h"
#include "settings/IniFile.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileWriter.h"

namespace {

using namespace pagelark;

constexpr char kUsage[] =
    "usage: pagelark-cli [--program-dir DIR] [--set KEY=VALUE]... [--save-as PATH] [--verbose] [PROFILE | URL] | "
    "--check DIR | --help | --version";
constexpr char kHelp[] =
    "usage: pagelark-cli [OPTION]... [PROFILE | URL]\n"
    "       pagelark-cli --check DIR\n"
    "\n"
    "Mirrors web pages with the settings of a profile, without a window.\n"
    "\n"
    "  PROFILE             an INI profile (code page 932); without it, a new profile's settings\n"
    "  URL                 an http:// or https:// start URL: mirror it into the current folder\n"
    "                      with a new profile's settings\n"
    "  --set KEY=VALUE     set one profile key (VALUE in UTF-8), read as if the profile held it;\n"
    "                      may be given many times, applied in order\n"
    "  --save-as PATH      write the effective settings to PATH (and record it in set.ini)\n"
    "                      instead of running\n"
    "  --program-dir DIR   the folder of set.ini and log/\n"
    "  --verbose           follow each failure line with its reason\n"
    "  --check DIR         check a finished mirror below DIR instead of running\n"
    "  --help              print this text\n"
    "  --version           print the version\n"
    "\n"
    "Exit status: 0 the run ended (--check: the mirror is whole); 1 the settings were\n"
    "refused, the run was stopped or abandoned (--check: the mirror is not whole);\n"
    "2 a usage error.\n";
constexpr int kExitDone = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

int UsageError(const std::string& reason) {
  std::fprintf(stderr, "pagelark-cli: %s (%s)\n", reason.c_str(), kUsage);
  return kExitUsage;
}

// The run makes the download folder the current directory, so every path
// given on the command line is made absolute first. Kept in the platform's
// form: set.ini stores it and messages show it.
std::string AbsoluteDisplayPath(const std::string& native) {
  return platform::DisplayPath(platform::AbsolutePath(platform::SystemPath(native)));
}

// The folder of set.ini and log\: the one given, or the program's own.
std::string ProgramDir(const std::string& given) {
  if (given.empty())
    return platform::WithTrailingSeparator(platform::DisplayPath(platform::DefaultProgramFolders().programDir));
  return platform::WithTrailingSeparator(AbsoluteDisplayPath(given));
}

int Save(cli::CliHost& host, const std::string& path, const std::string& programDir) {
  const bool written = WriteProfile(path, programDir, host);
  return written && host.MessageCount() == 0 ? kExitDone : kExitRefused;
}

int Run(int argc, char** argv) {
  std::string error;
  const auto options = cli::ParseCliOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) return UsageError(error);
  if (options->help) return std::fputs(kHelp, stdout) >= 0 ? kExitDone : kExitRefused;
  if (options->version) return std::puts("pagelark-cli " PAGELARK_VERSION) >= 0 ? kExitDone : kExitRefused;
  if (!options->check.empty()) return cli::RunMirrorCheck(options->check, stdout);

  const std::string programDir = ProgramDir(options->programDir);
  std::optional<std::string> profileBytes;
  std::string profilePath = programDir + std::string(keys::kDefaultProfileFile);
  if (!options->profile.empty()) {
    profilePath = AbsoluteDisplayPath(options->profile);
    std::string bytes;
    if (!platform::FileExists(profilePath) || !platform::ReadFileBytes(profilePath, bytes, ini::kMaxFileBytes)) {
      return UsageError("cannot read profile " + options->profile);
    }
    profileBytes = std::move(bytes);
  }
  const auto sets =
      options->startUrl.empty()
          ? options->sets
          : cli::StartUrlSets(options->startUrl, platform::NativePath(platform::CurrentDirectory()), options->sets);
  const auto settings = cli::EffectiveSettings(profileBytes, sets, error);
  if (!settings) return UsageError(error);

  // Everything is checked: now the program folder may be created.
  platform::CreateDirectories(programDir);
  cli::CliHost host(stdout, stderr);
  host.ShowReasons(options->verbose);
  host.ApplySettings(*settings);
  if (!options->saveAs.empty()) return Save(host, AbsoluteDisplayPath(options->saveAs), programDir);

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
