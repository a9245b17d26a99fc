#include "links/MirrorLayout.h"

#include <array>
#include <functional>

#include "links/LocalNames.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace pagelark {
namespace {

constexpr std::string_view kIndexPage = "index.html";
constexpr std::string_view kIndexTwin = "index.htm";

// Views: `folder` into the thread's kept folder forms (LocalFolderOf), valid
// until its next call; `name` into the URL.
struct UrlParts {
  std::string_view folder;  // local form of the URL's folder, confined
  std::string_view name;    // the URL's file name as written
  bool isIndexPage;         // the URL's own name is exactly "index.html"
};

std::string StoredCase(std::string_view name) {
  return platform::kCaseSensitiveFileSystem ? cp932::ToLower(name) : std::string(name);
}

// The local form of a URL's folder, confined. The links of a page mostly
// share a few folders: each thread keeps the forms it worked out last, two
// per set of a small table picked by the folder's hash, the one used last
// in front.
std::string_view LocalFolderOf(std::string_view urlFolder) {
  struct Entry {
    std::string urlFolder;
    std::string localFolder;
    bool filled = false;
    bool Holds(std::string_view folder) const { return filled && urlFolder == folder; }
  };
  constexpr std::size_t kSets = 128;
  thread_local std::array<std::array<Entry, 2>, kSets> recent;
  std::array<Entry, 2>& set = recent[std::hash<std::string_view>{}(urlFolder) % kSets];
  if (!set[0].Holds(urlFolder)) {
    std::swap(set[0], set[1]);
    if (!set[0].Holds(urlFolder)) {
      set[0].urlFolder = urlFolder;
      set[0].localFolder = ConfineLocalPart(ToLocalForm(urlFolder));
      set[0].filled = true;
    }
  }
  return set[0].localFolder;
}

// As SplitPath splits at the last "/" (which is never a trail byte), with
// views: the folder keeps one "/" at its end.
UrlParts SplitUrl(std::string_view url) {
  const std::size_t slash = url.rfind('/');
  std::string_view folder, name = url;
  if (slash + 1 == url.size()) {
    folder = url;
    name = {};
  } else if (slash != std::string_view::npos) {
    folder = url.substr(0, slash == 0 ? 0 : url[slash - 1] == '/' ? slash : slash + 1);
    name = url.substr(slash + 1);
  }
  return {LocalFolderOf(folder), name, name == kIndexPage};
}

bool IsDotStep(std::string_view step) { return step == "." || step == ".."; }

}  // namespace

std::string ConfineLocalPart(std::string_view part) {
  // With no lone lead byte left, "/", "\\" and ":" standing alone are the
  // characters themselves, never trail bytes.
  std::string buffer;
  const std::string_view text = EscapeLoneLeadBytes(part, buffer);
  // The confined part is never longer than the text: written over a copy of it.
  std::string out(text);
  std::size_t written = 0;
  std::size_t stepStart = 0;  // where the step being copied begins in `out`
  const auto step = [&] { return std::string_view(out).substr(stepStart, written - stepStart); };
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = cp932::CharLength(text, i);
    const char c = text[i];
    if (length == 2) {
      out[written++] = c;
      out[written++] = text[i + 1];
    } else if (c == '/' || c == '\\') {
      if (step().empty() || IsDotStep(step())) {
        written = stepStart;
      } else {
        out[written++] = '\\';
      }
      stepStart = written;
    } else if (c != ':') {
      out[written++] = c;
    }
    i += length;
  }
  if (IsDotStep(step())) written = stepStart;
  out.resize(written);
  return out;
}

MirrorPlace PlaceFile(std::string_view downloadFolder, std::string_view url, bool oneFolder, bool requisite) {
  const UrlParts parts = SplitUrl(url);
  std::string name = StoredCase(parts.name);
  if (cp932::Find(name, "?") != cp932::npos) name = requisite ? RequisiteFileName(name) : QueryFileName(name);
  std::string base(downloadFolder);
  if (!oneFolder) base.append(parts.folder);
  MirrorPlace place;
  place.filePath = base + ConfineLocalPart(name);
  if (!oneFolder) place.folder = std::move(base);
  return place;
}

MirrorPlace PlacePage(std::string_view downloadFolder, std::string_view url, bool oneFolder, bool stored) {
  const UrlParts parts = SplitUrl(url);
  const bool isIndex = parts.name.empty() || parts.isIndexPage;
  const std::string name = parts.name.empty() ? std::string(kIndexPage) : StoredCase(parts.name);
  const std::string_view folder = oneFolder || !stored ? std::string_view() : parts.folder;
  std::string base = std::string(downloadFolder).append(folder);
  MirrorPlace place;
  if (stored) {
    if (cp932::Find(folder, "?") == cp932::npos && cp932::Find(name, "?") == cp932::npos) {
      // A confined folder is empty or ends with "\": confining the whole
      // path leaves it as it is and confines the name alone.
      place.filePath = base + ConfineLocalPart(name);
    } else {
      place.filePath = std::string(downloadFolder) + ConfineLocalPart(QueryPageName(std::string(folder) + name));
    }
  }
  if (isIndex) {
    place.twinSource = base + std::string(kIndexPage);
    place.twinPath = base + std::string(kIndexTwin);
  }
  if (stored && !oneFolder) place.folder = std::move(base);
  return place;
}

}  // namespace pagelark
