#include "links/LocalFiles.h"

#include "links/PathFields.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark {

bool CreateDirectories(std::string_view path) {
  // A native path uses "/": walk its levels like those of a system path.
  std::string levels = cp932::ReplaceAll(path, "/", "\\");
  std::string prefix;
  // A separator at index 0 is no field of its own, which would leave the last
  // level of a rooted path ("/home/me/dl") uncreated: walk below the root.
  // A network path ("\\\\server\\share") keeps the plain walk.
  if (levels.starts_with('\\') && !levels.starts_with("\\\\")) {
    prefix = "\\";
    levels.erase(0, 1);
  }
  const int count = CountFields(levels, "\\");
  bool created = false;
  for (int i = 0; i < count; ++i) {
    prefix += GetField(levels, "\\", i);
    prefix += '\\';
    if (platform::CreateFolder(prefix)) created = true;
  }
  return created;
}

bool WriteTextFile(std::string_view path, std::string_view content) {
  platform::OutputFile file;
  if (!file.Open(path)) return false;
  const bool written = file.Write(content.data(), content.size());
  if (!file.Close() || !written) throw FileWriteError("cannot write " + std::string(path));
  return true;
}

}  // namespace pagelark
