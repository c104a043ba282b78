// A service that answers 429 or 503, with or without Retry-After, as the real
// product-service process does it on loopback; the waits are read off the fake clock.
#include <gtest/gtest.h>

#include <ostream>

#include "fetcher/curl_easy.h"
#include "fetcher/product_request.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_host.h"
#include "tests/support/service_process.h"
#include "tests/support/temp_folder.h"

namespace quillon::fetcher {
namespace {

const CurlGlobal curlForTests;

struct BusyCase {
  const char* name;
  std::vector<std::string> serviceArgs;
  int retryCount;
  // Least and most time from the first request to each later one, in ms.
  std::vector<std::pair<std::int64_t, std::int64_t>> later;
  friend void PrintTo(const BusyCase& row, std::ostream* out) { *out << row.name; }
};

class BusyServiceTest : public ::testing::TestWithParam<BusyCase> {
 protected:
  BusyServiceTest() {
    folder.write("catalogue.jsonl", R"({"asin": "A", "title": "本", "salesrank": 1, "similar": []})"
                                    "\n");
  }
  ProductRequester requester(const testing::ServiceProcess& service, int retryCount) {
    folder.write("setting.ini", "[RequestURL]\r\nPrefix=" + service.prefix() +
                                    "\r\nSuffix=" + service.suffix() +
                                    "\r\n[DefaultSetting]\r\nRequestInterval=0\r\nRetryCount=" +
                                    std::to_string(retryCount) + "\r\n");
    const HttpGetter curl = MakeCurlGetter();
    return ProductRequester(folder.path(), host, clock,
                            [this, curl](const std::string& url, std::vector<std::uint8_t>& buffer,
                                         const HttpTimeouts& limits) {
                              times.push_back(clock.nowMs());
                              return curl(url, buffer, limits);
                            });
  }

  testing::TempFolder folder;
  testing::FakeHost host;
  testing::FakeClock clock{1'000'000};
  std::vector<std::int64_t> times;
};

TEST_P(BusyServiceTest, BusyAnswersAreNeverTakenAndTheNextRequestWaits) {
  const BusyCase& c = GetParam();
  std::vector<std::string> args{"--catalogue", folder.file("catalogue.jsonl")};
  args.insert(args.end(), c.serviceArgs.begin(), c.serviceArgs.end());
  const testing::ServiceProcess service(args);
  ProductRequester asker = requester(service, c.retryCount);
  host.answers = {true, true, true};
  std::string text;
  for (int attempt = 0; attempt < 4 && text.empty(); ++attempt)
    text =
        asker
            .RequestProduct("A",
                            [this](const RequestOutcome& failure) {
                              AskToContinue(host, failure.url, FailureReason(failure.result, host));
                            })
            .validText();
  EXPECT_NE(text.find("<Title>本</Title>"), std::string::npos);
  ASSERT_EQ(times.size(), c.later.size() + 1);
  for (std::size_t k = 0; k < c.later.size(); ++k) {
    EXPECT_GE(times[k + 1] - times[0], c.later[k].first) << "request " << k + 1;
    EXPECT_LE(times[k + 1] - times[0], c.later[k].second) << "request " << k + 1;
  }
  // Without retries each busy answer was put to the user, naming its status.
  const std::size_t busyAnswers = c.later.size();
  EXPECT_EQ(host.questions.size(), c.retryCount == 0 ? busyAnswers : 0u);
  for (const std::string& question : host.questions)
    EXPECT_EQ(question.find("サービスが混み合っている (HTTP 4"), 0u) << question;
}

INSTANTIATE_TEST_SUITE_P(
    Service, BusyServiceTest,
    ::testing::Values(BusyCase{"Status429WithSeconds",
                               {"--busy", "2", "--retry-after", "7"},
                               5,
                               {{7000, 7000}, {14000, 14000}}},
                      BusyCase{"Status503WithDate",
                               {"--busy", "1", "--busy-status", "503", "--retry-after", "date:20"},
                               5,
                               {{18000, 20000}}},
                      BusyCase{"WithoutRetryAfterTheBackOff",
                               {"--busy", "3"},
                               5,
                               {{1000, 1000}, {3000, 3000}, {7000, 7000}}},
                      BusyCase{"WithoutRetriesAskedThenWaited",
                               {"--busy", "2", "--retry-after", "9"},
                               0,
                               {{9000, 9000}, {18000, 18000}}}),
    [](const ::testing::TestParamInfo<BusyCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon::fetcher
