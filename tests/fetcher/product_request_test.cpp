#include "fetcher/product_request.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>

#include "tests/fetcher/fake_catalogue.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"

namespace quillon::fetcher {
namespace {

using testing::FakeCatalogue;
using testing::FakeHost;
using testing::ProductAnswer;
using testing::TempFolder;

constexpr std::int64_t kStart = 5'000'000;

class ProductRequestTest : public ::testing::Test {
 protected:
  void settings(const std::string& interval) {
    folder.write("setting.ini",
                 "[RequestURL]\r\nPrefix=http://p/\r\nSuffix=.xml\r\n"
                 "[DefaultSetting]\r\nRequestInterval=" +
                     interval + "\r\n");
  }

  // Asks the user through the host, as the window does.
  FailureJudge asking() {
    return [this](const RequestOutcome& failure) {
      AskToContinue(host, failure.url, FailureReason(failure.result, host));
    };
  }
  // The valid answer of one request, "" otherwise.
  std::string request(const std::string& asin) {
    return requester.RequestProduct(asin, asking()).validText();
  }
  std::string url(const std::string& asin) const {
    return RequestUrl(ReadFetcherSettings(folder.path()), asin);
  }

  TempFolder folder;
  FakeHost host;
  testing::FakeClock clock{kStart};
  FakeCatalogue catalogue;
  ProductRequester requester{folder.path(), host, clock, catalogue.getter()};
};

struct PauseCase {
  const char* name;
  const char* interval;  // "" leaves the key out
  std::int64_t sinceLastMs;
  std::int64_t expectedPauseMs;
  // CTest lists a row by its name.
  friend void PrintTo(const PauseCase& row, std::ostream* out) { *out << row.name; }
};

class PauseTest : public ProductRequestTest, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(PauseTest, PausesOnlyForTheRestOfTheInterval) {
  const PauseCase& c = GetParam();
  if (*c.interval != '\0')
    settings(c.interval);
  else
    folder.write("setting.ini", "[RequestURL]\r\nPrefix=http://p/\r\nSuffix=.xml\r\n");
  catalogue.set("http://p/A.xml", ProductAnswer("A", "t", {}));
  request("A");  // sets the end of the previous request
  const int sleepsBefore = clock.sleepCount();
  const std::int64_t sleptBefore = clock.totalSleptMs();
  clock.advance(c.sinceLastMs);

  request("A");

