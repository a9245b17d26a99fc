// Exceptions of the HTTP operations.
#pragma once

#include <stdexcept>

namespace pagelark::net {

// A network error in a step of a form submission that the submission does
// not guard (setting up the request, reading the answer's body). It reaches
// the caller; the run's catch-all ends the run on it.
class NetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The bytes of a download could not all be written to its local file (a full
// disk). Not a network error: no operation turns it into false.
class DownloadWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace pagelark::net
