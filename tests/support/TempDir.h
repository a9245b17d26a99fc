// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes. Paths are given in system form.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace pagelark::test {

// The whole content of a file, empty when it cannot be read.
inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pagelark-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& native() const { return path_; }
  // The folder in system form ("\" separators, trailing "\"); ASCII only.
  std::string system() const {
    std::string s = path_.string();
    for (char& c : s) {
      if (c == '/') c = '\\';
    }
    return s + '\\';
  }
  // The folder as the window shows it ("/" separators, trailing "/").
  std::string display() const { return path_.string() + '/'; }

  // Every entry below the folder, relative, as UTF-8 with "/".
  std::vector<std::string> List() const {
    std::vector<std::string> entries;
    for (const auto& e : std::filesystem::recursive_directory_iterator(path_)) {
      entries.push_back(std::filesystem::relative(e.path(), path_).string());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace pagelark::test
