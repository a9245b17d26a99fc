// pagelark-cli against a hostile disk: links planted in the download folder
// that point outside it, and a disk that fills up during the run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "hostile/HostileRun.h"
#include "messages/RunTexts.h"

namespace pagelark::test {
namespace {

namespace fs = std::filesystem;

constexpr int kSeconds = 20;

using HostileDisk = HostileRun;

// A symbolic link at a folder level (with and without levels to create
// below it), a symbolic link and a hard link in a file's place, and a
// symbolic link as the "index.htm" twin, all into the sentinel folder, which
// the run leaves as it was.
TEST_F(HostileDisk, LinksPlantedInTheDownloadFolderAreNeverWrittenThrough) {
  site.Serve("/d/index.html", "<img src=a.gif><img src=b.gif><img src=in/c.gif><img src=in/new/c.gif>" +
                                  Anchors({"in/p.html", "in/new/p.html", "after.zip"}));
  const fs::path folder = Stored("/d");
  fs::create_directories(folder);
  fs::create_symlink(sentinel / "a", folder / "a.gif");
  fs::create_hard_link(sentinel / "b", folder / "b.gif");
  fs::create_symlink(sentinel / "twin", folder / "index.htm");
  fs::create_directory_symlink(sentinel / "in", folder / "in");
  settings.startUrl = site.Url("/d/");
  const ProcessResult result = Run(kSeconds);
  for (const char* path : {"/d/a.gif", "/d/b.gif"}) {
    EXPECT_FALSE(fs::is_symlink(Stored(path))) << path;
    EXPECT_EQ(ReadAll(Stored(path)), HostileSite::PlainBody(path)) << path;
  }
  EXPECT_FALSE(fs::is_symlink(Stored("/d/index.htm")));
  for (const char* path : {"/d/in/c.gif", "/d/in/new/c.gif"}) {
    EXPECT_NE(result.out.find(Line(path, msg::kFailed)), std::string::npos) << path << "\n" << result.out;
  }
  for (const char* path : {"/d/in/p.html", "/d/in/new/p.html"}) {
    EXPECT_NE(result.out.find(Line(path, msg::kCannotCreate)), std::string::npos) << path << "\n" << result.out;
  }
  EXPECT_EQ(ReadAll(Stored("/d/after.zip")), HostileSite::PlainBody("/d/after.zip"));
}

// The run on a small tmpfs in a mount namespace of its own (as root, or as
// root of a user namespace), copying what it left to out/disk; empty when
// this machine refuses such mounts.
std::vector<std::string> TmpfsWrapper(const fs::path& probeFolder) {
  const std::string run =
      "mount -t tmpfs -o size=512k tmpfs x/y/z && mkdir x/y/z/dl || exit 125\n"
      "\"$@\"; status=$?\n"
      "cp -a x/y/z/dl out/disk\n"
      "exit $status";
  fs::create_directories(probeFolder);
  for (std::vector<std::string> unshare : {std::vector<std::string>{"/usr/bin/unshare", "--mount"},
                                           {"/usr/bin/unshare", "--user", "--map-root-user", "--mount"}}) {
    std::vector<std::string> probe = unshare;
    probe.insert(probe.end(), {"/bin/sh", "-c", "mount -t tmpfs -o size=64k tmpfs \"$0\"", probeFolder.string()});
    if (RunProcess(probe, probeFolder, {10}).exitCode != 0) continue;
    unshare.insert(unshare.end(), {"--propagation", "private", "/bin/sh", "-c", run, "sh"});
    return unshare;
  }
  return {};
}

struct DiskKind {
  const char* name;
  bool tmpfs;  // else a file-size limit of 512 KiB stands in for the full disk
  friend void PrintTo(const DiskKind& kind, std::ostream* out) { *out << kind.name; }
};

class FullDisk : public HostileRun, public ::testing::WithParamInterface<DiskKind> {};

// The disk fills up while the second of three images arrives: the run ends
// with its message and its count (exit 0), the third image is never asked
// for, and only whole files stand under their names.
TEST_P(FullDisk, EndsTheRunWithItsMessageAndLeavesOnlyWholeFiles) {
  site.Serve("/full.html", "<img src=small.gif><img src=big.gif><img src=late.gif>");
  site.Serve("/big.gif", std::string(900 << 10, 'b'));  // more than the disk takes, less than the 1 MiB cap
  settings.startUrl = site.Url("/full.html");
  ProcessResult result;
  if (GetParam().tmpfs) {
    const std::vector<std::string> wrapper = TmpfsWrapper(root.native() / "out/probe");
    if (wrapper.empty()) GTEST_SKIP() << "this machine refuses tmpfs mounts";
    mirror = root.native() / "out/disk";
    result = Run(kSeconds, 0, 0, wrapper);
  } else {
    result = Run(kSeconds, 0, 512 << 10);
  }
  EXPECT_NE(result.out.find(Line("/small.gif", msg::kSucceeded)), std::string::npos) << result.out;
  EXPECT_NE(result.out.find(Line("/big.gif", msg::kFailed)), std::string::npos) << result.out;
  EXPECT_NE(result.err.find(Message(msg::kCannotWriteDisk) + Message(msg::kDownloadComplete)), std::string::npos)
      << result.err;
  // "late.gif" may have been fetched ahead on a second connection; it is
  // never stored.
  EXPECT_EQ(StoredFiles().size(), 2u);
  EXPECT_TRUE(fs::exists(Stored("/full.html")));
  EXPECT_EQ(ReadAll(Stored("/small.gif")), HostileSite::PlainBody("/small.gif"));
}

INSTANTIATE_TEST_SUITE_P(HostileDisk, FullDisk,
                         ::testing::Values(DiskKind{"Tmpfs", true}, DiskKind{"FileSizeLimit", false}),
                         [](const auto& kind) { return std::string(kind.param.name); });

}  // namespace
}  // namespace pagelark::test
