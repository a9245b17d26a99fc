// Runs the built pagelark-cli as a process, as a script would. The including
// target defines PAGELARK_CLI_PATH (the program's path).
#pragma once

#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace pagelark::test {

struct CliResult {
  int status;  // exit status; -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs pagelark-cli with `args` (already quoted for the shell) in `dir`, with
// its program folder in dir/prog; standard output and error are kept in
// files there.
inline CliResult RunCli(const TempDir& dir, const std::string& args) {
  const std::filesystem::path out = dir.native() / "stdout.txt";
  const std::filesystem::path err = dir.native() / "stderr.txt";
  const std::string command = "cd '" + dir.native().string() + "' && '" + PAGELARK_CLI_PATH + "' --program-dir prog " +
                              args + " >'" + out.string() + "' 2>'" + err.string() + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(out), ReadAll(err)};
}

}  // namespace pagelark::test
