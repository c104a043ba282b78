#include "service/fault_plan.h"

#include <cmath>

namespace quillon::service {

namespace {

// 53 random bits scaled to [0, 1): the same numbers on every standard library.
double unitDraw(std::mt19937_64& engine) {
  return static_cast<double>(engine() >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace

std::string FaultName(Fault fault) {
  switch (fault) {
    case Fault::None:
      return "none";
    case Fault::Drop:
      return "drop";
    case Fault::Empty:
      return "empty";
    case Fault::NotFound:
      return "not-found";
    case Fault::Invalid:
      return "invalid";
    case Fault::Truncate:
      return "truncate";
    case Fault::Busy:
      return "busy";
  }
  return "unknown";
}

Status CheckFaultShares(const FaultShares& shares) {
  const std::pair<const char*, double> named[] = {
      {"drop", shares.drop},       {"empty", shares.empty},       {"not-found", shares.notFound},
      {"invalid", shares.invalid}, {"truncate", shares.truncate}, {"delay", shares.delay},
  };
  for (const auto& [name, share] : named) {
    if (!std::isfinite(share) || share < 0 || share > 1) {
      return Failure{std::string("the share of --") + name + " must lie between 0 and 1"};
    }
  }
  const double sum =
      shares.drop + shares.empty + shares.notFound + shares.invalid + shares.truncate;
  if (sum > 1 + 1e-9) {
    return Failure{
        "the shares of --drop, --empty, --not-found, --invalid and --truncate add up "
        "to more than 1"};
  }
  if (shares.delayMs < 0) return Failure{"--delay-ms must not be negative"};
  return Success();
}

FaultPlan::FaultPlan(FaultShares shares, std::optional<std::uint64_t> seed,
                     std::vector<Fault> scripted, BusyPlan busy)
    : shares_(shares),
      engine_(seed ? *seed : std::random_device{}()),
      scripted_(scripted.begin(), scripted.end()),
      busy_(busy),
      anyShare_(shares.drop + shares.empty + shares.notFound + shares.invalid + shares.truncate +
                    shares.delay >
                0) {}

FaultChoice FaultPlan::next() {
  std::lock_guard lock(mutex_);
  FaultChoice choice;
  ++requests_;
  const std::int64_t afterFirst = requests_ - busy_.first;
  if (afterFirst <= 0 || (busy_.every > 0 && afterFirst % busy_.every == 0)) {
    choice.fault = Fault::Busy;
    return choice;
  }
  if (!scripted_.empty()) {
    choice.fault = scripted_.front();
    scripted_.pop_front();
    return choice;
  }
  if (!anyShare_) return choice;

  // Two draws for every request, so that one fault's share never shifts another's sequence.
  const double pick = unitDraw(engine_);
  const double late = unitDraw(engine_);
  const std::pair<Fault, double> ordered[] = {
      {Fault::Drop, shares_.drop},         {Fault::Empty, shares_.empty},
      {Fault::NotFound, shares_.notFound}, {Fault::Invalid, shares_.invalid},
      {Fault::Truncate, shares_.truncate},
  };
  double bound = 0;
  for (const auto& [fault, share] : ordered) {
    bound += share;
    if (pick < bound) {
      choice.fault = fault;
      break;
    }
  }
  if (late < shares_.delay) choice.delayMs = shares_.delayMs;
  return choice;
}

}  // namespace quillon::service
