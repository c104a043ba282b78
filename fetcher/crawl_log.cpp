#include "fetcher/crawl_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "fetcher/request_outcome.h"

namespace quillon::fetcher {
namespace {

std::string IsoTime(std::int64_t unixMs) {
  const std::time_t seconds = static_cast<std::time_t>(unixMs / 1000);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  char millis[8];
  std::snprintf(millis, sizeof millis, ".%03dZ", static_cast<int>(unixMs % 1000));
  return std::string(text, length) + millis;
}

std::string_view OutcomeName(const RequestRecord& request) {
  if (request.result.busy()) return "busy";
  if (request.result.bytes == 0) return "failure";
  return request.valid ? "answer" : "invalid";
}

std::string_view CauseName(const HttpResult& result) {
  switch (CauseOf(result)) {
    case FailureCause::NoBody:
      return "no-body";
    case FailureCause::BadUrl:
      return "bad-url";
    case FailureCause::Connection:
      return "connection";
    case FailureCause::TimedOut:
      return "timed-out";
    case FailureCause::TooLarge:
      return "too-large";
    case FailureCause::OutOfMemory:
      return "out-of-memory";
    case FailureCause::Busy:
      return "busy";
    case FailureCause::Cancelled:
      return "cancelled";
    case FailureCause::Other:
      break;
  }
  return "other";
}

}  // namespace

std::string CrawlLogLine(const RequestRecord& request, std::int64_t unixMs, int attempt) {
  nlohmann::ordered_json line;
  line["time"] = IsoTime(unixMs);
  line["asin"] = std::string(request.asin);
  const std::string_view outcome = OutcomeName(request);
  line["outcome"] = outcome;
  line["status"] = request.result.status;
  line["bytes"] = request.result.bytes;
  line["ms"] = request.ms;
  line["attempt"] = attempt;
  if (outcome == "failure") line["cause"] = CauseName(request.result);
  // An ASIN is bytes as typed; what is not UTF-8 is replaced rather than refused.
  return line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

CrawlLog::CrawlLog(const std::string& recordFolder)
    : recordFolder_(recordFolder), path_(recordFolder + "/" + std::string(kCrawlLogName)) {}

void CrawlLog::open() {
  // A first crawl's records come after its first request: the log, written
  // before them, makes the record folder as the first record would.
  std::error_code error;
  std::filesystem::create_directories(recordFolder_, error);
  fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) fail(errno);
}

CrawlLog::~CrawlLog() {
  if (fd_ >= 0) ::close(fd_);
}

void CrawlLog::fail(int error) {
  if (!failure_) failure_ = Failure{FailureKind::CannotWriteFile, path_, error};
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void CrawlLog::record(const RequestRecord& request) {
  ++attempt_;
  if (fd_ < 0 && !failure_) open();
  if (fd_ < 0) return;
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  std::string line = CrawlLogLine(
      request, std::chrono::duration_cast<std::chrono::milliseconds>(now).count(), attempt_);
  line += '\n';
  ssize_t written;
  do {
    written = ::write(fd_, line.data(), line.size());
  } while (written < 0 && errno == EINTR);
  if (written < 0) return fail(errno);
  // A short write to a full disk leaves part of a line; a reader skips it.
  if (static_cast<std::size_t>(written) != line.size()) fail(ENOSPC);
}

std::optional<Failure> CrawlLog::takeFailure() {
  if (!failure_ || failureTaken_) return std::nullopt;
  failureTaken_ = true;
  return failure_;
}

}  // namespace quillon::fetcher
