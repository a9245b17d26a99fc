#include "crawl/RunLog.h"

#include <cstdio>

#include "links/PathFields.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark {
namespace {

constexpr std::size_t kExtensionLength = 4;  // ".ini"

std::string ProfileStem(const std::string& profilePath) {
  // A native path ("/home/me/work.ini") splits like a system path.
  std::string folder, name;
  SplitPath(cp932::ReplaceAll(profilePath, "/", "\\"), folder, name, '\\');
  return name.size() > kExtensionLength ? name.substr(0, name.size() - kExtensionLength) : std::string();
}

std::string TimeStamp(const std::tm& t) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                t.tm_min, t.tm_sec);
  return stamp;
}

}  // namespace

std::string RunLogPath(const std::string& programDir, const std::string& profilePath, const std::tm& localTime) {
  return programDir + "log\\" + ProfileStem(profilePath) + TimeStamp(localTime) + ".log";
}

void WriteRunLog(Host& host, const std::vector<LineReason>& reasons, const std::string& programDir,
                 const std::string& profilePath) {
  const std::string path = RunLogPath(programDir, profilePath, platform::LocalTimeNow());
  platform::CreateDirectories(programDir + "log\\");
  // Staged like every file of the run: a link planted at its name is
  // replaced, never written through.
  platform::StagedFile file;
  if (!file.Open(path)) return;
  for (int i = 0; i < host.LineCount(); ++i) {
    std::string line = host.Line(i);
    if (const std::string* reason = ReasonOfLine(reasons, i)) line += " (" + *reason + ")";
    line += "\r\n";
    if (!file.Write(line.data(), line.size())) return;
  }
  file.Commit();
}

}  // namespace pagelark
