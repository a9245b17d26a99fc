#include "crawl/MirrorCheck.h"

#include "links/CharacterReferences.h"
#include "links/LinkResolution.h"
#include "links/MirrorLayout.h"
#include "links/PageEncoding.h"
#include "links/PageText.h"
#include "links/PathFields.h"
#include "links/ScanPass.h"
#include "links/UriReference.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark {
namespace {

enum class LinkPlace { kNone, kLocal, kAbsolutePath, kOnline, kOtherScheme };

bool IsDrivePath(std::string_view value) {
  return value.size() > 2 && value[1] == ':' && (value[2] == '\\' || value[2] == '/');
}

LinkPlace PlaceOf(std::string_view value) {
  if (value.empty()) return LinkPlace::kNone;
  if (value.starts_with("//")) return LinkPlace::kOnline;
  if (value.starts_with('\\') || value.starts_with('/') || IsDrivePath(value)) return LinkPlace::kAbsolutePath;
  if (HasOtherScheme(value)) return LinkPlace::kOtherScheme;
  if (SchemeOf(value)) return LinkPlace::kOnline;
  return LinkPlace::kLocal;
}

// "%XX" escapes decoded, as a browser does before it opens a local file.
std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int byte = PercentByteAt(text, i);
    if (byte < 0) {
      out += text[i];
      continue;
    }
    out += static_cast<char>(byte);
    i += 2;
  }
  return out;
}

// A file, or a folder with its "index.html".
bool Opens(const std::string& path) {
  if (platform::FileExists(path)) return true;
  return platform::FolderExists(path) && platform::FileExists(path + "\\index.html");
}

// Whether the local link, read from the page's folder (system form, ending
// with "\"), opens a file: as written or with its escapes decoded.
bool LocalLinkOpens(const std::string& pageFolder, std::string_view value) {
  const std::string decoded = DecodeCharacterReferences(value);
  std::string path = cp932::ReplaceAll(std::string_view(decoded).substr(0, decoded.find('?')), "/", "\\");
  if (cp932::EndsWithChar(path, '\\')) path += "index.html";
  return Opens(pageFolder + path) || Opens(pageFolder + PercentDecoded(path));
}

std::string AbsoluteLinkPath(std::string_view value) {
  return std::string(IsDrivePath(value) ? value.substr(2) : value);
}

// The mirrored folder of the URL's server ("http\\host\\"), or empty.
std::string ServerFolder(std::string_view url) {
  const UriReference uri = ParseUriReference(url);
  if (!uri.scheme || !uri.authority || uri.authority->empty()) return {};
  return PlaceFile("", std::string(*uri.scheme) + "://" + std::string(*uri.authority) + "/x", false).folder;
}

bool IsSavedPage(std::string_view path) {
  const std::string lower = cp932::ToLower(path);
  return lower.ends_with(".html") || lower.ends_with(".htm") || lower.ends_with(".shtml") || lower.ends_with(".css");
}

class Checker {
 public:
  explicit Checker(const std::string& folder) : folder_(folder) {}

  void CheckPage(const std::string& page, MirrorReport& report) {
    std::string bytes;
    if (!platform::ReadFileBytes(folder_ + page, bytes)) return;
    ++report.pages;
    std::string pageFolder, name;
    SplitPath(page, pageFolder, name, '\\');
    PageText text;
    text.Assign(std::move(bytes));
    const bool styleSheet = cp932::ToLower(page).ends_with(".css");
    const std::vector<PageValue> values =
        styleSheet ? StyleSheetValuesOf(text.pageText()) : LinkValuesOf(text.pageText(), text.pageTextLower());
    // Values are read in the file's own encoding, as a browser reads them.
    const PageEncoding encoding =
        styleSheet ? DetectStyleSheetEncoding({}, text.pageText()) : DetectPageEncoding({}, text.pageText());
    for (const PageValue& found : values) {
      ++report.links;
      const std::string value =
          encoding == PageEncoding::kCp932 ? std::string(found.value) : LinkToSystem(found.value, encoding);
      CheckLink(page, folder_ + pageFolder, value, report);
    }
  }

 private:
  void CheckLink(const std::string& page, const std::string& pageFolder, std::string_view value, MirrorReport& report) {
    const MirrorReport::Link link{page, std::string(value)};
    switch (PlaceOf(value)) {
      case LinkPlace::kLocal:
        if (!LocalLinkOpens(pageFolder, value)) report.broken.push_back(link);
        return;
      case LinkPlace::kAbsolutePath:
        report.absolutePaths.push_back(link);
        if (!Opens(AbsoluteLinkPath(value))) report.broken.push_back(link);
        return;
      case LinkPlace::kOnline:
        if (platform::FolderExists(folder_ +
                                   ServerFolder(value.starts_with("//") ? "http:" + link.value : link.value))) {
          report.onlineMirrored.push_back(link);
        } else {
          ++report.onlineElsewhere;
        }
        return;
      case LinkPlace::kNone:
      case LinkPlace::kOtherScheme:
        return;
    }
  }

  std::string folder_;
};

}  // namespace

MirrorReport CheckMirror(const std::string& folder) {
  MirrorReport report;
  Checker checker(folder);
  for (const platform::FileEntry& file : platform::FilesBelow(folder)) {
    if (file.size == 0) report.emptyFiles.push_back(file.path);
    if (IsSavedPage(file.path)) checker.CheckPage(file.path, report);
  }
  return report;
}

}  // namespace pagelark
