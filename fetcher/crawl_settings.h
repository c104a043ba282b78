// The settings of long crawls, read and converted in one place.
#pragma once

#include <cstdint>
#include <string>

namespace quillon::fetcher {

// Whether a crawl takes a product's stored record instead of asking again, and
// how old that record may be.
struct StoredRecordPolicy {
  bool reuse = false;
  std::int64_t maxAgeMs = 0;  // 0: any age
};

// ReuseStoredRecords (True/False in any case, or a number: 0 is False; default
// False) and StoredRecordMaxAgeDays (days, fractions allowed; 0, less or not a
// number: any age) of section DefaultSetting.
StoredRecordPolicy ReadStoredRecordPolicy(const std::string& programFolder);

// RetryCount of section DefaultSetting: how often a failed retrieval is tried
// again before it is given up (rounded; 0, less or not a number: never).
int RetryCount(const std::string& programFolder);

}  // namespace quillon::fetcher
