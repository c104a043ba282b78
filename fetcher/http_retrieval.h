// Retrieval of one URL's body over HTTP, and the prompt after a failed retrieval.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/host.h"
#include "common/texts.h"

namespace quillon::fetcher {

// The fixed user agent sent with every request.
inline constexpr std::string_view kUserAgent = "Velkarion/1.00 (QuillonGetTest/1.00)";
// Follows the URL in the question after a failed retrieval.
inline constexpr std::string_view kFailurePromptTail =
    QUILLON_TEXT("quillon", "の取得に失敗したわけだが。続ける？");

// Limits that keep a dead, stalled, slow or flooding server from hanging the
// program, and the user's way to end a transfer early.
struct HttpTimeouts {
  std::chrono::milliseconds connect{10'000};
  // A transfer that moves no byte for this long is given up.
  std::chrono::seconds stall{30};
  // A body longer than this many bytes is stopped as soon as that shows and
  // gives nothing; 0 or less: no cap.
  std::int64_t maxBodyBytes = 0;
  // The whole answer, connection included, must have come within this; 0 or
  // less: no limit.
  std::chrono::milliseconds answer{0};
  // Asked while the transfer runs (at least about once a second, and whenever
  // bytes move): true ends it as Cancelled. It may throw; the exception then
  // comes out of the retrieval once the transfer has been ended.
  std::function<bool()> stopRequested{};
};

// Why a transfer gave no answer, kept apart from any HTTP status the server sent.
enum class TransportErrorKind {
  None,
  BadUrl,       // empty, unusable or of a scheme libcurl cannot fetch
  Connection,   // no connection, or it broke off before the end of the body
  TimedOut,     // no connection in time, or the transfer stalled
  TooLarge,     // the body passed the cap
  OutOfMemory,  // there was no memory to hold the body
  Cancelled,    // stopped from the program's side
  Other,
};

struct TransportError {
  TransportErrorKind kind = TransportErrorKind::None;
  std::string message;        // libcurl's own words, for the user; "" when it has none
  std::int64_t capBytes = 0;  // TooLarge: the cap the body passed
  // TimedOut: the limit of the whole answer that ran out; 0 when connecting
  // or a stall timed out.
  std::int64_t answerLimitMs = 0;

  explicit operator bool() const { return kind != TransportErrorKind::None; }
};

// What a retrieval gives back. A bare count converts to it, so a getter that
// knows no status or error can return just that.
struct HttpResult {
  HttpResult(std::int32_t count = 0) : bytes(count) {}  // NOLINT: a count is a result

  std::int32_t bytes = 0;                    // 0: nothing retrieved
  int status = 0;                            // the HTTP status; 0 when unknown
  std::optional<std::int64_t> retryAfterMs;  // a busy answer's Retry-After as a wait
  TransportError error;                      // set when the transfer itself failed

  // 429 and 503 are no answers: the service asks to be asked again later.
  bool busy() const { return status == 429 || status == 503; }
};

// Retrieves the body of url into buffer. bytes is 0 when the URL is empty
// (buffer untouched), no connection or answer could be had, the body is empty
// (buffer emptied), or the transfer broke off before the end (the bytes received
// are dropped, so a cut answer is retried rather than stored). The HTTP status
// is not examined here; it is reported with a busy answer's Retry-After. A
// non-empty proxyName is used as the proxy.
HttpResult HttpGet(std::string_view url, std::vector<std::uint8_t>& buffer,
                   std::string_view proxyName, const HttpTimeouts& timeouts = {});
// The same, giving only the length of the body.
std::int32_t HttpGetBytes(std::string_view url, std::vector<std::uint8_t>& buffer,
                          std::string_view proxyName, const HttpTimeouts& timeouts = {});

// How a requester retrieves a body within the given limits; tests replace the
// network with a table.
using HttpGetter = std::function<HttpResult(
    const std::string& url, std::vector<std::uint8_t>& buffer, const HttpTimeouts& limits)>;

// The real retrieval through libcurl, without a proxy.
HttpGetter MakeCurlGetter();

// Why an answer over the cap was not taken, naming the setting and its value:
// %1 the megabytes, %2 the bytes.
inline constexpr std::string_view kAnswerTooLargePattern = QUILLON_TEXT(
    "quillon",
    "答えが MaxAnswerMegabytes の %1 MB (%2 バイト) を超えたので受信を打ち切ったわけだが。");
std::string AnswerTooLargeText(std::int64_t maxBodyBytes,
                               std::string_view pattern = kAnswerTooLargePattern);

// Why an answer that took too long was not taken, naming the setting and its
// value: %1 the seconds.
inline constexpr std::string_view kAnswerTimedOutPattern = QUILLON_TEXT(
    "quillon",
    "答えが AnswerTimeoutSeconds の %1 秒のうちに届き終わらなかったので受信を打ち切ったわけだが。");
std::string AnswerTimedOutText(std::int64_t answerLimitMs,
                               std::string_view pattern = kAnswerTimedOutPattern);

// Why an answer could not be held, naming the setting that bounds its size.
inline constexpr std::string_view kAnswerOutOfMemoryText = QUILLON_TEXT(
    "quillon",
    "答えを受け取るメモリが足りなかったわけだが。MaxAnswerMegabytes を小さくしてほしい。");

// The reason the failure prompt gives for a retrieval that got no answer, worded
// through words: a busy answer's status, the cap an answer passed, the time
// limit it ran out of, or the memory it lacked; "" otherwise.
std::string FailureReason(const HttpResult& result, const Host::TextTranslator& words);
// The same in the host's words.
std::string FailureReason(const HttpResult& result, const Host& host);

// The question whether to go on with url: url followed by tail, a reason on a
// line of its own before it.
std::string ContinueQuestion(const Host& host, std::string_view url, std::string_view reason = {},
                             std::string_view tail = kFailurePromptTail);

// Asks ContinueQuestion. "No" ends the program.
void AskToContinue(Host& host, std::string_view url, std::string_view reason = {},
                   std::string_view tail = kFailurePromptTail);

}  // namespace quillon::fetcher
