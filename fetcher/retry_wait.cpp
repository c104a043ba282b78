#include "fetcher/retry_wait.h"

#include <curl/curl.h>

#include <algorithm>
#include <string>

#include "common/numbers.h"

namespace quillon::fetcher {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool allDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// An HTTP date in any of the three forms a recipient must accept (IMF-fixdate,
// RFC 850, asctime), as milliseconds since 1970 UTC. libcurl's reader keeps to
// English names whatever the locale.
std::optional<std::int64_t> httpDateUnixMs(std::string_view text) {
  // A signed or fractional number is no date, however a lenient reader takes it.
  if (text.find_first_not_of("0123456789+-.") == std::string_view::npos) return std::nullopt;
  const std::string terminated(text);
  const time_t seconds = curl_getdate(terminated.c_str(), nullptr);
  if (seconds == -1) return std::nullopt;
  // Far enough for any wait, near enough that no difference overflows.
  constexpr std::int64_t kFarSeconds = std::int64_t{1} << 52;
  return std::clamp<std::int64_t>(seconds, -kFarSeconds, kFarSeconds) * 1000;
}

}  // namespace

std::int64_t BackoffMs(int retry) {
  if (retry <= 1) return 1000;
  if (retry > 7) return kLongestBackoffMs;  // 2^6 s already passes the cap
  return std::min<std::int64_t>(std::int64_t{1000} << (retry - 1), kLongestBackoffMs);
}

std::optional<std::int64_t> RetryAfterMs(std::string_view value, std::int64_t nowUnixMs) {
  const std::string_view text = trimmed(value);
  if (allDigits(text)) {
    // Any count of seconds past the cap is the cap, however many digits it has.
    if (text.size() > 6) return kLongestRetryAfterMs;
    return std::min<std::int64_t>(std::int64_t{*WholeNumber<int>(text)} * 1000,
                                  kLongestRetryAfterMs);
  }
  const std::optional<std::int64_t> at = httpDateUnixMs(text);
  if (!at) return std::nullopt;
  return std::clamp<std::int64_t>(*at - nowUnixMs, 0, kLongestRetryAfterMs);
}

}  // namespace quillon::fetcher
