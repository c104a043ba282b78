// A busy service's Retry-After on arbitrary text: never a negative wait and
// never one past the cap, whatever the value or the clock.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "fetcher/retry_wait.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first eight bytes pick the moment it came, the rest is the header value.
  std::int64_t now = 784111777'000;
  if (size >= sizeof now) {
    std::memcpy(&now, data, sizeof now);
    now %= std::int64_t{1} << 50;  // within a few thousand years of 1970, either side
    data += sizeof now;
    size -= sizeof now;
  }
  const std::string_view value(reinterpret_cast<const char*>(data), size);
  const auto wait = quillon::fetcher::RetryAfterMs(value, now);
  if (wait && (*wait < 0 || *wait > quillon::fetcher::kLongestRetryAfterMs)) std::abort();
  return 0;
}
