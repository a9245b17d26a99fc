// Command line of pagelark-cli:
//   pagelark-cli [--program-dir DIR] [--set KEY=VALUE]... [--save-as PATH] [--verbose] [PROFILE | URL]
//   pagelark-cli --check DIR
//   pagelark-cli --help | --version
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pagelark::cli {

struct CliOptions {
  std::string programDir;                                 // empty: the executable's folder
  std::vector<std::pair<std::string, std::string>> sets;  // in order, values still UTF-8
  std::string saveAs;                                     // empty: run
  std::string profile;                                    // empty: new-profile defaults
  std::string startUrl;                                   // an http:// or https:// URL given where PROFILE stands
  std::string check;                                      // a mirror folder to check instead of a run
  bool verbose = false;                                   // each failure line is followed by its reason
  bool help = false;                                      // print the usage text instead of anything else
  bool version = false;                                   // print the version instead of anything else
};

// True for an argument that is a start URL rather than a profile path: it
// begins with "http://" or "https://" (letter case ignored).
bool IsStartUrl(const std::string& arg);

// Parses argv[1..]. On a usage error gives nothing and sets `error` to a
// one-line reason.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace pagelark::cli
