// How far a crawl has come: products done and queued, the request rate over the
// last minute and the time left, and the summary at its end.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "common/clock.h"
#include "fetcher/crawl_texts.h"

namespace quillon::fetcher {

// What a crawl did, for its summary.
struct CrawlTally {
  std::int64_t requested = 0;       // products answered by the service
  std::int64_t stored = 0;          // products taken from their stored records
  std::int64_t retried = 0;         // requests beyond the first for a product
  std::int64_t withoutProduct = 0;  // valid answers that name no product (no Title)
};

// Milliseconds as H:MM:SS, hours unbounded; a part second counts as a second.
std::string ClockText(std::int64_t ms);

class CrawlProgress {
 public:
  // The crawl starts now.
  explicit CrawlProgress(Clock& clock);

  // The count of requests sent so far; those new since the last call are dated now.
  void requestsMade(std::int64_t total);

  // "完了 12 / 待ち 40 · 毎分 58 件 · 残り 0:00:41": the time left is the queued
  // products times the mean time a product has taken so far.
  // The pattern is kProgressPattern or its translation.
  std::string line(std::int64_t done, std::int64_t queued,
                   std::string_view pattern = kProgressPattern);

  // The summary line with the time taken since the start.
  std::string summary(const CrawlTally& tally, std::string_view pattern = kSummaryPattern);

 private:
  // Requests in the minute up to now; within the first minute, the count so far
  // scaled to a minute.
  std::int64_t requestsPerMinute(std::int64_t now);
  // Only the last minute's requests are kept.
  void forgetBefore(std::int64_t oldest);

  Clock& clock_;
  std::int64_t startMs_;
  std::int64_t requestsSeen_ = 0;
  std::deque<std::int64_t> recentRequests_;  // times of the requests of the last minute
};

}  // namespace quillon::fetcher
