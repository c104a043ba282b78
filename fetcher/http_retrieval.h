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

// Limits that keep a dead, stalled or flooding server from hanging the program.
struct HttpTimeouts {
  std::chrono::milliseconds connect{10'000};
  // A transfer that moves no byte for this long is given up.
  std::chrono::seconds stall{30};
  // A body longer than this many bytes is stopped as soon as that shows and
  // gives nothing; 0 or less: no cap.
  std::int64_t maxBodyBytes = 0;
};

// The cap on one answer set by MaxAnswerMegabytes (default 64), in bytes; 0 when
// the setting is 0 or less.
std::int64_t MaxAnswerBytes(const std::string& programFolder);

// Why an answer over the cap was not taken, naming the setting and its value:
// %1 the megabytes, %2 the bytes.
inline constexpr std::string_view kAnswerTooLargePattern = QUILLON_TEXT(
    "quillon",
    "答えが MaxAnswerMegabytes の %1 MB (%2 バイト) を超えたので受信を打ち切ったわけだが。");
std::string AnswerTooLargeText(std::int64_t maxBodyBytes,
                               std::string_view pattern = kAnswerTooLargePattern);

// The status line and the one header of an answer that the fetcher looks at.
struct HttpAnswerHead {
  int status = 0;          // 0 when no answer came
  std::string retryAfter;  // the Retry-After header, "" when there is none
};

// Retrieves the body of url into buffer and returns its length; 0 when the URL
// is empty (buffer untouched), no connection or answer could be had, or the body
// is empty (buffer emptied), or the transfer broke off before the end (the bytes
// received are dropped, so a cut answer is retried rather than stored).
// The HTTP status is not examined. A non-empty proxyName is used as the proxy.
// When given, *failure receives the reason for a failed transfer: libcurl's, or
// AnswerTooLargeText when the body passed timeouts.maxBodyBytes (then *tooLarge
// is set as well). When given, *head receives the final answer's status and
// Retry-After.
std::int32_t HttpGetBytes(std::string_view url, std::vector<std::uint8_t>& buffer,
                          std::string_view proxyName, const HttpTimeouts& timeouts = {},
                          std::string* failure = nullptr, bool* tooLarge = nullptr,
                          HttpAnswerHead* head = nullptr);

// What a getter gives back: the body length, and for a service that says it is
// busy, how long it asks to be left alone. A bare count converts to it, so a
// getter that knows no status can return just that.
struct HttpResult {
  HttpResult(std::int32_t count = 0) : bytes(count) {}  // NOLINT: a count is a result

  std::int32_t bytes = 0;                    // 0: nothing retrieved
  int status = 0;                            // the HTTP status; 0 when unknown
  std::optional<std::int64_t> retryAfterMs;  // a busy answer's Retry-After as a wait

  // 429 and 503 are no answers: the service asks to be asked again later.
  bool busy() const { return status == 429 || status == 503; }
};

// How FetchUrlText retrieves a body; tests replace the network with a table. A
// getter that gives nothing may say why in `reason`, which the prompt then shows.
using HttpGetter = std::function<HttpResult(
    const std::string& url, std::vector<std::uint8_t>& buffer, std::string& reason)>;

// The reason a busy answer gives in the failure prompt; the pattern is
// kBusyReasonPattern or its translation.
std::string BusyReason(const HttpResult& result, std::string_view pattern);

// The real retrieval through libcurl with the given limits and no proxy; the
// reasons it gives are worded through translate when one is given.
HttpGetter MakeCurlGetter(HttpTimeouts timeouts = {}, Host::TextTranslator translate = {});
// The same with the answer cap read from programFolder's settings at every request.
HttpGetter MakeCurlGetter(std::string programFolder, HttpTimeouts timeouts = {},
                          Host::TextTranslator translate = {});

// Asks whether to go on with url, the question being url followed by tail; a
// reason goes on a line of its own before it. "No" ends the program.
void AskToContinue(Host& host, std::string_view url, std::string_view reason = {},
                   std::string_view tail = kFailurePromptTail);

// The decoded body of url (malformed bytes dropped), or "" after a failed
// retrieval (a busy answer included) that the user chose to go on from.
std::string FetchUrlText(Host& host, const std::string& url, const HttpGetter& get);

}  // namespace quillon::fetcher
