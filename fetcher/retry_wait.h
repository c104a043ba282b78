// How long to wait before asking the service again after a failure or a busy answer.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillon::fetcher {

// The longest pause between two tries of a failed retrieval.
inline constexpr std::int64_t kLongestBackoffMs = 60'000;
// The longest wait a busy service can ask for with Retry-After.
inline constexpr std::int64_t kLongestRetryAfterMs = 600'000;

// The pause before retry number `retry` (1 for the first): 1 s, 2 s, 4 s, ...
// up to kLongestBackoffMs.
std::int64_t BackoffMs(int retry);

// The wait a Retry-After header asks for, received at nowUnixMs (milliseconds
// since 1970 UTC): delay seconds or an HTTP date (a date already past is no
// wait), at most kLongestRetryAfterMs. Nothing when the value is neither.
std::optional<std::int64_t> RetryAfterMs(std::string_view value, std::int64_t nowUnixMs);

}  // namespace quillon::fetcher
