#include "hostile/HostileRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <thread>

#include "platform/cp932.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileWriter.h"

namespace pagelark::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr char kDownloadFolder[] = "x/y/z/dl";
constexpr char kSecret[] = "sentinel secret";

// Every entry below `folder` with its kind, times and bytes, as lstat sees
// it: links are not followed. The folders of the run are left out, but for
// the levels above the download folder.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
    const std::string relative = fs::relative(it->path(), folder).string();
    if (relative == kDownloadFolder || relative == "prog" || relative == "out") {
      it.disable_recursion_pending();
      continue;
    }
    struct stat info {};
    ::lstat(it->path().c_str(), &info);
    std::string& entry = entries[relative];
    entry = std::to_string(info.st_mode) + " " + std::to_string(info.st_mtim.tv_sec) + "." +
            std::to_string(info.st_mtim.tv_nsec) + " " + std::to_string(info.st_size);
    if (S_ISLNK(info.st_mode)) entry += " -> " + fs::read_symlink(it->path()).string();
    if (S_ISREG(info.st_mode)) entry += " " + std::to_string(std::hash<std::string>{}(ReadAll(it->path())));
  }
  return entries;
}

std::string ProfileText(const CrawlSettings& settings, const std::map<std::string, std::string>& keyValues) {
  std::string text = "[" + std::string(keys::kSection) + "]\r\n";
  for (const ProfileEntry& entry : ProfileEntries(settings)) {
    const auto given = keyValues.find(entry.key);
    text += entry.key + "=" + (given != keyValues.end() ? given->second : entry.value) + "\r\n";
  }
  return text;
}

}  // namespace

std::string Anchors(const std::vector<const char*>& hrefs) {
  std::string anchors;
  for (const char* href : hrefs) anchors += "<a href=" + std::string(href) + ">x</a>";
  return anchors;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const fs::path& dir, const ProcessLimits& limits) {
  fs::create_directories(dir / "out");
  const std::string out = (dir / "out/stdout.txt").string(), err = (dir / "out/stderr.txt").string();
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const auto start = Clock::now();
  const pid_t child = ::fork();
  if (child > 0) ::setpgid(child, child);  // so that the group can be killed at once
  if (child == 0) {
    // Only async-signal-safe calls until exec.
    ::setpgid(0, 0);
    if (::chdir(dir.c_str()) != 0) ::_exit(126);
    ::dup2(::open("/dev/null", O_RDONLY), 0);
    ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    if (limits.fileBytes != 0) {
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit fileSize{limits.fileBytes, limits.fileBytes};
      ::setrlimit(RLIMIT_FSIZE, &fileSize);
    }
    if (limits.memoryBytes != 0) {
      const rlimit memory{limits.memoryBytes, limits.memoryBytes};
      ::setrlimit(RLIMIT_AS, &memory);
    }
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ProcessResult result;
  int status = 0;
  const auto deadline = start + std::chrono::seconds(limits.seconds);
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (Clock::now() >= deadline) {
      result.killed = true;
      ::kill(-child, SIGKILL);
      ::waitpid(child, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(-child, SIGKILL);  // whatever it left running
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  result.out = ReadAll(out);
  result.err = ReadAll(err);
  return result;
}

HostileRun::HostileRun()
    : sentinel(root.native() / "sentinel"),
      downloadFolder(root.native() / kDownloadFolder),
      mirror(downloadFolder),
      site(sentinel / "secret") {
  fs::create_directories(sentinel / "in");
  fs::create_directories(downloadFolder);
  for (const char* name : {"secret", "a", "b", "twin", "in/c.gif", "in/p.html"}) {
    std::ofstream(sentinel / name) << kSecret << " " << name;
  }
  settings = NewProfileSettings();
  settings.downloadFolder = cp932::ReplaceAll(kDownloadFolder, "/", "\\");
  settings.maxFiles = "40";
  settings.writeLog = true;
  // Small caps and a short stall time keep each case within seconds.
  settings.bounds = {"1", "1", "100", "2"};
}

ProcessResult HostileRun::Run(int seconds, int exitCode, rlim_t fileBytes, const std::vector<std::string>& wrapper) {
  std::ofstream(root.native() / "profile.ini", std::ios::binary) << ProfileText(settings, keyValues) << profileTail;
  const auto before = Snapshot(root.native());
  std::vector<std::string> argv = wrapper;
  for (const char* arg : {PAGELARK_CLI_PATH, "--program-dir", "prog", "profile.ini"}) argv.emplace_back(arg);
#ifdef PAGELARK_SANITIZED
  const rlim_t memory = 0;  // the sanitizers reserve terabytes of address space
#else
  const rlim_t memory = rlim_t{256} << 20;
#endif
  const ProcessResult result = RunProcess(argv, root.native(), {seconds, fileBytes, memory});
  EXPECT_FALSE(result.killed) << "still running after " << seconds << " s; output:\n" << result.out;
  EXPECT_EQ(result.signal, 0) << result.err;
  EXPECT_EQ(result.exitCode, exitCode) << result.err;
  for (const char* report : {"runtime error", "AddressSanitizer", "LeakSanitizer"}) {
    EXPECT_EQ(result.err.find(report), std::string::npos) << result.err;
  }
  EXPECT_EQ(Snapshot(root.native()), before) << "the run changed the case folder outside its download folder";
  for (const auto& [name, bytes] : StoredFiles()) {
    EXPECT_EQ(bytes.find(kSecret), std::string::npos) << name << " holds bytes of the sentinel";
  }
  for (const std::string& request : site.Requests()) EXPECT_TRUE(request.starts_with("GET /")) << request;
  ::testing::Test::RecordProperty("seconds", std::to_string(result.seconds));
  return result;
}

fs::path HostileRun::Stored(std::string_view path) const {
  return mirror / ("http/127.0.0.1" + std::to_string(site.port())) / cp932::ToLower(path.substr(1));
}

std::string HostileRun::Line(std::string_view path, const char* ending) const {
  return "\n\t" + site.Url(path) + cp932::ToUtf8(ending) + "\n";
}

std::string HostileRun::Message(const char* text) { return "PagelarkCGI: " + cp932::ToUtf8(text) + "\n"; }

std::map<std::string, std::string> HostileRun::StoredFiles() const {
  std::map<std::string, std::string> files;
  if (!fs::exists(mirror)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(mirror)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), mirror).string()] = ReadAll(entry.path());
  }
  return files;
}

}  // namespace pagelark::test
