// What one request for a product came to, as a value the crawl, the window and
// the command line decide from.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "fetcher/fetcher_settings.h"
#include "fetcher/http_retrieval.h"

namespace quillon::fetcher {

enum class OutcomeKind {
  Answer,         // the service answered and marked the request valid
  InvalidAnswer,  // the service answered, but not with a valid answer
  Failure,        // no answer, after the retries the settings allow
};

// Why a request got no answer.
enum class FailureCause {
  NoBody,       // the transfer ended without a byte
  BadUrl,       // the URL cannot be fetched
  Connection,   // no connection, or it broke off
  TimedOut,     // no connection in time, a stall, or past AnswerTimeoutSeconds
  TooLarge,     // the answer passed MaxAnswerMegabytes
  OutOfMemory,  // no memory to hold the answer
  Busy,         // 429 or 503: the service asks to be asked later (see retryAfterMs)
  Cancelled,    // stopped from the program's side
  Other,
};

// Why a request that got this result has no answer.
FailureCause CauseOf(const HttpResult& result);

struct RequestOutcome {
  OutcomeKind kind = OutcomeKind::Failure;
  std::string url;
  std::string text;   // the decoded answer; "" after a failure
  HttpResult result;  // what the last request got: status, Retry-After, transport error
  int requests = 0;   // the requests it took: the first and its retries
  // The settings the request was made with (read once for it).
  FetcherSettings settings;

  bool answered() const { return kind != OutcomeKind::Failure; }
  // The answer when it is valid, "" otherwise.
  const std::string& validText() const;
  FailureCause cause() const { return CauseOf(result); }
};

// Decides on a failed retrieval whose retries are spent, before the requester
// takes the time the next pause is measured from: returns to go on, throws
// EndProgram to end the program.
using FailureJudge = std::function<void(const RequestOutcome& failure)>;

}  // namespace quillon::fetcher
