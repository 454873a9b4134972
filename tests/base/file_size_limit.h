// Makes writes fail while it lives, as on a full disk, for root too: every
// file of the process may grow to at most a few bytes (RLIMIT_FSIZE), and a
// write past that fails with EFBIG instead of ending the process (SIGXFSZ).
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace kartela::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t max_file_bytes) {
    getrlimit(RLIMIT_FSIZE, &old_limit_);
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{max_file_bytes, old_limit_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_limit_);
    std::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_limit_{};
  void (*old_handler_)(int) = SIG_DFL;
};

}  // namespace kartela::test
