#include "fetcher/retry_wait.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace quillon::fetcher {
namespace {

TEST(BackoffMs, DoublesFromOneSecondUpToAMinute) {
  const std::int64_t expected[] = {1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000};
  for (int retry = 1; retry <= 8; ++retry) EXPECT_EQ(BackoffMs(retry), expected[retry - 1]);
  EXPECT_EQ(BackoffMs(1'000'000), kLongestBackoffMs);
}

// 1994-11-06 08:49:37 UTC.
constexpr std::int64_t kNow = 784111777'000;

struct RetryAfterCase {
  const char* name;
  const char* value;
  std::optional<std::int64_t> ms;
  std::int64_t now = kNow;  // a date's row is received shortly before it
  friend void PrintTo(const RetryAfterCase& row, std::ostream* out) { *out << row.name; }
};

class RetryAfterTest : public ::testing::TestWithParam<RetryAfterCase> {};

TEST_P(RetryAfterTest, GivesTheWaitAskedForWithinTenMinutes) {
  EXPECT_EQ(RetryAfterMs(GetParam().value, GetParam().now), GetParam().ms);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RetryAfterTest,
    ::testing::Values(
        RetryAfterCase{"Seconds", "120", 120'000}, RetryAfterCase{"BlanksAround", " 7 ", 7'000},
        RetryAfterCase{"Zero", "0", 0}, RetryAfterCase{"SecondsPastTheCap", "601", 600'000},
        RetryAfterCase{"HugeSeconds", "99999999999999999999", 600'000},
        RetryAfterCase{"DateAhead", "Sun, 06 Nov 1994 08:50:07 GMT", 30'000},
        RetryAfterCase{"DateAYearAheadIsCapped", "Mon, 06 Nov 1995 08:49:37 GMT", 600'000},
        // Received at 1995-11-06 08:49:07 UTC: a year of days counted right.
        RetryAfterCase{"DateNextYear", "Mon, 06 Nov 1995 08:49:37 GMT", 30'000, 815647747'000},
        RetryAfterCase{"DatePast", "Sat, 05 Nov 1994 08:49:37 GMT", 0},
        // Received at 1996-02-29 23:55:00 UTC: 1996 has a 29 February.
        RetryAfterCase{"LeapDay", "Fri, 01 Mar 1996 00:00:00 GMT", 300'000, 825638100'000},
        RetryAfterCase{"NegativeSeconds", "-5", std::nullopt},
        RetryAfterCase{"Fraction", "1.5", std::nullopt},
        RetryAfterCase{"Rfc850Date", "Sunday, 06-Nov-94 08:50:07 GMT", 30'000},
        RetryAfterCase{"AsctimeDate", "Sun Nov  6 08:50:07 1994", 30'000},
        RetryAfterCase{"BadMonth", "Sun, 06 Nox 1994 08:50:07 GMT", std::nullopt},
        RetryAfterCase{"Empty", "", std::nullopt}),
    [](const ::testing::TestParamInfo<RetryAfterCase>& info) {
      return std::string(info.param.name);
    });

}  // namespace
}  // namespace quillon::fetcher
