#include "settings/ProgramFiles.h"

#include "platform/cp932.h"
#include "settings/ProfileKeys.h"

namespace pagelark {
namespace {

std::string InFolder(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !cp932::EndsWithChar(path, '\\') && !cp932::EndsWithChar(path, '/')) path += '\\';
  return path + std::string(name);
}

}  // namespace

std::string SetIniPath(std::string_view programDir) { return InFolder(programDir, keys::kSetIniFile); }

std::string DefaultProfilePath(std::string_view programDir) { return InFolder(programDir, keys::kDefaultProfileFile); }

}  // namespace pagelark
