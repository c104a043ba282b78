// Which requests the service answers wrongly on purpose, so that clients can be
// tested against a misbehaving server. A fixed seed repeats the same faults in
// the same request order.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/expected.h"

namespace quillon::service {

enum class Fault {
  None,
  Drop,      // connection closed without an answer
  Empty,     // 200 with an empty body
  NotFound,  // 404 with an HTML page
  Invalid,   // the answer with IsValid "False"
  Truncate,  // full length announced, part of the body sent, connection closed
  Busy,      // 429 or 503, perhaps with Retry-After, and no product answer
};

std::string FaultName(Fault fault);

// Each share is the part of requests (0 to 1) that gets the fault.
struct FaultShares {
  double drop = 0;
  double empty = 0;
  double notFound = 0;
  double invalid = 0;
  double truncate = 0;
  double delay = 0;  // independent of the others: the answer, whatever it is, comes late
  int delayMs = 0;
};

// Shares out of range, or faults adding up to more than every request, fail.
Status CheckFaultShares(const FaultShares& shares);

// Which product requests the service answers as busy, and how. Busy requests
// come before any other fault and draw no random numbers, so they leave the
// sequence of the others as it would be without them.
struct BusyPlan {
  int first = 0;  // the first this many product requests
  int every = 0;  // and after those every this-many-th request; 0: none
  int status = 429;
  enum class RetryAfter { None, Seconds, Date } retryAfter = RetryAfter::None;
  int retryAfterSeconds = 0;  // the wait the header asks for (a date: this far ahead)
};

struct FaultChoice {
  Fault fault = Fault::None;
  int delayMs = 0;
};

class FaultPlan {
 public:
  // Without a seed the sequence differs from run to run.
  explicit FaultPlan(FaultShares shares = {}, std::optional<std::uint64_t> seed = std::nullopt,
                     std::vector<Fault> scripted = {}, BusyPlan busy = {});

  // The choice for the next request, in arrival order; safe across threads.
  FaultChoice next();

 private:
  FaultShares shares_;
  std::mutex mutex_;
  std::mt19937_64 engine_;
  std::deque<Fault> scripted_;
  BusyPlan busy_;
  std::int64_t requests_ = 0;
  bool anyShare_;
};

}  // namespace quillon::service
