#include "platform/fs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "platform/cp932.h"

namespace pagelark::platform {
namespace {

namespace fs = std::filesystem;

fs::path ToFsPath(std::string_view systemPath) { return fs::path(NativePath(systemPath)); }

std::FILE* OpenForWriting(std::string_view systemPath) {
  const std::string native = NativePath(systemPath);
  if (native.empty()) return nullptr;
  return std::fopen(native.c_str(), "wb");
}

// Flushes and closes; false when a write or the flush failed.
bool FlushAndClose(std::FILE* file) {
  const bool ok = std::fflush(file) == 0 && std::ferror(file) == 0;
  return std::fclose(file) == 0 && ok;
}

// A fresh name beside `target`: its name (cut so that the whole stays within
// a file name's limit) followed by a random suffix.
std::string TemporaryName(const std::string& target) {
  constexpr std::size_t kNameMax = 255;
  static std::mt19937_64 random{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%016" PRIx64 ".tmp", static_cast<std::uint64_t>(random()));
  const std::size_t nameStart = target.rfind('/') + 1;  // 0 without a folder
  const std::size_t nameRoom = kNameMax - std::strlen(suffix);
  return target.substr(0, nameStart + std::min(target.size() - nameStart, nameRoom)) + suffix;
}

// Creates a new file at a fresh TemporaryName of `target`; never opens
// anything already there. -1 when the folder takes no new file.
int CreateTemporaryFile(const std::string& target, std::string& temporary) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = TemporaryName(target);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// What a newly created file gets: read and write for all, less the umask.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

}  // namespace

std::string NativePath(std::string_view systemPath) {
  // Convert first: in UTF-8 a 0x5C byte is always a backslash character.
  std::string native = cp932::ToUtf8(systemPath);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

std::string SystemPath(std::string_view nativePath) {
  std::string path(nativePath);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return cp932::FromUtf8(path);
}

std::string DisplayPath(std::string_view systemPath) {
  if constexpr (kNativeSeparator == '\\') return std::string(systemPath);
  return cp932::ReplaceAll(std::string(systemPath), "\\", std::string(1, kNativeSeparator));
}

std::string WithTrailingBackslash(std::string path) {
  if (!cp932::EndsWithChar(path, '\\')) path += '\\';
  return path;
}

std::string WithTrailingSeparator(std::string folder) {
  if (!cp932::EndsWithChar(folder, '\\') && !cp932::EndsWithChar(folder, '/')) folder += kNativeSeparator;
  return folder;
}

bool IsForeignDrivePath(std::string_view path) {
#ifdef _WIN32
  (void)path;
  return false;
#else
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  return path.size() >= 2 && isLetter(path[0]) && path[1] == ':' &&
         (path.size() == 2 || path[2] == '\\' || path[2] == '/');
#endif
}

bool CreateFolder(std::string_view systemPath) {
  std::error_code ec;
  return fs::create_directory(ToFsPath(systemPath), ec) && !ec;
}

bool FolderExists(std::string_view systemPath) {
  std::error_code ec;
  return fs::is_directory(ToFsPath(systemPath), ec);
}

bool FileExists(std::string_view systemPath) {
  std::error_code ec;
  return fs::is_regular_file(ToFsPath(systemPath), ec);
}

bool CopyFileReplacing(std::string_view from, std::string_view to) {
  std::ifstream in(ToFsPath(from), std::ios::binary);
  StagedFile out;
  if (!in || !out.Open(to)) return false;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer).gcount() > 0) {
    if (!out.Write(buffer, static_cast<std::size_t>(in.gcount()))) return false;
  }
  return !in.bad() && out.Commit();
}

bool WriteFileBytes(std::string_view systemPath, std::string_view bytes) {
  OutputFile file;
  if (!file.Open(systemPath)) return false;
  const bool written = file.Write(bytes.data(), bytes.size());
  return file.Close() && written;
}

bool ReplaceFileAtomically(std::string_view systemPath, std::string_view bytes) {
  // A symbolic link in the file's place is replaced, never written through.
  const fs::path target = ToFsPath(systemPath);
  std::error_code ec;
  const fs::file_status old = fs::symlink_status(target, ec);
  const bool exists = fs::is_regular_file(old);
  // A file without its owner's write permission is read-only: keep it, as
  // the Windows profile functions do.
  if (exists && (old.permissions() & fs::perms::owner_write) == fs::perms::none) return false;
  const mode_t mode = exists ? static_cast<mode_t>(old.permissions() & fs::perms::mask) : NewFileMode();

  std::string temp = target.string() + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool written = fchmod(fd, mode) == 0;
  for (std::size_t done = 0; written && done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    written = n > 0;
    if (written) done += static_cast<std::size_t>(n);
  }
  written = written && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (written) fs::rename(temp, target, ec);
  if (!written || ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

bool ReadFileBytes(std::string_view systemPath, std::string& bytes, std::size_t limit) {
  const fs::path path = ToFsPath(systemPath);
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.clear();
  // Room for the whole file at once, so that a large page is not held twice
  // while its buffer doubles.
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (!ec) bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit)));
  char buffer[65536];
  while (bytes.size() < limit && in.read(buffer, sizeof buffer).gcount() > 0) {
    const auto got = static_cast<std::size_t>(in.gcount());
    bytes.append(buffer, std::min(got, limit - bytes.size()));
  }
  return !in.bad();
}

