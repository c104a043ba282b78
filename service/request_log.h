// One line per request: monotonic milliseconds when it arrived and when its
// answer was finished, path and user agent, tab-separated, flushed at once.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "common/expected.h"

namespace quillon::service {

// Milliseconds of the machine's monotonic clock (the one clients pace with).
std::int64_t MonotonicMs();

class RequestLog {
 public:
  // Creates the log file, replacing one left by an earlier run.
  static Expected<std::unique_ptr<RequestLog>> Open(const std::string& path);

  // Only Open makes one; the key keeps the constructor out of other hands.
  class Key {
    friend class RequestLog;
    Key() = default;
  };
  struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  RequestLog(Key, std::unique_ptr<std::FILE, CloseFile> file) : file_(std::move(file)) {}

  void record(std::int64_t arrivedMs, std::int64_t finishedMs, std::string_view path,
              std::string_view userAgent);

 private:
  std::mutex mutex_;
  std::unique_ptr<std::FILE, CloseFile> file_;
};

// A log line field: tabs, line breaks and other control bytes become "?".
std::string LogField(std::string_view text);

}  // namespace quillon::service
