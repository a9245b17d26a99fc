// A folder of files served on 127.0.0.1 and mirrored by the built
// pagelark-cli from one of its pages, with every kind, the whole server
// allowed (same server on, below the start URL off) and a file limit of
// 1,000,000, and any further `--set` options of `moreSettings` (already
// quoted for the shell). The mirror of server 127.0.0.1:<port> lies in
// <download folder>/http/127.0.0.1<port>/ (the ":" is dropped).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "sites/SiteChecks.h"
#include "support/CliProcess.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"

namespace pagelark::test {

// The HTML of Debian's python3.11-doc (tools/setup-deps.sh installs it): about
// 530 pages with their style sheets, scripts and pictures.
inline const std::filesystem::path kPythonDocs = "/usr/share/doc/python3.11/html";

class SiteMirror {
 public:
  SiteMirror(const std::filesystem::path& site, std::string_view startPage, std::string_view moreSettings = {}) {
    server_.ServeFolder(site);
    cli_ = RunCli(dir_, "--set 'URL=" + server_.Url("/" + std::string(startPage)) +
                            "' --set DownLoad=dl --set Count=1000000 --set KIND=all --set Server=on"
                            " --set ANOTHERURL=off " +
                            std::string(moreSettings));
    const std::filesystem::path download = dir_.native() / "dl";
    mirrored_ = {site, download, download / "http" / ("127.0.0.1" + std::to_string(server_.port())), server_.Url(""),
                 cli_.out};
  }

  const CliResult& cli() const { return cli_; }
  const MirroredSite& mirrored() const { return mirrored_; }
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  LoopbackServer server_;
  CliResult cli_;
  MirroredSite mirrored_;
};

// The mirror check, `pagelark-cli --check DIR`, over the download folder of
// `mirror`. A site test calls it once the check exists, and expects it to
// report the mirror whole except for the site's own broken links
// (`BrokenLinks`): on the Python documentation, the links to
// whatsnew/changelog.html.
inline CliResult RunMirrorCheck(const SiteMirror& mirror) {
  return RunCli(mirror.dir(), "--check '" + mirror.mirrored().downloadFolder.string() + "'");
}

}  // namespace pagelark::test
