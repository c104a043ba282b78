// Fault choices: reproducible with a seed, in the proportions asked for.
#include "service/fault_plan.h"

#include <gtest/gtest.h>

#include <map>

namespace quillon::service {
namespace {

std::vector<FaultChoice> draw(FaultPlan& plan, int count) {
  std::vector<FaultChoice> choices;
  for (int i = 0; i < count; ++i) choices.push_back(plan.next());
  return choices;
}

bool sameChoices(const std::vector<FaultChoice>& a, const std::vector<FaultChoice>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].fault != b[i].fault || a[i].delayMs != b[i].delayMs) return false;
  }
  return true;
}

const FaultShares kMixed{.drop = 0.1,
                         .empty = 0.1,
                         .notFound = 0.1,
                         .invalid = 0.1,
                         .truncate = 0.1,
                         .delay = 0.2,
                         .delayMs = 30};

TEST(FaultPlan, SameSeedRepeatsTheSequenceAndAnotherSeedDoesNot) {
  FaultPlan first(kMixed, 99);
  FaultPlan again(kMixed, 99);
  FaultPlan other(kMixed, 100);
  const auto sequence = draw(first, 200);
  EXPECT_TRUE(sameChoices(sequence, draw(again, 200)));
  EXPECT_FALSE(sameChoices(sequence, draw(other, 200)));
}

TEST(FaultPlan, GivesEachFaultItsShare) {
  FaultPlan plan(kMixed, 1);
  std::map<Fault, int> counts;
  int delayed = 0;
  const int total = 20000;
  for (const auto& choice : draw(plan, total)) {
    ++counts[choice.fault];
    if (choice.delayMs == 30) ++delayed;
  }
  for (const Fault fault :
       {Fault::Drop, Fault::Empty, Fault::NotFound, Fault::Invalid, Fault::Truncate}) {
    EXPECT_NEAR(counts[fault], total * 0.1, total * 0.015) << FaultName(fault);
  }
  EXPECT_NEAR(counts[Fault::None], total * 0.5, total * 0.02);
  EXPECT_NEAR(delayed, total * 0.2, total * 0.02);
}

TEST(FaultPlan, ScriptedFaultsComeFirstThenShares) {
  FaultPlan plan(FaultShares{.invalid = 1}, 5, {Fault::Drop, Fault::None});
  EXPECT_EQ(plan.next().fault, Fault::Drop);
  EXPECT_EQ(plan.next().fault, Fault::None);
  EXPECT_EQ(plan.next().fault, Fault::Invalid);
  FaultPlan quiet;
  EXPECT_EQ(quiet.next().fault, Fault::None);
  EXPECT_EQ(quiet.next().delayMs, 0);
}

TEST(FaultPlan, BusyRequestsComeFirstAndLeaveTheOtherFaultsInTheirSequence) {
  const FaultShares shares{.drop = 0.3, .invalid = 0.3};
  FaultPlan plain(shares, 9);
  FaultPlan busy(shares, 9, {}, BusyPlan{.first = 2, .every = 3});
  std::vector<Fault> expected{Fault::Busy, Fault::Busy};
  for (int request = 3; request <= 12; ++request)
    expected.push_back((request - 2) % 3 == 0 ? Fault::Busy : plain.next().fault);
  for (std::size_t k = 0; k < expected.size(); ++k)
    EXPECT_EQ(busy.next().fault, expected[k]) << "request " << k + 1;
}

TEST(FaultPlan, ChecksShares) {
  struct Case {
    const char* name;
    FaultShares shares;
    bool ok;
  };
  const Case cases[] = {
      {"none", {}, true},
      {"all dropped", {.drop = 1}, true},
      {"sum of one", {.drop = 0.5, .truncate = 0.5}, true},
      {"every request delayed besides", {.drop = 1, .delay = 1, .delayMs = 5}, true},
      {"negative", {.empty = -0.1}, false},
      {"above one", {.delay = 1.5}, false},
      {"sum above one", {.notFound = 0.6, .invalid = 0.6}, false},
      {"negative delay", {.delay = 0.5, .delayMs = -1}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckFaultShares(c.shares).ok(), c.ok) << c.name;
  }
}

}  // namespace
}  // namespace quillon::service
