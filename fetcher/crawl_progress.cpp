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

std::string CrawlProgress::line(std::int64_t done, std::int64_t queued) {
  const std::int64_t now = clock_.nowMs();
  const std::int64_t elapsed = now - startMs_;
  const std::int64_t left = done > 0 ? queued * elapsed / done : 0;
  std::string text(kProgressDone);
  text += std::to_string(done);
  text += kProgressQueued;
  text += std::to_string(queued);
  text += kProgressRate;
  text += std::to_string(requestsPerMinute(now));
  text += kProgressRateUnit;
  text += kProgressLeft;
  text += ClockText(left);
  return text;
}

std::string CrawlProgress::summary(const CrawlTally& tally) {
  std::string text(kSummaryRequested);
  text += std::to_string(tally.requested);
  text += kSummaryStored;
  text += std::to_string(tally.stored);
  text += kSummaryRetried;
  text += std::to_string(tally.retried);
  text += kSummaryWithoutProduct;
  text += std::to_string(tally.withoutProduct);
  text += kSummaryTime;
  text += ClockText(clock_.nowMs() - startMs_);
  return text;
}

}  // namespace quillon::fetcher
