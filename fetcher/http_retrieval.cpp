#include "fetcher/http_retrieval.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <new>
#include <utility>

#include "common/text_compare.h"
#include "fetcher/crawl_texts.h"
#include "fetcher/curl_easy.h"
#include "fetcher/retry_wait.h"

namespace quillon::fetcher {
namespace {

// Reserving more than this on the strength of a Content-Length alone is not wise.
constexpr curl_off_t kLargestReservation = curl_off_t{256} << 20;

struct Transfer {
  CURL* handle = nullptr;
  std::vector<std::uint8_t>* body = nullptr;
  std::int64_t maxBytes = 0;  // 0: no cap
  const std::function<bool()>* stopRequested = nullptr;
  bool reserved = false;
  bool tooLarge = false;
  bool outOfMemory = false;
  std::exception_ptr stopFailure;  // thrown by stopRequested, passed on after the transfer
};

// libcurl hands the body over in pieces; they are appended in place.
std::size_t AppendBodyPiece(char* data, std::size_t size, std::size_t count, void* userData) {
  auto& transfer = *static_cast<Transfer*>(userData);
  const std::size_t bytes = size * count;
  if (transfer.maxBytes > 0 &&
      transfer.body->size() + bytes > static_cast<std::size_t>(transfer.maxBytes)) {
    // A short count makes libcurl stop the transfer at once.
    transfer.tooLarge = true;
    return 0;
  }
  // No exception may pass through libcurl's C frames: a short count stops the
  // transfer instead, and the failure is reported after it.
  try {
    if (!transfer.reserved) {
      transfer.reserved = true;
      curl_off_t length = -1;
      if (curl_easy_getinfo(transfer.handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) ==
              CURLE_OK &&
          length > 0)
        transfer.body->reserve(static_cast<std::size_t>(std::min(length, kLargestReservation)));
    }
    const auto* first = reinterpret_cast<const std::uint8_t*>(data);
    transfer.body->insert(transfer.body->end(), first, first + bytes);
  } catch (const std::bad_alloc&) {
    transfer.outOfMemory = true;
    return 0;
  }
  return bytes;
}

// libcurl's progress callback: a non-zero result ends the transfer at once.
int CheckStop(void* userData, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto& transfer = *static_cast<Transfer*>(userData);
  // No exception may pass through libcurl's C frames: it is kept for after.
  try {
    return (*transfer.stopRequested)() ? 1 : 0;
  } catch (...) {
    transfer.stopFailure = std::current_exception();
    return 1;
  }
}

// Keeps the Retry-After of the last answer; a redirect's headers come first.
std::size_t KeepRetryAfter(char* data, std::size_t size, std::size_t count, void* userData) {
  auto& retryAfter = *static_cast<std::string*>(userData);
  const std::string_view line(data, size * count);
  constexpr std::string_view kName = "retry-after:";
  if (line.starts_with("HTTP/")) retryAfter.clear();
  if (line.size() > kName.size() && EqualsIgnoringAsciiCase(line.substr(0, kName.size()), kName)) {
    std::string_view value = line.substr(kName.size());
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.remove_suffix(1);
    try {
      retryAfter = std::string(value);
    } catch (const std::bad_alloc&) {
      return 0;  // no exception through libcurl; the transfer fails instead
    }
  }
  return size * count;
}

// A setting's value as a user would write it: no trailing zeros.
std::string DecimalText(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.ends_with('.')) text.pop_back();
  return text;
}

std::int64_t UnixNowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

TransportErrorKind KindOf(CURLcode code) {
  switch (code) {
    case CURLE_OK:
      return TransportErrorKind::None;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
      return TransportErrorKind::BadUrl;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_SSL_CONNECT_ERROR:
      return TransportErrorKind::Connection;
    case CURLE_OPERATION_TIMEDOUT:
      return TransportErrorKind::TimedOut;
    case CURLE_FILESIZE_EXCEEDED:
      return TransportErrorKind::TooLarge;
    case CURLE_ABORTED_BY_CALLBACK:
      return TransportErrorKind::Cancelled;
    default:
      return TransportErrorKind::Other;
  }
}

}  // namespace

