// Creating folder chains and writing saved pages.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace pagelark {

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

// Creates or empties the file and writes `content` byte for byte. False when
// the file cannot be opened; FileWriteError when the write itself fails.
bool WriteTextFile(std::string_view path, std::string_view content);

}  // namespace pagelark
