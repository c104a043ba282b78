#include "fetcher/crawl_progress.h"

#include <algorithm>

#include "fetcher/crawl_texts.h"

namespace quillon::fetcher {
namespace {

constexpr std::int64_t kMinuteMs = 60'000;

void appendTwoDigits(std::string& text, std::int64_t value) {
  if (value < 10) text += '0';
  text += std::to_string(value);
}

}  // namespace

std::string ClockText(std::int64_t ms) {
  const std::int64_t seconds = (std::max<std::int64_t>(ms, 0) + 999) / 1000;
  std::string text = std::to_string(seconds / 3600);
  text += ':';
  appendTwoDigits(text, seconds / 60 % 60);
  text += ':';
  appendTwoDigits(text, seconds % 60);
  return text;
}

CrawlProgress::CrawlProgress(Clock& clock) : clock_(clock), startMs_(clock.nowMs()) {}

void CrawlProgress::requestsMade(std::int64_t total) {
  const std::int64_t now = clock_.nowMs();
  for (; requestsSeen_ < total; ++requestsSeen_) recentRequests_.push_back(now);
  forgetBefore(now - kMinuteMs);
}

void CrawlProgress::forgetBefore(std::int64_t oldest) {
  while (!recentRequests_.empty() && recentRequests_.front() <= oldest) recentRequests_.pop_front();
}

std::int64_t CrawlProgress::requestsPerMinute(std::int64_t now) {
  forgetBefore(now - kMinuteMs);
  const auto count = static_cast<std::int64_t>(recentRequests_.size());
  const std::int64_t span = std::clamp<std::int64_t>(now - startMs_, 1000, kMinuteMs);
  return (count * kMinuteMs + span / 2) / span;
}

std::string CrawlProgress::line(std::int64_t done, std::int64_t queued, std::string_view pattern) {
  const std::int64_t now = clock_.nowMs();
  const std::int64_t elapsed = now - startMs_;
  const std::int64_t left = done > 0 ? queued * elapsed / done : 0;
  return FillText(pattern, {std::to_string(done), std::to_string(queued),
                            std::to_string(requestsPerMinute(now)), ClockText(left)});
}

std::string CrawlProgress::summary(const CrawlTally& tally, std::string_view pattern) {
  return FillText(pattern, {std::to_string(tally.requested), std::to_string(tally.stored),
                            std::to_string(tally.retried), std::to_string(tally.withoutProduct),
                            ClockText(clock_.nowMs() - startMs_)});
}

}  // namespace quillon::fetcher
