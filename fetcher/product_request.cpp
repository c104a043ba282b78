#include "fetcher/product_request.h"

#include <chrono>
#include <span>
#include <utility>

#include "common/stoppable_wait.h"
#include "common/working_folder.h"
#include "common/xml_text.h"
#include "fetcher/crawl_texts.h"
#include "fetcher/retry_wait.h"
#include "fetcher/utf8_decoder.h"

namespace quillon::fetcher {
namespace {

// The unreserved characters: they mean the same in every part of a URL, so the
// ASIN arrives as typed whether Prefix puts it in the path or in a query.
bool carriedAsIs(char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return c == '-' || c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string UrlAsin(std::string_view asin) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string url;
  url.reserve(asin.size());
  for (const char c : asin) {
    if (carriedAsIs(c)) {
      url.push_back(c);
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    url.push_back('%');
    url.push_back(kHex[byte >> 4]);
    url.push_back(kHex[byte & 0x0F]);
  }
  return url;
}

std::string RequestUrl(const FetcherSettings& settings, std::string_view asin) {
  return settings.prefix + UrlAsin(asin) + settings.suffix;
}

ProductRequester::ProductRequester(const std::string& programFolder, Host& host, Clock& clock,
                                   HttpGetter get)
    : ProductRequester([programFolder] { return ReadFetcherSettings(programFolder); }, host, clock,
                       std::move(get)) {}

ProductRequester::ProductRequester(SettingsReader settings, Host& host, Clock& clock,
                                   HttpGetter get)
    : readSettings_(std::move(settings)), host_(host), clock_(clock), get_(std::move(get)) {}

bool ProductRequester::closeRequested() {
  host_.processEvents();
  return host_.QuitRequested;
}

bool ProductRequester::stopOrCloseRequested() {
  return closeRequested() || (control_ != nullptr && control_->stopRequested());
}

bool ProductRequester::waitBeforeRequest(const std::string& asin, std::int64_t intervalMs) {
  // A close request or a stop ends the pause, and no request follows it.
  const std::int64_t elapsed = clock_.nowMs() - lastRequestTick_;
  if (elapsed >= 0 && elapsed < intervalMs &&
      !WaitUnlessStopped(clock_, intervalMs - elapsed, [this] { return stopOrCloseRequested(); })) {
    host_.checkQuit();
    return false;
  }
  if (const std::int64_t owed = notBeforeMs_ - clock_.nowMs(); owed > 0)
    if (!waitInterruptibly(owed, asin)) return false;
  return control_ == nullptr || HoldWhilePaused(host_, clock_, *control_);
}

bool ProductRequester::waitInterruptibly(std::int64_t ms, const std::string& asin) {
  const std::int64_t end = clock_.nowMs() + ms;
  std::int64_t shownSeconds = -1;
  const bool waited = WaitUnlessStopped(clock_, ms, [&] {
    const std::int64_t left = end - clock_.nowMs();
    if (const std::int64_t seconds = (left + 999) / 1000; left > 0 && seconds != shownSeconds) {
      shownSeconds = seconds;
      host_.setLabel(Label::Status,
                     FillText(host_.text(kRetryWaitPattern), {std::to_string(seconds), asin}));
    }
    return stopOrCloseRequested();
  });
  if (!waited) host_.checkQuit();
  return waited;
}

RequestOutcome ProductRequester::RequestProduct(const std::string& asin,
                                                const FailureJudge& onFailure) {
  RequestOutcome outcome;
  for (int retry = 0;; ++retry) {
    // One read of setting.ini per request: a change takes effect with the next.
    outcome.settings = readSettings_();
    outcome.url = RequestUrl(outcome.settings, asin);
    if (!waitBeforeRequest(asin, outcome.settings.requestIntervalMs)) {
      outcome.kind = OutcomeKind::Failure;
      outcome.result.error.kind = TransportErrorKind::Cancelled;
      return outcome;  // stopped before sending: nothing to show or decide
    }
    host_.setLabel(Label::Status, host_.text(kRequestingPrefix) + asin);
    ++requestsMade_;
    ++outcome.requests;
    if (retry > 0) ++retriesMade_;
    std::vector<std::uint8_t> buffer;
    HttpTimeouts limits;
    limits.maxBodyBytes = outcome.settings.maxAnswerBytes;
    limits.answer = std::chrono::milliseconds(outcome.settings.answerTimeoutMs);
    // A close request ends the transfer too, without waiting for the answer; a
    // stop lets the request in flight finish.
    limits.stopRequested = [this] { return closeRequested(); };
    const std::int64_t sentAt = clock_.nowMs();
    try {
      outcome.result = get_(outcome.url, buffer, limits);
    } catch (...) {
      // A request ended by the user (a cancel from the event pump) was still
      // sent: the next one keeps its distance from it.
      lastRequestTick_ = clock_.nowMs();
      throw;
    }
    lastRequestTick_ = clock_.nowMs();
    if (outcome.result.error.kind == TransportErrorKind::Cancelled) host_.checkQuit();
    const HttpResult& result = outcome.result;
    if (!result.busy() && result.bytes != 0) {
      failuresInARow_ = 0;
      outcome.text =
          Utf8ToString(std::span(buffer.data(), static_cast<std::size_t>(result.bytes)), "");
      outcome.kind =
          IsValidResponse(outcome.text) ? OutcomeKind::Answer : OutcomeKind::InvalidAnswer;
      if (observer_)
        observer_({asin, result, outcome.kind == OutcomeKind::Answer, lastRequestTick_ - sentAt});
      break;
    }
    if (observer_) observer_({asin, result, false, lastRequestTick_ - sentAt});
    ++failuresInARow_;
    const bool retryLeft = retry < outcome.settings.retryCount;
    // A busy service is left alone for as long as it asks, even after the prompt.
    if (result.busy() || retryLeft)
      notBeforeMs_ =
          lastRequestTick_ + (result.busy() && result.retryAfterMs ? *result.retryAfterMs
                                                                   : BackoffMs(failuresInARow_));
    if (retryLeft) continue;
    outcome.kind = OutcomeKind::Failure;
    if (onFailure) {
      onFailure(outcome);
      lastRequestTick_ = clock_.nowMs();  // the time spent deciding counts as elapsed
    }
    break;
  }

  // Built in one piece: a hostile answer's title can be as long as the answer.
  std::string label = host_.text(kRequestedPrefix);
  label += asin;
  label += ' ';
  label += DecodeXmlText(RecordTitle(outcome.text));  // as the waiting list shows titles
  host_.setLabel(Label::Status, label);
  return outcome;
}

}  // namespace quillon::fetcher
