#include "service/request_log.h"

#include <cerrno>
#include <chrono>
#include <cstring>

namespace quillon::service {

std::int64_t MonotonicMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

Expected<std::unique_ptr<RequestLog>> RequestLog::Open(const std::string& path) {
  std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "wb"));
  if (!file) return Failure{"cannot open log file " + path + ": " + std::strerror(errno)};
  return std::make_unique<RequestLog>(Key{}, std::move(file));
}

void RequestLog::record(std::int64_t arrivedMs, std::int64_t finishedMs, std::string_view path,
                        std::string_view userAgent) {
  std::string line = std::to_string(arrivedMs);
  line += '\t';
  line += std::to_string(finishedMs);
  line += '\t';
  line += LogField(path);
  line += '\t';
  line += LogField(userAgent);
  line += '\n';
  std::lock_guard lock(mutex_);
  std::fwrite(line.data(), 1, line.size(), file_.get());
  std::fflush(file_.get());
}

std::string LogField(std::string_view text) {
  std::string field(text);
  for (char& c : field) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) c = '?';
  }
  return field;
}

}  // namespace quillon::service
