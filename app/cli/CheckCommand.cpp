#include "app/cli/CheckCommand.h"

#include "crawl/MirrorCheck.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark::cli {
namespace {

std::string Shown(const std::string& text) { return cp932::ToUtf8(text); }

void PrintLinks(std::FILE* out, const char* label, const std::vector<MirrorReport::Link>& links) {
  for (const MirrorReport::Link& link : links) {
    std::fprintf(out, "%s: %s -> %s\n", label, Shown(link.page).c_str(), Shown(link.value).c_str());
  }
}

}  // namespace

int RunMirrorCheck(const std::string& folder, std::FILE* out) {
  const std::string system = platform::WithTrailingBackslash(platform::AbsolutePath(platform::SystemPath(folder)));
  if (!platform::FolderExists(system)) {
    std::fprintf(out, "no mirror folder: %s\n", folder.c_str());
    return 1;
  }
  const MirrorReport report = CheckMirror(system);
  PrintLinks(out, "opens nothing", report.broken);
  PrintLinks(out, "online, mirrored here", report.onlineMirrored);
  PrintLinks(out, "absolute path", report.absolutePaths);
  for (const std::string& file : report.emptyFiles) std::fprintf(out, "empty file: %s\n", Shown(file).c_str());
  std::fprintf(out,
               "%zu pages, %zu links: %zu open nothing, %zu point online to a server mirrored here, %zu to other "
               "servers, %zu absolute paths; %zu empty files: %s\n",
               report.pages, report.links, report.broken.size(), report.onlineMirrored.size(), report.onlineElsewhere,
               report.absolutePaths.size(), report.emptyFiles.size(), report.Whole() ? "whole" : "not whole");
  return report.Whole() ? 0 : 1;
}

}  // namespace pagelark::cli
