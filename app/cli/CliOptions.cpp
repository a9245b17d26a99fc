#include "app/cli/CliOptions.h"

#include "platform/cp932.h"

namespace pagelark::cli {
namespace {

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name, std::string& value,
               std::string& error) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size() + 1, name + "=") == 0) {
    value = arg.substr(name.size() + 1);
    return true;
  }
  if (i + 1 >= args.size()) {
    error = name + " needs a value";
    return false;
  }
  value = args[++i];
  return true;
}

bool IsOption(const std::string& arg, const std::string& name) { return arg == name || arg.rfind(name + "=", 0) == 0; }

bool AddSet(const std::string& text, CliOptions& options, std::string& error) {
  const std::size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0) {
    error = "--set needs KEY=VALUE, got '" + text + "'";
    return false;
  }
  options.sets.emplace_back(text.substr(0, eq), text.substr(eq + 1));
  return true;
}

// PROFILE or URL, whichever the argument is; only one of them.
bool TakeProfileOrUrl(const std::string& arg, CliOptions& options, std::string& error) {
  if (!options.profile.empty() || !options.startUrl.empty()) {
    error = "more than one PROFILE or URL: " + arg;
    return false;
  }
  (IsStartUrl(arg) ? options.startUrl : options.profile) = arg;
  return true;
}

}  // namespace

bool IsStartUrl(const std::string& arg) {
  const std::string lower = cp932::ToLower(arg);
  return lower.starts_with("http://") || lower.starts_with("https://");
}

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, std::string& error) {
  CliOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string value;
    if (IsOption(arg, "--program-dir")) {
      if (!TakeValue(args, i, "--program-dir", options.programDir, error)) return std::nullopt;
    } else if (IsOption(arg, "--save-as")) {
      if (!TakeValue(args, i, "--save-as", options.saveAs, error)) return std::nullopt;
    } else if (IsOption(arg, "--check")) {
      if (!TakeValue(args, i, "--check", options.check, error)) return std::nullopt;
    } else if (IsOption(arg, "--set")) {
      if (!TakeValue(args, i, "--set", value, error) || !AddSet(value, options, error)) return std::nullopt;
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else if (!TakeProfileOrUrl(arg, options, error)) {
      return std::nullopt;
    }
  }
  if (!options.check.empty() &&
      (!options.sets.empty() || !options.saveAs.empty() || !options.profile.empty() || !options.startUrl.empty())) {
    error = "--check takes no other option";
    return std::nullopt;
  }
  return options;
}

}  // namespace pagelark::cli
