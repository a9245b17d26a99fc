// One case of the fault-injection suite: a case folder in the temporary
// folder, holding a sentinel folder (files and a folder that planted links
// point at, and the secret that redirects point at), the download folder
// three levels down, and the profile of the run. pagelark-cli runs there as a
// process, killed when it passes the case's time limit; after it, everything
// in the case folder but the download folder, the program folder and the
// captured output must be as it was, byte for byte and in its times.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "hostile/HostileSite.h"
#include "settings/CrawlSettings.h"
#include "support/TempDir.h"

namespace pagelark::test {

struct ProcessLimits {
  int seconds;             // killed with its process group after this long
  rlim_t fileBytes = 0;    // RLIMIT_FSIZE, SIGXFSZ ignored; 0: none
  rlim_t memoryBytes = 0;  // RLIMIT_AS; 0: none
};

struct ProcessResult {
  int exitCode = -1;    // -1 when it did not exit
  int signal = 0;       // the signal that ended it
  bool killed = false;  // it passed its time limit
  double seconds = 0;
  std::string out;
  std::string err;
};

// Runs argv[0] (an absolute path) with `dir` as its current folder, standard
// output and error into dir/out/.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::filesystem::path& dir,
                         const ProcessLimits& limits);

// Anchors to `hrefs` as a minified page writes them: unquoted, nothing
// between them.
std::string Anchors(const std::vector<const char*>& hrefs);

class HostileRun : public ::testing::Test {
 protected:
  HostileRun();

  // Writes the profile (`settings` with `keyValues` written over their keys,
  // then `profileTail`), runs pagelark-cli on it within `seconds` and, but
  // under the sanitizers, 256 MiB of address space, and checks a normal exit
  // with `exitCode`, no sanitizer report, an unchanged case folder outside
  // the download folder, no bytes of the sentinel in the mirror, and only GET
  // requests at the site. `wrapper` goes before the program's path (a mount
  // namespace).
  ProcessResult Run(int seconds, int exitCode = 0, rlim_t fileBytes = 0, const std::vector<std::string>& wrapper = {});

  // Where the mirror keeps a path of the site (stored lower-case).
  std::filesystem::path Stored(std::string_view path) const;
  // The progress line of a URL of the site with `ending` (a RunTexts text),
  // with the line breaks around it.
  std::string Line(std::string_view path, const char* ending) const;
  // The message line of a RunTexts text on standard error.
  static std::string Message(const char* text);
  // Every regular file below the download folder, relative, with its bytes.
  std::map<std::string, std::string> StoredFiles() const;

  TempDir root;
  const std::filesystem::path sentinel;
  const std::filesystem::path downloadFolder;
  std::filesystem::path mirror;  // where the run's files are read from; the download folder unless copied
  HostileSite site;
  CrawlSettings settings;
  std::map<std::string, std::string> keyValues;
  std::string profileTail;  // bytes after the profile's keys
};

}  // namespace pagelark::test
