// The file-system edge. Paths inside the system are CP932 texts with
// backslash separators ("system form"); this module turns them into native
// paths (UTF-8, "/") where they meet the operating system. Nothing above it
// touches std::filesystem or POSIX file calls.
#pragma once

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pagelark::platform {

// True where file names differ by letter case (every platform but Windows).
#ifdef _WIN32
inline constexpr bool kCaseSensitiveFileSystem = false;
#else
inline constexpr bool kCaseSensitiveFileSystem = true;
#endif

// System form (CP932, "\" or "/") to a native path (UTF-8, "/"). A 0x5C that
// is the second byte of a double-byte character stays part of its character.
std::string NativePath(std::string_view systemPath);

// Native path (UTF-8) to system form (CP932, "\" separators).
std::string SystemPath(std::string_view nativePath);

// The separator the user sees and types on this platform.
#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

// A path as the user sees it (fields, messages, set.ini): CP932 with the
// platform's own separator. System form works everywhere a path is used, so
// this is only for showing and storing.
std::string DisplayPath(std::string_view systemPath);

// A system-form folder with "\" at its end, unless it has one.
std::string WithTrailingBackslash(std::string path);

// `folder` with the platform's separator at its end, unless it has one.
std::string WithTrailingSeparator(std::string folder);

// True for a path that names a drive ("C:\dl", "D:/x") on a platform that has
// none: such a folder, from a profile written on Windows, cannot exist here.
bool IsForeignDrivePath(std::string_view path);

// Creates one folder. True only when this call created it.
bool CreateFolder(std::string_view systemPath);
bool FolderExists(std::string_view systemPath);
bool FileExists(std::string_view systemPath);

// Copies `from` onto `to` through a StagedFile, so `to` is either its old or
// the new whole file. False on any failure.
bool CopyFileReplacing(std::string_view from, std::string_view to);

// Creates or truncates the file and writes `bytes` exactly. False when the
// file cannot be opened or the write fails.
bool WriteFileBytes(std::string_view systemPath, std::string_view bytes);

// Writes `bytes` to a new file beside `systemPath` (flushed to the disk),
// then renames it over the target, so the target is always either the old
// or the new whole file. The file keeps its permissions; a symbolic link in
// its place is replaced by the file, so nothing is written through it. A
// read-only file is not replaced.
bool ReplaceFileAtomically(std::string_view systemPath, std::string_view bytes);

// Reads the whole file, at most `limit` bytes. False when it cannot be read.
bool ReadFileBytes(std::string_view systemPath, std::string& bytes, std::size_t limit = 64u << 20);

// A file opened for binary writing, created or truncated; closed on scope exit.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool Open(std::string_view systemPath);
  bool IsOpen() const { return file_ != nullptr; }
  bool Write(const char* data, std::size_t size);
  bool Close();

 private:
  std::FILE* file_ = nullptr;
};

// A file written under a temporary name beside its target, which takes the
// target's name only when Commit is called; otherwise (also when the object
// goes without a Commit) the temporary file is removed and the target stays
// as it was. The temporary file is created exclusively, under the target's
// name followed by a random suffix, so it never opens a file or a symbolic
// link already there. Nothing is flushed to the disk: a rename is enough to
// keep a failed download or a full disk from touching the old file.
class StagedFile {
 public:
  StagedFile() = default;
  ~StagedFile() { Discard(); }
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // False when the folder takes no new file, or when something other than a
  // file or a symbolic link stands at the target (a folder), or the file
  // there cannot be written (read-only). A file replaced later keeps its
  // permissions; a symbolic link is replaced, not followed.
  bool Open(std::string_view systemPath);
  bool Write(const char* data, std::size_t size);
  // Closes the file and renames it over the target. False when a write, the
  // close or the rename failed; the temporary file is removed then.
  bool Commit();
  // Closes and removes the temporary file, if any.
  void Discard();

 private:
  std::FILE* file_ = nullptr;
  std::string temporary_;  // native paths
  std::string target_;
};

// Raised when a file was opened but its bytes could not all be written (a
// full disk); the run's catch-all ends the run on it.
class FileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Creates every level of a backslash-separated folder path, one level at a
// time; levels that exist or cannot be made are passed over. A native path
// typed by the user ("/home/me/dl") works too. True when a level was created.
bool CreateDirectories(std::string_view path);

// Writes `content` byte for byte through a StagedFile: a failed write leaves
// the old file whole. False when the file cannot be opened (StagedFile::Open);
// FileWriteError when the write itself fails.
bool WriteTextFile(std::string_view path, std::string_view content);

// Writes `content` over the plain file at `systemPath` where it stands, for
// a file this run has written already: no file is made and none removed,
// which on a file system that skips recently freed inodes one by one is most
// of what writing a file costs. The room is reserved before any byte is
// written, so a full disk leaves the old bytes whole. False before anything
// is written when the file is missing, is not a plain file of one name (a
// symbolic or hard link would be written through) or its room cannot be
// reserved; false too, rarely, when a write fails after that.
bool OverwriteFile(std::string_view systemPath, std::string_view content);

// New content for a file this run has written: over the old one where it
// stands (OverwriteFile), else through a StagedFile as WriteTextFile.
bool RewriteTextFile(std::string_view path, std::string_view content);

// True when a folder level of `systemPath` below `folder` (a prefix of it,
// ending with "\") is a symbolic link: writing there would leave the folder.
bool LinkBelow(std::string_view folder, std::string_view systemPath);

// A relative path taken from the current directory; an absolute one (here:
// "\x" or "/x"; "C:\x" is a folder named "C:" in the current directory) is
// returned as it is.
std::string AbsolutePath(std::string_view systemPath);

// The process's current directory, in system form with a trailing "\".
std::string CurrentDirectory();
bool SetCurrentDirectory(std::string_view systemPath);

// The folder of the running executable, in system form with a trailing "\".
std::string ExecutableDirectory();

// A regular file below a folder: its path relative to the folder (system
// form) and its size.
struct FileEntry {
  std::string path;
  std::uintmax_t size;
};

// Every regular file below the folder, in a stable (sorted) order. Links
// are not followed. Empty when the folder cannot be read.
std::vector<FileEntry> FilesBelow(std::string_view systemFolder);

}  // namespace pagelark::platform