  EXPECT_EQ(clock.totalSleptMs() - sleptBefore, c.expectedPauseMs);
  EXPECT_EQ(clock.sleepCount() - sleepsBefore, c.expectedPauseMs > 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Intervals, PauseTest,
                         ::testing::Values(PauseCase{"ThreeHundredMsAgo", "1000", 300, 700},
                                           PauseCase{"JustNow", "1000", 0, 1000},
                                           PauseCase{"ExactlyOneInterval", "1000", 1000, 0},
                                           PauseCase{"LongAgo", "1000", 60'000, 0},
                                           PauseCase{"ZeroInterval", "0", 0, 0},
                                           PauseCase{"NegativeInterval", "-500", 0, 0},
                                           PauseCase{"NotANumberMeansDefault", "soon", 400, 600},
                                           PauseCase{"MissingMeansDefault", "", 250, 750},
                                           PauseCase{"FractionRoundsToEven", "2.5", 0, 2},
                                           PauseCase{"BlanksAroundNumber", " 300 ", 100, 200}),
                         [](const ::testing::TestParamInfo<PauseCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(ProductRequestTest, TheIntervalIsReadAgainForEveryRequest) {
  settings("0");
  catalogue.set("http://p/A.xml", ProductAnswer("A", "t", {}));
  request("A");
  request("A");
  EXPECT_EQ(clock.sleepCount(), 0);
  settings("800");
  request("A");
  EXPECT_EQ(clock.totalSleptMs(), 800);
}

TEST_F(ProductRequestTest, TheFirstRequestPausesOnlyWhenTheClockIsYoungerThanTheInterval) {
  testing::FakeClock young(300);
  settings("1000");
  catalogue.set("http://p/A.xml", ProductAnswer("A", "t", {}));
  ProductRequester fresh(folder.path(), host, young, catalogue.getter());
  EXPECT_EQ(fresh.LastRequestTick(), 0);
  fresh.RequestProduct("A");
  EXPECT_EQ(young.totalSleptMs(), 700);
  EXPECT_EQ(fresh.LastRequestTick(), 1000);
}

TEST_F(ProductRequestTest, UrlIsPrefixAsinSuffixWithOnlyTheAsinEncoded) {
  settings("0");
  EXPECT_EQ(url("B00X Y"), "http://p/B00X%20Y.xml");
  EXPECT_EQ(url("B0-9._~z"), "http://p/B0-9._~z.xml");
  // Marks a query gives a meaning (a Prefix ending in "?item=") are encoded too.
  EXPECT_EQ(url("!$&'()*+,;=:@/"), "http://p/%21%24%26%27%28%29%2A%2B%2C%3B%3D%3A%40%2F.xml");
  EXPECT_EQ(url("%#?\"<>\\^`{|}\x7F"), "http://p/%25%23%3F%22%3C%3E%5C%5E%60%7B%7C%7D%7F.xml");
  EXPECT_EQ(url("\xE6\x9C\xAC\t"), "http://p/%E6%9C%AC%09.xml");
  EXPECT_EQ(url(""), "http://p/.xml");
  folder.write("setting.ini", "");
  EXPECT_EQ(url("B00"), "B00");
}

TEST_F(ProductRequestTest, ValidAnswerIsReturnedWithBothStatusTexts) {
  settings("0");
  const std::string answer = ProductAnswer("A", "本のタイトル", {{"B", "other"}});
  catalogue.set("http://p/A.xml", answer);
  const RequestOutcome outcome = requester.RequestProduct("A");
  EXPECT_EQ(outcome.kind, OutcomeKind::Answer);
  EXPECT_EQ(outcome.text, answer);
  EXPECT_EQ(outcome.url, "http://p/A.xml");
  EXPECT_EQ(outcome.requests, 1);
  EXPECT_EQ(host.textsOf(Label::Status),
            (std::vector<std::string>{"取得中 : A", "取得完了 : A 本のタイトル"}));
}

struct ValidityCase {
  const char* name;
  std::string body;
  bool valid;
  std::string finalStatus;
  // CTest lists a row by its name.
  friend void PrintTo(const ValidityCase& row, std::ostream* out) { *out << row.name; }
};

class ValidityTest : public ProductRequestTest,
                     public ::testing::WithParamInterface<ValidityCase> {};

TEST_P(ValidityTest, OnlyExactTrueIsValid) {
  const ValidityCase& c = GetParam();
  settings("0");
  catalogue.set("http://p/A.xml", c.body);
  EXPECT_EQ(request("A"), c.valid ? c.body : "");
  EXPECT_EQ(host.label(Label::Status), c.finalStatus);
  EXPECT_TRUE(host.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ValidityTest,
    ::testing::Values(
        ValidityCase{"ExactTrue", "<Request><IsValid>True</IsValid></Request><Title>T</Title>",
                     true, "取得完了 : A T"},
        ValidityCase{"LowerCaseTrue", "<Request><IsValid>true</IsValid></Request><Title>T</Title>",
                     false, "取得完了 : A T"},
        ValidityCase{"FlagFalse", "<Request><IsValid>False</IsValid></Request>", false,
                     "取得完了 : A "},
        ValidityCase{"NoRequestElement", "<IsValid>True</IsValid><Title>T</Title>", false,
                     "取得完了 : A T"},
        ValidityCase{"ValidWithoutTitle", "<Request><IsValid>True</IsValid></Request>", true,
                     "取得完了 : A "},
        ValidityCase{"HtmlErrorPage", "<html><title>404 Not Found</title></html>", false,
                     "取得完了 : A 404 Not Found"}),
    [](const ::testing::TestParamInfo<ValidityCase>& info) {
      return std::string(info.param.name);
    });

TEST_F(ProductRequestTest, FailedRetrievalAsksAndCountsTheAnswerTimeAsElapsed) {
  settings("1000");
  catalogue.onRequest = [this](const std::string&) { clock.advance(5000); };  // a slow failure
  host.answers = {true};
  const RequestOutcome outcome = requester.RequestProduct("A", asking());
  EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
  EXPECT_EQ(outcome.cause(), FailureCause::NoBody);
  EXPECT_EQ(host.questions,
            std::vector<std::string>{"http://p/A.xmlの取得に失敗したわけだが。続ける？"});
  EXPECT_EQ(host.label(Label::Status), "取得完了 : A ");
  EXPECT_EQ(requester.LastRequestTick(), clock.nowMs());
}

TEST_F(ProductRequestTest, NoAtTheFailurePromptEndsTheProgram) {
  settings("0");
  host.answers = {false};
  EXPECT_THROW(request("A"), EndProgram);
  EXPECT_EQ(catalogue.requested.size(), 1u);
}

}  // namespace
}  // namespace quillon::fetcher

namespace quillon::fetcher {
namespace {

// Failed retrievals tried again on the fake clock: the request times show the waits.
class RetryTest : public ProductRequestTest {
 protected:
  void SetUp() override {
    folder.write("setting.ini",
                 "[RequestURL]\r\nPrefix=http://p/\r\nSuffix=.xml\r\n"
                 "[DefaultSetting]\r\nRequestInterval=0\r\nRetryCount=3\r\n");
    catalogue.set("http://p/A.xml", ProductAnswer("A", "t", {}));
    catalogue.onRequest = [this](const std::string&) { times.push_back(clock.nowMs() - kStart); };
  }
  std::vector<std::int64_t> times;
};

TEST_F(RetryTest, FailuresAreTriedAgainAfterOneTwoFourSecondsWithoutAsking) {
  catalogue.script("http://p/A.xml", {"", "", ""});
  EXPECT_NE(request("A"), "");
  EXPECT_EQ(times, (std::vector<std::int64_t>{0, 1000, 3000, 7000}));
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(requester.retriesMade(), 3);
}

TEST_F(RetryTest, AfterTheLastRetryTheUserIsAskedOnce) {
  catalogue.script("http://p/A.xml", {"", "", "", ""});
  host.answers = {true};
  EXPECT_EQ(request("A"), "");
  EXPECT_EQ(times.size(), 4u);
  EXPECT_EQ(host.questions.size(), 1u);
}

TEST_F(RetryTest, TheCloseRequestEndsAWait) {
  catalogue.script("http://p/A.xml", {"", "", ""});
  host.quitAfterPumps = 5;  // half a second into the first wait
  EXPECT_THROW(request("A"), EndProgram);
  EXPECT_EQ(times.size(), 1u);
  EXPECT_LE(clock.nowMs() - kStart, 600);
}

TEST_F(RetryTest, BusyAnswersAreNoAnswersAndTheNextRequestWaitsAsAsked) {
  int busyLeft = 2;
  ProductRequester busy(folder.path(), host, clock,
                        [&](const std::string& url, std::vector<std::uint8_t>& buffer,
                            const HttpTimeouts& limits) -> HttpResult {
                          if (busyLeft-- > 0) {
                            // A body that would pass the validity test must still not count.
                            const std::string valid = ProductAnswer("A", "busy", {});
                            buffer.assign(valid.begin(), valid.end());
                            HttpResult result(static_cast<std::int32_t>(buffer.size()));
                            result.status = busyLeft == 1 ? 429 : 503;
                            if (busyLeft == 1) result.retryAfterMs = 30'000;
                            times.push_back(clock.nowMs() - kStart);
                            return result;
                          }
                          return catalogue.getter()(url, buffer, limits);
                        });
  EXPECT_EQ(busy.RequestProduct("A", asking()).validText(), ProductAnswer("A", "t", {}));
  // 30 s as asked, then the second back-off step (2 s) for a 503 without Retry-After.
  EXPECT_EQ(times, (std::vector<std::int64_t>{0, 30'000, 32'000}));
}

TEST_F(RetryTest, SettingsAreReadOncePerRequestRetriesIncluded) {
  int reads = 0;
  ProductRequester counted(
      [&] {
        ++reads;
        return ReadFetcherSettings(folder.path());
      },
      host, clock, catalogue.getter());
  catalogue.script("http://p/A.xml", {"", ""});
  EXPECT_EQ(counted.RequestProduct("A").kind, OutcomeKind::Answer);
  EXPECT_EQ(counted.RequestProduct("A").kind, OutcomeKind::Answer);
  EXPECT_EQ(reads, 4);
  EXPECT_EQ(counted.requestsMade(), 4);
}

// What each kind of reply comes to, with no one asked when no judge is given.
struct OutcomeCase {
  const char* name;
  std::function<HttpResult(std::vector<std::uint8_t>& buffer)> reply;
  OutcomeKind kind;
  std::optional<FailureCause> cause;
  friend void PrintTo(const OutcomeCase& row, std::ostream* out) { *out << row.name; }
};

HttpResult Body(std::vector<std::uint8_t>& buffer, const std::string& text) {
  buffer.assign(text.begin(), text.end());
  return static_cast<std::int32_t>(buffer.size());
}

HttpResult Failed(TransportErrorKind kind) {
  HttpResult result;
  result.error.kind = kind;
  return result;
}

class OutcomeTest : public ProductRequestTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(OutcomeTest, SaysWhatTheRequestCameTo) {
  settings("0");
  const OutcomeCase& c = GetParam();
  ProductRequester asker(folder.path(), host, clock,
                         [&](const std::string&, std::vector<std::uint8_t>& buffer,
                             const HttpTimeouts&) { return c.reply(buffer); });
  const RequestOutcome outcome = asker.RequestProduct("A");
  EXPECT_EQ(outcome.kind, c.kind);
  EXPECT_EQ(outcome.url, "http://p/A.xml");
  if (c.cause) {
    EXPECT_EQ(outcome.cause(), *c.cause);
  }
  EXPECT_TRUE(host.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, OutcomeTest,
    ::testing::Values(
        OutcomeCase{"Valid", [](auto& buffer) { return Body(buffer, ProductAnswer("A", "t", {})); },
                    OutcomeKind::Answer, std::nullopt},
        OutcomeCase{"Invalid",
                    [](auto& buffer) { return Body(buffer, ProductAnswer("A", "t", {}, false)); },
                    OutcomeKind::InvalidAnswer, std::nullopt},
        OutcomeCase{"EmptyBody", [](auto&) { return HttpResult(); }, OutcomeKind::Failure,
                    FailureCause::NoBody},
        OutcomeCase{"Refused", [](auto&) { return Failed(TransportErrorKind::Connection); },
                    OutcomeKind::Failure, FailureCause::Connection},
        OutcomeCase{"TimedOut", [](auto&) { return Failed(TransportErrorKind::TimedOut); },
                    OutcomeKind::Failure, FailureCause::TimedOut},
        OutcomeCase{"TooLarge", [](auto&) { return Failed(TransportErrorKind::TooLarge); },
                    OutcomeKind::Failure, FailureCause::TooLarge},
        OutcomeCase{"OutOfMemory", [](auto&) { return Failed(TransportErrorKind::OutOfMemory); },
                    OutcomeKind::Failure, FailureCause::OutOfMemory},
        OutcomeCase{"Cancelled", [](auto&) { return Failed(TransportErrorKind::Cancelled); },
                    OutcomeKind::Failure, FailureCause::Cancelled},
        OutcomeCase{"Busy",
                    [](auto& buffer) {
                      HttpResult result = Body(buffer, ProductAnswer("A", "t", {}));
                      result.status = 503;
                      return result;
                    },
                    OutcomeKind::Failure, FailureCause::Busy}),
    [](const ::testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon::fetcher
