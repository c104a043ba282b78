// The product request as the crawl makes it, against the service on loopback:
// the limits on an answer's size and time.
#include <gtest/gtest.h>

#include "fetcher/answer_source.h"
#include "fetcher/product_request.h"
#include "service/product_server.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"

namespace quillon::fetcher {
namespace {

using testing::FakeHost;
using testing::TempFolder;

// One request for product A, with these lines added to [DefaultSetting]; a
// failure is put to host as the window puts it.
RequestOutcome RequestFromService(const service::ServerOptions& options,
                                  const std::string& settings, FakeHost& host) {
  service::ProductCatalogue catalogue;
  EXPECT_TRUE(catalogue.add({"A", "本", 1, {}}).ok());
  const service::ProductServer server(std::move(catalogue), options);
  const TempFolder folder;
  folder.write("setting.ini", "[RequestURL]\r\nPrefix=" + server.prefix() +
                                  "\r\nSuffix=" + server.suffix() +
                                  "\r\n[DefaultSetting]\r\nRequestInterval=0\r\n" + settings);
  testing::FakeClock clock(1'000'000);
  ProductRequester requester(folder.path(), host, clock, MakeCurlGetter());
  AskUser ask(host);
  return requester.RequestProduct("A",
                                  [&](const RequestOutcome& failure) { ask.decide(failure, {}); });
}

// The question the window asks after a failure with this reason.
std::string Question(const std::string& reason, const RequestOutcome& outcome) {
  return reason + "\n" + outcome.url + std::string(kFailurePromptTail);
}

TEST(RequestOverLoopback, AnswerOverTheCapIsRefusedWithoutReadingItAll) {
  constexpr std::size_t kCap = 65536;  // MaxAnswerMegabytes=0.0625
  struct Row {
    const char* name;
    std::size_t answerBytes;
    bool chunked;
    bool endless;
    bool taken;
  };
  const Row rows[] = {
      {"over the cap, Content-Length", kCap + 1, false, false, false},
      {"over the cap, no Content-Length", kCap + 1, true, false, false},
      {"exactly at the cap, Content-Length", kCap, false, false, true},
      {"exactly at the cap, no Content-Length", kCap, true, false, true},
      {"just under the cap", kCap - 1, true, false, true},
      {"an endless answer", 0, true, true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    service::ServerOptions options;
    options.answerBytes = row.answerBytes;
    options.chunked = row.chunked;
    options.endlessAnswers = row.endless;
    FakeHost host;
    host.answers = {true};
    const RequestOutcome outcome =
        RequestFromService(options, "MaxAnswerMegabytes=0.0625\r\n", host);
    if (row.taken) {
      EXPECT_EQ(outcome.kind, OutcomeKind::Answer);
      EXPECT_EQ(outcome.text.size(), row.answerBytes);
      EXPECT_TRUE(host.questions.empty());
    } else {
      EXPECT_EQ(outcome.cause(), FailureCause::TooLarge);
      EXPECT_EQ(outcome.text, "");
      EXPECT_EQ(host.questions,
                std::vector<std::string>{Question(AnswerTooLargeText(kCap), outcome)});
    }
  }
  EXPECT_NE(AnswerTooLargeText(kCap).find("MaxAnswerMegabytes の 0.0625 MB"), std::string::npos);
  EXPECT_EQ(ReadFetcherSettings(TempFolder().path()).maxAnswerBytes, std::int64_t{64} << 20);
}

TEST(RequestOverLoopback, AnswerSlowerThanItsTimeLimitIsAFailureNamingUrlAndSetting) {
  FakeHost host;
  host.answers = {true};
  service::ServerOptions late;  // so late that only the limit ends the wait
  late.faults.delay = 1;
  late.faults.delayMs = 60'000;
  const RequestOutcome outcome = RequestFromService(late, "AnswerTimeoutSeconds=0.5\r\n", host);
  EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
  EXPECT_EQ(outcome.cause(), FailureCause::TimedOut);
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0], Question(AnswerTimedOutText(500), outcome));
  EXPECT_NE(host.questions[0].find("AnswerTimeoutSeconds の 0.5 秒"), std::string::npos);
}

TEST(AnswerTimeoutSetting, IsSecondsWithNoLimitAtZeroOrLess) {
  const std::pair<const char*, std::int64_t> rows[] = {
      {nullptr, 300'000}, {"0.5", 500},      {"0", 0},
      {"-3", 0},          {"soon", 300'000}, {"86400", 86'400'000},
  };
  for (const auto& [value, expectedMs] : rows) {
    const TempFolder folder;
    if (value != nullptr)
      folder.write("setting.ini", std::string("[DefaultSetting]\r\nAnswerTimeoutSeconds=") + value);
    EXPECT_EQ(ReadFetcherSettings(folder.path()).answerTimeoutMs, expectedMs)
        << (value ? value : "(missing)");
  }
}

}  // namespace
}  // namespace quillon::fetcher
