// The crawl log: one JSON line per request, appended to crawl-log.jsonl in the
// record folder, so that what failed and how long it took can be read afterwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/failure.h"
#include "fetcher/product_request.h"

namespace quillon::fetcher {

inline constexpr std::string_view kCrawlLogName = "crawl-log.jsonl";

// The line of one request, without its line end: time (ISO 8601 UTC with
// milliseconds), asin, outcome ("answer", "invalid", "busy" or "failure"),
// status (0 when none came), bytes, ms, attempt, and for a failure its cause.
std::string CrawlLogLine(const RequestRecord& request, std::int64_t unixMs, int attempt);

class CrawlLog {
 public:
  // Appends to <recordFolder>/crawl-log.jsonl, opened (and made, with the
  // record folder) at the first request.
  explicit CrawlLog(const std::string& recordFolder);
  ~CrawlLog();
  CrawlLog(const CrawlLog&) = delete;
  CrawlLog& operator=(const CrawlLog&) = delete;

  // The next request is the first of another product.
  void startProduct() { attempt_ = 0; }
  // Appends the request's line in one write, so that lines of two crawls
  // appending at once never mix. A failure is kept, and the log goes quiet.
  void record(const RequestRecord& request);

  // The first failure to open or write the log, once; nothing after that.
  std::optional<Failure> takeFailure();

 private:
  void open();
  void fail(int error);

  std::string recordFolder_;
  std::string path_;
  int fd_ = -1;
  int attempt_ = 0;
  std::optional<Failure> failure_;
  bool failureTaken_ = false;
};

}  // namespace quillon::fetcher