HttpResult HttpGet(std::string_view url, std::vector<std::uint8_t>& buffer,
                   std::string_view proxyName, const HttpTimeouts& timeouts) {
  HttpResult result;
  if (url.empty()) {
    result.error.kind = TransportErrorKind::BadUrl;
    return result;
  }
  buffer.clear();
  CurlEasy curl;
  const std::int64_t maxBytes = std::max<std::int64_t>(timeouts.maxBodyBytes, 0);
  Transfer transfer;
  transfer.handle = curl.get();
  transfer.body = &buffer;
  transfer.maxBytes = maxBytes;
  transfer.stopRequested = &timeouts.stopRequested;
  const std::string urlText(url);
  const std::string proxyText(proxyName);
  curl.set(CURLOPT_URL, urlText.c_str());
  curl.set(CURLOPT_USERAGENT, kUserAgent.data());
  curl.set(CURLOPT_FOLLOWLOCATION, 1L);
  curl.set(CURLOPT_MAXREDIRS, 20L);
  curl.set(CURLOPT_NOSIGNAL, 1L);
  curl.set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count()));
  curl.set(CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl.set(CURLOPT_LOW_SPEED_TIME, static_cast<long>(timeouts.stall.count()));
  curl.set(CURLOPT_WRITEFUNCTION, &AppendBodyPiece);
  curl.set(CURLOPT_WRITEDATA, static_cast<void*>(&transfer));
  if (timeouts.answer.count() > 0)
    curl.set(CURLOPT_TIMEOUT_MS, static_cast<long>(timeouts.answer.count()));
  if (timeouts.stopRequested) {
    curl.set(CURLOPT_XFERINFOFUNCTION, &CheckStop);
    curl.set(CURLOPT_XFERINFODATA, static_cast<void*>(&transfer));
    curl.set(CURLOPT_NOPROGRESS, 0L);
  }
  // An announced length over the cap ends the transfer before the body comes.
  if (maxBytes > 0) curl.set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(maxBytes));
  if (!proxyText.empty()) curl.set(CURLOPT_PROXY, proxyText.c_str());
  // A fresh copy from the server every time, never one held by a cache on the way.
  curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
  headers = curl_slist_append(headers, "Pragma: no-cache");
  const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headerList(
      headers, &curl_slist_free_all);
  curl.set(CURLOPT_HTTPHEADER, headerList.get());
  std::string retryAfter;
  curl.set(CURLOPT_HEADERFUNCTION, &KeepRetryAfter);
  curl.set(CURLOPT_HEADERDATA, static_cast<void*>(&retryAfter));

  const auto started = std::chrono::steady_clock::now();
  const CURLcode code = curl_easy_perform(curl.get());
  if (transfer.stopFailure) std::rethrow_exception(transfer.stopFailure);
  long status = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
  result.status = static_cast<int>(status);
  // A date is turned into a wait at once, while "now" is the moment it came.
  if (result.busy() && !retryAfter.empty())
    result.retryAfterMs = RetryAfterMs(retryAfter, UnixNowMs());
  if (code != CURLE_OK) {
    const bool overCap = code == CURLE_FILESIZE_EXCEEDED || transfer.tooLarge;
    result.error.kind = overCap                ? TransportErrorKind::TooLarge
                        : transfer.outOfMemory ? TransportErrorKind::OutOfMemory
                                               : KindOf(code);
    if (overCap)
      result.error.capBytes = maxBytes;
    else
      result.error.message = curl.errorText(code);
    // libcurl words every time-out alike; the whole answer's is the one that
    // lasted its full limit. libcurl counts whole milliseconds on a clock of its
    // own and may end the wait a fraction of one early, so a little slack.
    constexpr std::chrono::milliseconds kClockSlack{10};
    if (code == CURLE_OPERATION_TIMEDOUT && timeouts.answer.count() > 0 &&
        std::chrono::steady_clock::now() - started + kClockSlack >= timeouts.answer)
      result.error.answerLimitMs = timeouts.answer.count();
  }
  // A body that broke off is no answer: its first part can pass the validity test
  // and would be stored as the product's record without the rest.
  if (code != CURLE_OK) buffer.clear();
  if (buffer.empty()) {
    buffer.shrink_to_fit();
    return result;
  }
  result.bytes = static_cast<std::int32_t>(
      std::min<std::size_t>(buffer.size(), std::numeric_limits<std::int32_t>::max()));
  return result;
}

std::int32_t HttpGetBytes(std::string_view url, std::vector<std::uint8_t>& buffer,
                          std::string_view proxyName, const HttpTimeouts& timeouts) {
  return HttpGet(url, buffer, proxyName, timeouts).bytes;
}

HttpGetter MakeCurlGetter() {
  return [](const std::string& url, std::vector<std::uint8_t>& buffer, const HttpTimeouts& limits) {
    return HttpGet(url, buffer, "", limits);
  };
}

std::string AnswerTooLargeText(std::int64_t maxBodyBytes, std::string_view pattern) {
  return FillText(pattern, {DecimalText(static_cast<double>(maxBodyBytes) / (1 << 20)),
                            std::to_string(maxBodyBytes)});
}

std::string AnswerTimedOutText(std::int64_t answerLimitMs, std::string_view pattern) {
  return FillText(pattern, {DecimalText(static_cast<double>(answerLimitMs) / 1000)});
}

std::string FailureReason(const HttpResult& result, const Host& host) {
  return FailureReason(result, [&host](std::string_view source) { return host.text(source); });
}

std::string FailureReason(const HttpResult& result, const Host::TextTranslator& words) {
  const auto text = [&words](std::string_view source) { return Host::Translated(words, source); };
  if (result.busy()) return FillText(text(kBusyReasonPattern), {std::to_string(result.status)});
  if (result.error.kind == TransportErrorKind::TooLarge)
    return AnswerTooLargeText(result.error.capBytes, text(kAnswerTooLargePattern));
  if (result.error.kind == TransportErrorKind::TimedOut && result.error.answerLimitMs > 0)
    return AnswerTimedOutText(result.error.answerLimitMs, text(kAnswerTimedOutPattern));
  if (result.error.kind == TransportErrorKind::OutOfMemory) return text(kAnswerOutOfMemoryText);
  // libcurl's own words are in English whatever the user's language: they stay
  // in the error for logs and tests, the prompt names the URL alone.
  return {};
}

std::string ContinueQuestion(const Host& host, std::string_view url, std::string_view reason,
                             std::string_view tail) {
  std::string question(reason);
  if (!question.empty()) question += '\n';
  question += url;
  question += host.text(tail);
  return question;
}

void AskToContinue(Host& host, std::string_view url, std::string_view reason,
                   std::string_view tail) {
  if (!host.askYesNo(ContinueQuestion(host, url, reason, tail))) throw EndProgram{};
}

}  // namespace quillon::fetcher
