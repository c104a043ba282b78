#include "fetcher/product_request.h"

#include <algorithm>
#include <span>
#include <utility>

#include "common/ini_file.h"
#include "common/numbers.h"
#include "common/working_folder.h"
#include "fetcher/crawl_settings.h"
#include "fetcher/crawl_texts.h"
#include "fetcher/retry_wait.h"
#include "fetcher/utf8_decoder.h"

namespace quillon::fetcher {
namespace {

constexpr std::int64_t kDefaultIntervalMs = 1000;
// How often a long wait looks at the close request.
constexpr std::int64_t kWaitPieceMs = 100;

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

std::string RequestUrlPrefix(const std::string& programFolder) {
  return GetIniValue(programFolder, "RequestURL", "Prefix", "");
}

std::int64_t RequestIntervalMs(const std::string& programFolder) {
  const std::string text = GetIniValue(programFolder, "DefaultSetting", "RequestInterval", "1000");
  if (!IsNumber(text)) return kDefaultIntervalMs;
  return RoundToInt32(LeadingNumber(text));
}

ProductRequester::ProductRequester(std::string programFolder, Host& host, Clock& clock,
                                   HttpGetter get)
    : programFolder_(std::move(programFolder)), host_(host), clock_(clock), get_(std::move(get)) {}

std::string ProductRequester::requestUrl(const std::string& asin) const {
  return RequestUrlPrefix(programFolder_) + UrlAsin(asin) +
         GetIniValue(programFolder_, "RequestURL", "Suffix", "");
}

std::int64_t ProductRequester::pauseBeforeRequest() {
  const std::int64_t elapsed = clock_.nowMs() - lastRequestTick_;
  const std::int64_t interval = RequestIntervalMs(programFolder_);
  return elapsed >= 0 && elapsed < interval ? interval - elapsed : 0;
}

void ProductRequester::waitBeforeRequest(const std::string& asin) {
  if (const std::int64_t pause = pauseBeforeRequest(); pause > 0) clock_.sleepMs(pause);
  if (const std::int64_t owed = notBeforeMs_ - clock_.nowMs(); owed > 0)
    waitInterruptibly(owed, asin);
}

void ProductRequester::waitInterruptibly(std::int64_t ms, const std::string& asin) {
  const std::int64_t end = clock_.nowMs() + ms;
  std::int64_t shownSeconds = -1;
  for (std::int64_t left = ms; left > 0; left = end - clock_.nowMs()) {
    if (const std::int64_t seconds = (left + 999) / 1000; seconds != shownSeconds) {
      shownSeconds = seconds;
      host_.setLabel(Label::Status,
                     FillText(host_.text(kRetryWaitPattern), {std::to_string(seconds), asin}));
    }
    clock_.sleepMs(std::min(left, kWaitPieceMs));
    host_.processEvents();
    host_.checkQuit();
  }
}

std::string ProductRequester::RequestProduct(const std::string& asin) {
  const std::string url = requestUrl(asin);
  const int retryCount = RetryCount(programFolder_);
  lastRequestAnswered_ = false;
  std::string text;
  for (int retry = 0;; ++retry) {
    waitBeforeRequest(asin);
    host_.setLabel(Label::Status, host_.text(kRequestingPrefix) + asin);
    ++requestsMade_;
    if (retry > 0) ++retriesMade_;
    std::vector<std::uint8_t> buffer;
    std::string reason;
    const HttpResult result = get_(url, buffer, reason);
    lastRequestTick_ = clock_.nowMs();
    if (!result.busy() && result.bytes != 0) {
      failuresInARow_ = 0;
      lastRequestAnswered_ = true;
      text = Utf8ToString(std::span(buffer.data(), static_cast<std::size_t>(result.bytes)), "");
      break;
    }
    ++failuresInARow_;
    const bool retryLeft = retry < retryCount;
    // A busy service is left alone for as long as it asks, even after the prompt.
    if (result.busy() || retryLeft)
      notBeforeMs_ =
          lastRequestTick_ + (result.busy() && result.retryAfterMs ? *result.retryAfterMs
                                                                   : BackoffMs(failuresInARow_));
    if (retryLeft) continue;
    AskToContinue(host_, url,
                  result.busy() ? BusyReason(result, host_.text(kBusyReasonPattern)) : reason);
    lastRequestTick_ = clock_.nowMs();  // the time spent on the prompt counts as elapsed
    break;
  }

  const bool valid = IsValidResponse(text);
  // Built in one piece: a hostile answer's title can be as long as the answer.
  std::string label = host_.text(kRequestedPrefix);
  label += asin;
  label += ' ';
  label += RecordTitle(text);
  host_.setLabel(Label::Status, label);
  if (!valid) return {};
  return text;
}

}  // namespace quillon::fetcher
