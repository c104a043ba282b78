// Every setting of the fetcher, read and converted in one place into one value.
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

// How far a crawl may go; the crawl walks its usual order and only ends sooner.
struct CrawlLimits {
  // MaxProducts: at most this many products, the first in the crawl's order;
  // 0: no limit.
  std::int64_t maxProducts = 0;
  // MaxDepth: similar products are followed at most this many links from the
  // start product (depth 0); -1: no limit. The setting's 0 means no limit, the
  // command line's --max-depth 0 the start product alone.
  int maxDepth = -1;
};

// The fetcher's settings as one read of setting.ini found them. A crawl reads
// them at its start; the requester reads them again before every request, so
// that a change of Prefix, Suffix or RequestInterval takes effect with the next.
struct FetcherSettings {
  // XMLPath of DefaultSetting, taken relative to the program folder; the
  // program folder when it is empty.
  std::string recordFolder;
  // Prefix and Suffix of RequestURL: the request URL is prefix, ASIN, suffix.
  std::string prefix;
  std::string suffix;
  // RequestInterval: the least gap in milliseconds between the end of one
  // request and the start of the next (rounded; not a number: 1000).
  std::int64_t requestIntervalMs = 1000;
  // RetryCount: how often a failed retrieval is tried again before the user is
  // asked (rounded; 0, less or not a number: never).
  int retryCount = 0;
  // MaxAnswerMegabytes (default 64) in bytes; 0 when the setting is 0 or less.
  std::int64_t maxAnswerBytes = std::int64_t{64} << 20;
  // AnswerTimeoutSeconds (default 300, fractions allowed) in milliseconds: the
  // longest an answer may take from the start of its request to its last byte;
  // 0 when the setting is 0 or less.
  std::int64_t answerTimeoutMs = 300'000;
  // ReuseStoredRecords (True/False, or a number: 0 is False; default False) and
  // StoredRecordMaxAgeDays (days, fractions allowed; 0, less or not a number: any age).
  StoredRecordPolicy storedRecords;
  // MaxProducts and MaxDepth (whole numbers; 0, less or not a number: no limit).
  CrawlLimits limits;
};

// One read of <programFolder>/setting.ini; a missing file or key gives the defaults.
FetcherSettings ReadFetcherSettings(const std::string& programFolder);

}  // namespace quillon::fetcher
