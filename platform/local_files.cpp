// Folder chains and saved pages, over the file-system edge.
#include <vector>

#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark::platform {
namespace {

// The fields between backslashes, at character boundaries, so a 0x5C trail
// byte stays inside its character.
std::vector<std::string_view> SplitLevels(std::string_view path) {
  std::vector<std::string_view> levels;
  std::size_t start = 0;
  for (std::size_t at = cp932::Find(path, "\\"); at != cp932::npos; at = cp932::Find(path, "\\", at + 1)) {
    levels.push_back(path.substr(start, at - start));
    start = at + 1;
  }
  levels.push_back(path.substr(start));
  return levels;
}

}  // namespace

bool CreateDirectories(std::string_view path) {
  // A native path uses "/": walk its levels like those of a system path.
  std::string levels = cp932::ReplaceAll(path, "/", "\\");
  std::string prefix;
  // A rooted path ("/home/me/dl") is walked below its root, so that its last
  // level is created too. A network path ("\\\\server\\share") keeps the
  // plain walk, which stops one level short.
  if (levels.starts_with('\\') && !levels.starts_with("\\\\")) {
    prefix = "\\";
    levels.erase(0, 1);
  }
  std::vector<std::string_view> fields = SplitLevels(levels);
  if (levels.starts_with('\\')) fields.pop_back();
  bool created = false;
  for (std::string_view field : fields) {
    prefix += field;
    prefix += '\\';
    if (CreateFolder(prefix)) created = true;
  }
  return created;
}

bool WriteTextFile(std::string_view path, std::string_view content) {
  StagedFile file;
  if (!file.Open(path)) return false;
  if (!file.Write(content.data(), content.size()) || !file.Commit()) {
    throw FileWriteError("cannot write " + std::string(path));
  }
  return true;
}

bool RewriteTextFile(std::string_view path, std::string_view content) {
  return OverwriteFile(path, content) || WriteTextFile(path, content);
}

}  // namespace pagelark::platform
