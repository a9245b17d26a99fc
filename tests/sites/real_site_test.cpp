// Mirrors whole sites served on 127.0.0.1 with pagelark-cli and checks the
// mirror against what was served: pages unchanged outside link values, no
// empty files, no file-system paths as links, and no failed request but for
// the site's own broken links.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "sites/SiteChecks.h"
#include "sites/SiteMirror.h"
#include "support/TempDir.h"

namespace pagelark::test {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Targets(const std::map<std::string, std::string>& broken) {
  std::set<std::string> targets;
  for (const auto& entry : broken) targets.insert(entry.first);
  return targets;
}

// pagelark-cli --check must find the mirror whole, its only links into the
// mirrored server being those to the site's own broken links.
void ExpectCheckedWhole(const SiteMirror& run, const std::set<std::string>& sitesOwnBrokenLinks) {
  const CliResult check = RunMirrorCheck(run);
  EXPECT_EQ(check.status, 0) << check.out;
  std::set<std::string> online;
  constexpr std::string_view kOnline = "online, mirrored here: ";
  for (std::size_t at = 0; at < check.out.size();) {
    const std::size_t end = std::min(check.out.find('\n', at), check.out.size());
    const std::string line = check.out.substr(at, end - at);
    if (line.starts_with(kOnline)) {
      const std::string link = line.substr(line.find(" -> ") + 4);
      const std::string url = link.substr(0, link.find_first_of("?#"));
      const bool broken = std::any_of(sitesOwnBrokenLinks.begin(), sitesOwnBrokenLinks.end(),
                                      [&](const std::string& target) { return url.ends_with("/" + target); });
      EXPECT_TRUE(broken) << line;
      online.insert(link);
    }
    at = end + 1;
  }
  EXPECT_EQ(online.empty(), sitesOwnBrokenLinks.empty()) << check.out;
}

void ExpectFaithfulMirror(const SiteMirror& run, const std::set<std::string>& sitesOwnBrokenLinks) {
  const MirroredSite& mirrored = run.mirrored();
  ASSERT_EQ(run.cli().status, 0) << run.cli().err;
  ASSERT_TRUE(fs::is_directory(mirrored.mirror)) << mirrored.mirror << " is missing";

  // A fact of the served copy, found by the harness alone: the failures
  // below are judged against it.
  const std::map<std::string, std::string> broken = BrokenLinks(mirrored);
  EXPECT_EQ(Targets(broken), sitesOwnBrokenLinks);

  const Findings changed = ChangedFiles(mirrored);
  EXPECT_TRUE(changed.empty()) << Describe(changed, "saved files differ from the served ones outside link values");
  const Findings empty = EmptyFiles(mirrored);
  EXPECT_TRUE(empty.empty()) << Describe(empty, "empty files in the mirror");
  const Findings paths = FileSystemPathLinks(mirrored);
  EXPECT_TRUE(paths.empty()) << Describe(paths, "link values are file-system paths");
  const Findings missing = MissingPages(mirrored);
  EXPECT_TRUE(missing.empty()) << Describe(missing, "linked pages of the site missing from the mirror");
  const Findings unexpected = UnexpectedFailures(mirrored, broken);
  EXPECT_TRUE(unexpected.empty()) << Describe(unexpected, "failed requests for what is no broken link of the site");
  const Findings unreported = UnreportedBrokenLinks(mirrored, broken);
  EXPECT_TRUE(unreported.empty()) << Describe(unreported, "broken links of the site never reported as failed");
  ExpectCheckedWhole(run, sitesOwnBrokenLinks);
}

TEST(RealSite, MirrorsThePythonDocumentation) {
  ASSERT_TRUE(fs::is_directory(kPythonDocs))
      << kPythonDocs << " is missing: tools/setup-deps.sh installs python3.11-doc";
  const TempDir copy;
  // _static/jquery.js and underscore.js are links to other packages' files:
  // the copy holds the files themselves.
  fs::copy(kPythonDocs, copy.native() / "html", fs::copy_options::recursive);
  const SiteMirror run(copy.native() / "html", "index.html");
  // The package ships the change log compressed (changelog.html.gz), so every
  // link to whatsnew/changelog.html is broken on the served copy.
  ExpectFaithfulMirror(run, {"whatsnew/changelog.html"});
}

// With page requisites, the mirror holds every file that Wget fetches with
// its page requisites (-r -p) from the same server, named as the mirror
// names them: letter case aside, a query before the extension.
TEST(RealSite, PythonDocumentationWithRequisitesHoldsWhatWgetFetches) {
  if (std::system("command -v wget >/dev/null") != 0)
    GTEST_SKIP() << "wget is missing: tools/setup-deps.sh installs it";
  const SiteMirror run(kPythonDocs, "index.html", "--set Requisites=on");
  const TempDir wgetDir;
  const std::string command = "cd '" + wgetDir.native().string() + "' && wget -q -r -l inf -p -np -nH -e robots=off '" +
                              run.mirrored().origin + "/index.html'";
  std::system(command.c_str());
  const auto lowered = [](std::string path) {
    for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
  };
  std::set<std::string> ours;
  for (const auto& entry : fs::recursive_directory_iterator(run.mirrored().mirror)) {
    if (entry.is_regular_file()) ours.insert(lowered(fs::relative(entry.path(), run.mirrored().mirror).string()));
  }
  std::vector<std::string> missing;
  std::size_t wgetFiles = 0;
  for (const auto& entry : fs::recursive_directory_iterator(wgetDir.native())) {
    if (!entry.is_regular_file()) continue;
    ++wgetFiles;
    std::string name = lowered(fs::relative(entry.path(), wgetDir.native()).string());
    if (const std::size_t mark = name.find('?'); mark != std::string::npos) {
      const std::size_t dot = name.rfind('.', mark);
      name = name.substr(0, dot) + name.substr(mark + 1) + name.substr(dot, mark - dot);
    }
    if (!ours.contains(name)) missing.push_back(name);
  }
  EXPECT_GT(wgetFiles, 500u);
  EXPECT_TRUE(missing.empty()) << missing.size() << " of Wget's files missing, the first: " << missing.front();
}

// Debian's git-doc: the git manual pages as HTML, written by another tool
// (character references in link values, such as "git-web&#45;&#45;browse.html").
// git.html links to git-p4.html, which the package leaves out.
TEST(RealSite, MirrorsTheGitManual) {
  const fs::path manual = "/usr/share/doc/git-doc";
  ASSERT_TRUE(fs::is_directory(manual)) << manual << " is missing: tools/setup-deps.sh installs git-doc";
  const TempDir copy;
  fs::copy(manual, copy.native() / "git", fs::copy_options::recursive);
  const SiteMirror run(copy.native() / "git", "git.html");
  ExpectFaithfulMirror(run, {"git-p4.html"});
}

// The bundled sample site, where the same checks prove the harness. Served
// as files alone, it has no search.cgi (tools/sample-server answers that
// one): the two search links of form.html are its broken links here.
TEST(RealSite, MirrorsTheSampleSite) {
  const SiteMirror run(fs::path(PAGELARK_SOURCE_DIR) / "examples/site", "index.html");
  ExpectFaithfulMirror(run, {"search.cgi"});
}

}  // namespace
}  // namespace pagelark::test