OutputFile::~OutputFile() { Close(); }

bool OutputFile::Open(std::string_view systemPath) {
  Close();
  file_ = OpenForWriting(systemPath);
  return file_ != nullptr;
}

bool OutputFile::Write(const char* data, std::size_t size) {
  return file_ != nullptr && std::fwrite(data, 1, size, file_) == size;
}

bool OutputFile::Close() {
  if (file_ == nullptr) return true;
  const bool closed = FlushAndClose(file_);
  file_ = nullptr;
  return closed;
}

bool StagedFile::Open(std::string_view systemPath) {
  Discard();
  const std::string target = NativePath(systemPath);
  if (target.empty()) return false;
  struct stat old {};
  const bool exists = lstat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists && !S_ISLNK(old.st_mode)) {
    // Only a file is replaced, and only one that could be written in place.
    if (!S_ISREG(old.st_mode) || faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
  }
  const int fd = CreateTemporaryFile(target, temporary_);
  if (fd < 0) return false;
  const bool keepsMode = exists && S_ISREG(old.st_mode);
  if (!keepsMode || fchmod(fd, old.st_mode & 07777) == 0) file_ = fdopen(fd, "wb");
  if (file_ == nullptr) {
    close(fd);
    unlink(temporary_.c_str());
    return false;
  }
  target_ = target;
  return true;
}

bool StagedFile::Write(const char* data, std::size_t size) {
  return file_ != nullptr && std::fwrite(data, 1, size, file_) == size;
}

bool StagedFile::Commit() {
  if (file_ == nullptr) return false;
  const bool committed = FlushAndClose(file_) && std::rename(temporary_.c_str(), target_.c_str()) == 0;
  file_ = nullptr;
  if (!committed) unlink(temporary_.c_str());
  return committed;
}

void StagedFile::Discard() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  file_ = nullptr;
  unlink(temporary_.c_str());
}

bool OverwriteFile(std::string_view systemPath, std::string_view content) {
  const std::string native = NativePath(systemPath);
  if (native.empty()) return false;
  // Not following a symbolic link, and not waiting on a pipe standing there.
  const int fd = open(native.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat old {};
  bool written = fstat(fd, &old) == 0 && S_ISREG(old.st_mode) && old.st_nlink == 1;
  // The room is reserved first: once it is, the write cannot run out of it.
  const auto size = static_cast<off_t>(content.size());
  written = written && (size == 0 || fallocate(fd, 0, 0, size) == 0);
  for (std::size_t done = 0; written && done < content.size();) {
    const ssize_t step = pwrite(fd, content.data() + done, content.size() - done, static_cast<off_t>(done));
    if (step < 0 && errno == EINTR) continue;
    written = step > 0;
    if (written) done += static_cast<std::size_t>(step);
  }
  written = written && (old.st_size <= size || ftruncate(fd, size) == 0);
  return close(fd) == 0 && written;
}

std::string AbsolutePath(std::string_view systemPath) {
  if (fs::path(NativePath(systemPath)).is_absolute()) return std::string(systemPath);
  return CurrentDirectory() + std::string(systemPath);
}

std::string CurrentDirectory() {
  std::error_code ec;
  const fs::path cwd = fs::current_path(ec);
  if (ec) return {};
  return WithTrailingBackslash(SystemPath(cwd.string()));
}

bool SetCurrentDirectory(std::string_view systemPath) {
  std::error_code ec;
  fs::current_path(ToFsPath(systemPath), ec);
  return !ec;
}

std::string ExecutableDirectory() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return CurrentDirectory();
  return WithTrailingBackslash(SystemPath(exe.parent_path().string()));
}

std::vector<FileEntry> FilesBelow(std::string_view systemFolder) {
  std::vector<FileEntry> files;
  const fs::path root = ToFsPath(systemFolder);
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code statError;
    if (!it->is_regular_file(statError) || it->is_symlink(statError)) continue;
    const std::uintmax_t size = it->file_size(statError);
    files.push_back({SystemPath(it->path().lexically_relative(root).string()), statError ? 0 : size});
  }
  std::sort(files.begin(), files.end(), [](const FileEntry& a, const FileEntry& b) { return a.path < b.path; });
  return files;
}

bool LinkBelow(std::string_view folder, std::string_view systemPath) {
  if (!systemPath.starts_with(folder)) return false;
  const fs::path base = ToFsPath(folder);
  fs::path level = base;
  // The file itself may be a link: it is replaced, not followed.
  for (const fs::path& step : ToFsPath(systemPath).lexically_relative(base).parent_path()) {
    level /= step;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(level, ec);
    if (fs::is_symlink(status)) return true;
    if (!fs::exists(status)) return false;  // nothing there yet: nothing below it either
  }
  return false;
}

}  // namespace pagelark::platform
