// One product asked of the web service, at the configured pace.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/host.h"
#include "common/texts.h"
#include "fetcher/http_retrieval.h"

namespace quillon::fetcher {

inline constexpr std::string_view kRequestingPrefix = QUILLON_TEXT("quillon", "取得中 : ");
inline constexpr std::string_view kRequestedPrefix = QUILLON_TEXT("quillon", "取得完了 : ");

// Asks for products one at a time and keeps the time the last request ended, so
// that the pause also holds between the last request of one crawl and the next.
class ProductRequester {
 public:
  ProductRequester(std::string programFolder, Host& host, Clock& clock, HttpGetter get);

  // The response text when the service marks the request valid, "" otherwise
  // (also after a failed retrieval that the user chose to go on from). A failed
  // retrieval is tried again RetryCount times, after 1 s, 2 s, 4 s ... first; a
  // busy answer (429, 503) is never taken, and the next request waits for its
  // Retry-After or that back-off. Those waits let the host end the program.
  std::string RequestProduct(const std::string& asin);

  // Clock time when the previous request finished; 0 before the first.
  std::int64_t LastRequestTick() const { return lastRequestTick_; }
  // True when the last request got an answer from the service, valid or not.
  bool lastRequestAnswered() const { return lastRequestAnswered_; }
  // The request URL of asin: setting Prefix, the ASIN as UrlAsin gives it,
  // setting Suffix.
  std::string requestUrl(const std::string& asin) const;

  Host& host() const { return host_; }
  Clock& clock() const { return clock_; }
  const std::string& programFolder() const { return programFolder_; }

  // Requests sent so far, and those of them that were retries after a failure.
  std::int64_t requestsMade() const { return requestsMade_; }
  std::int64_t retriesMade() const { return retriesMade_; }

 private:
  // The pause still owed before the next request may start, in milliseconds.
  std::int64_t pauseBeforeRequest();
  // The interval's pause, then any wait a failure or a busy answer left owing.
  void waitBeforeRequest(const std::string& asin);
  // Waits ms in short pieces, letting the host end the program between them.
  void waitInterruptibly(std::int64_t ms, const std::string& asin);

  std::string programFolder_;
  Host& host_;
  Clock& clock_;
  HttpGetter get_;
  std::int64_t lastRequestTick_ = 0;
  bool lastRequestAnswered_ = false;
  std::int64_t notBeforeMs_ = 0;  // no request starts before this clock time
  int failuresInARow_ = 0;        // of the service, whatever the product
  std::int64_t requestsMade_ = 0;
  std::int64_t retriesMade_ = 0;
};

// The ASIN as a URL can carry it: every byte other than the letters, digits and
// - . _ ~ becomes %XX, so a blank, "%", "#", "?", "&", "=", "+" or a non-ASCII
// letter reaches the service as typed, in a path or a query. Ordinary ASINs are
// unchanged.
std::string UrlAsin(std::string_view asin);

// Setting Prefix of section RequestURL: where the service lies, before the ASIN.
std::string RequestUrlPrefix(const std::string& programFolder);

// The minimum gap in milliseconds set by RequestInterval, rounded to a whole
// number; text that is not a number counts as the default 1000.
std::int64_t RequestIntervalMs(const std::string& programFolder);

}  // namespace quillon::fetcher
