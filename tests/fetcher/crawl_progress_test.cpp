#include "fetcher/crawl_progress.h"

#include <gtest/gtest.h>

#include "tests/support/fake_clock.h"

namespace quillon::fetcher {
namespace {

TEST(ClockText, HoursMinutesSecondsWithPartSecondsRoundedUp) {
  EXPECT_EQ(ClockText(0), "0:00:00");
  EXPECT_EQ(ClockText(41'000), "0:00:41");
  EXPECT_EQ(ClockText(40'001), "0:00:41");
  EXPECT_EQ(ClockText((100 * 3600 + 59 * 60 + 9) * 1000LL), "100:59:09");
}

TEST(CrawlProgress, RateIsOverTheLastMinuteAndTimeLeftFollowsTheMeanProduct) {
  testing::FakeClock clock(5'000'000);
  CrawlProgress progress(clock);
  // A product a second for two minutes, one request each.
  for (int second = 1; second <= 120; ++second) {
    clock.advance(1000);
    progress.requestsMade(second);
  }
  EXPECT_EQ(progress.line(120, 41), "完了 120 / 待ち 41 · 毎分 60 件 · 残り 0:00:41");
  // Half a minute without a request: only the last half minute's requests count.
  clock.advance(30'000);
  progress.requestsMade(120);
  EXPECT_EQ(progress.line(120, 0), "完了 120 / 待ち 0 · 毎分 30 件 · 残り 0:00:00");
}

TEST(CrawlProgress, FirstSecondsAreScaledToAMinute) {
  testing::FakeClock clock;
  CrawlProgress progress(clock);
  EXPECT_EQ(progress.line(0, 1), "完了 0 / 待ち 1 · 毎分 0 件 · 残り 0:00:00");
  clock.advance(2000);
  progress.requestsMade(10);
  EXPECT_EQ(progress.line(5, 10), "完了 5 / 待ち 10 · 毎分 300 件 · 残り 0:00:04");
}

}  // namespace
}  // namespace quillon::fetcher
