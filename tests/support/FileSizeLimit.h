// Holds the process's file-size limit low while it lives, so that writing a
// file past it fails as on a full disk (EFBIG; SIGXFSZ is ignored meanwhile).
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace pagelark::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : previous_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  void (*previous_)(int);
  rlimit saved_{};
};

}  // namespace pagelark::test
