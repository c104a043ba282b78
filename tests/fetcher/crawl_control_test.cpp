// Crawls the user controls: limits, stop, pause, products given up on, and the
// crawl log of every request.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <ostream>
#include <regex>
#include <sstream>

#include "common/code_page.h"
#include "fetcher/crawl.h"
#include "fetcher/crawl_log.h"
#include "tests/fetcher/fake_catalogue.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"

namespace quillon::fetcher {
namespace {

using testing::ProductAnswer;

// A host whose event pump can act as the user would between requests.
struct PumpingHost : testing::FakeHost {
  void processEvents() override {
    FakeHost::processEvents();
    if (onPump) onPump();
  }
  std::function<void()> onPump;
};

// Gives up on every product it is asked about.
struct GiveUpAlways : GoOnPolicy {
  GoOn decide(const RequestOutcome&, const ProductTries&) override { return GoOn::GiveUp; }
};

class CrawlControlTest : public ::testing::Test {
 protected:
  // S (depth 0) lists A and B; A lists C (depth 2); C lists D (depth 3).
  void SetUp() override {
    ASSERT_TRUE(WriteTextLinesAtomic(folder.file("keywords.txt"), {"本"}).ok());
    settings("");
    product("S", {{"A", "a"}, {"B", "b"}});
    product("A", {{"C", "c"}});
    product("B", {});
    product("C", {{"D", "d"}});
    product("D", {});
  }
  void settings(const std::string& lines) {
    folder.write("setting.ini",
                 "[RequestURL]\r\nPrefix=u/\r\n[DefaultSetting]\r\n" + lines + "\r\n");
  }
  void product(const std::string& asin, const std::vector<testing::Similar>& similar) {
    catalogue.set("u/" + asin, ProductAnswer(asin, "本 " + asin, similar));
  }
  Expected<CrawlEnd> crawl(GoOnPolicy* goOn = nullptr) {
    CrawlPlace place{host, clock,   folder.path(), ReadFetcherSettings(folder.path()),
                     goOn, &control};
    return CrawlSimilarProducts(place, requester, "S");
  }
  std::vector<std::string> requested() const {
    std::vector<std::string> asins;
    for (const std::string& url : catalogue.requested) asins.push_back(url.substr(2));
    return asins;
  }
  std::vector<nlohmann::json> logLines() const {
    std::vector<nlohmann::json> lines;
    std::istringstream in(folder.read(std::string(kCrawlLogName)));
    for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
    return lines;
  }

  testing::TempFolder folder;
  PumpingHost host;
  testing::FakeClock clock{1'000'000};
  testing::FakeCatalogue catalogue;
  CrawlControl control;
  ProductRequester requester{folder.path(), host, clock, catalogue.getter()};
};

struct LimitCase {
  const char* name;
  const char* settings;
  std::vector<std::string> requested;
  CrawlEnding ending;
  std::int64_t left;
  friend void PrintTo(const LimitCase& row, std::ostream* out) { *out << row.name; }
};

class LimitTest : public CrawlControlTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(LimitTest, TheCrawlKeepsItsOrderAndEndsAtTheLimit) {
  const LimitCase& c = GetParam();
  settings(c.settings);
  const Expected<CrawlEnd> end = crawl();
  ASSERT_TRUE(end.ok()) << end.error();
  EXPECT_EQ(requested(), c.requested);
  EXPECT_EQ(end.value().ending, c.ending);
  EXPECT_EQ(end.value().left, c.left);
  EXPECT_EQ(host.messages, std::vector<std::string>{"終了"});
}

INSTANTIATE_TEST_SUITE_P(
    Limits, LimitTest,
    ::testing::Values(
        LimitCase{"None", "", {"S", "B", "A", "C", "D"}, CrawlEnding::Finished, 0},
        LimitCase{"ZeroMeansNone",
                  "MaxProducts=0\r\nMaxDepth=0",
                  {"S", "B", "A", "C", "D"},
                  CrawlEnding::Finished,
                  0},
        LimitCase{"ThreeProducts", "MaxProducts=3", {"S", "B", "A"}, CrawlEnding::ProductLimit, 1},
        LimitCase{"AsManyAsThereAre",
                  "MaxProducts=5",
                  {"S", "B", "A", "C", "D"},
                  CrawlEnding::Finished,
                  0},
        LimitCase{"DepthOne", "MaxDepth=1", {"S", "B", "A"}, CrawlEnding::DepthLimit, 1},
        LimitCase{"DepthTwo", "MaxDepth=2", {"S", "B", "A", "C"}, CrawlEnding::DepthLimit, 1},
        LimitCase{"ProductsBeforeDepth",
                  "MaxProducts=2\r\nMaxDepth=1",
                  {"S", "B"},
                  CrawlEnding::ProductLimit,
                  1}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

TEST_F(CrawlControlTest, DepthZeroOnTheCommandLineFetchesTheStartAlone) {
  FetcherSettings read = ReadFetcherSettings(folder.path());
  read.limits.maxDepth = 0;
  const Expected<CrawlEnd> end =
      CrawlSimilarProducts(CrawlPlace{host, clock, folder.path(), read}, requester, "S");
  EXPECT_EQ(requested(), std::vector<std::string>{"S"});
  EXPECT_EQ(end.value().ending, CrawlEnding::DepthLimit);
  EXPECT_EQ(end.value().left, 2);
  EXPECT_NE(host.progressLines.back().find("深さ 0 で打ち切り (辿らなかった商品 2 件)"),
            std::string::npos)
      << host.progressLines.back();
}

TEST_F(CrawlControlTest, StopEndsAfterTheRequestInFlightAndKeepsItsRecord) {
  catalogue.onRequest = [&](const std::string& url) {
    if (url == "u/B") control.requestStop();
  };
  const Expected<CrawlEnd> end = crawl();
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", "B"}));
  EXPECT_TRUE(folder.exists("B.xml"));
  EXPECT_EQ(end.value().ending, CrawlEnding::Stopped);
  EXPECT_EQ(end.value().left, 1);
  EXPECT_TRUE(host.messages.empty());  // no "終了": the user ended it
  EXPECT_NE(host.progressLines.back().find("停止 (残り 1 件)"), std::string::npos);
}

TEST_F(CrawlControlTest, StopEndsTheWaitBetweenRequestsAtOnce) {
  settings("RequestInterval=60000");
  catalogue.onRequest = [&](const std::string&) {
    host.onPump = [&] {
      if (clock.totalSleptMs() >= 200) control.requestStop();
    };
  };
  const Expected<CrawlEnd> end = crawl();
  EXPECT_EQ(requested(), std::vector<std::string>{"S"});
  EXPECT_EQ(end.value().ending, CrawlEnding::Stopped);
  EXPECT_LT(clock.totalSleptMs(), 1000);  // fake time: the wait ended within a few pieces
  // B, stopped before its request, was not asked for.
  EXPECT_EQ(host.progressLines.back().rfind("要求 1 件", 0), 0u) << host.progressLines.back();
}

TEST_F(CrawlControlTest, PauseHoldsTheNextRequestUntilResumed) {
  std::size_t requestsWhilePaused = 0;
  int pumpsPaused = 0;
  catalogue.onRequest = [&](const std::string& url) {
    if (url != "u/S") return;
    control.setPaused(true);
    host.onPump = [&] {
      if (!control.paused()) return;
      requestsWhilePaused = catalogue.requested.size();
      if (++pumpsPaused == 20) control.setPaused(false);
    };
  };
  ASSERT_TRUE(crawl().ok());
  EXPECT_EQ(pumpsPaused, 20);
  EXPECT_EQ(requestsWhilePaused, 1u);  // S only
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", "B", "A", "C", "D"}));
}

TEST_F(CrawlControlTest, StopDuringAPauseEndsTheCrawl) {
  catalogue.onRequest = [&](const std::string&) { control.setPaused(true); };
  host.onPump = [&] {
    if (control.paused() && host.eventPumps > 10) control.requestStop();
  };
  EXPECT_EQ(crawl().value().ending, CrawlEnding::Stopped);
  EXPECT_EQ(requested(), std::vector<std::string>{"S"});
}

TEST_F(CrawlControlTest, ProductsGivenUpOnAreSkippedAndNamed) {
  catalogue.set("u/A", "");  // never answers
  GiveUpAlways giveUp;
  const Expected<CrawlEnd> end = crawl(&giveUp);
  ASSERT_TRUE(end.ok());
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", "B", "A"}));
  EXPECT_EQ(end.value().givenUp, std::vector<std::string>{"A"});
  EXPECT_FALSE(folder.exists("A.xml"));
  EXPECT_NE(host.progressLines.back().find("諦めた商品 1 件: A"), std::string::npos);
}

TEST_F(CrawlControlTest, EveryRequestIsLoggedWithItsAttempt) {
  catalogue.script("u/B", {"", "<Request><IsValid>False</IsValid></Request>"});
  host.answers = {true};  // go on after B's failure
  ASSERT_TRUE(crawl().ok());
  const std::vector<nlohmann::json> lines = logLines();
  ASSERT_EQ(lines.size(), 7u);
  struct Expected {
    const char* asin;
    const char* outcome;
    int attempt;
  };
  const Expected expected[] = {{"S", "answer", 1}, {"B", "failure", 1}, {"B", "invalid", 2},
                               {"B", "answer", 3}, {"A", "answer", 1},  {"C", "answer", 1},
                               {"D", "answer", 1}};
  for (std::size_t k = 0; k < lines.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(lines[k]["asin"], expected[k].asin);
    EXPECT_EQ(lines[k]["outcome"], expected[k].outcome);
    EXPECT_EQ(lines[k]["attempt"], expected[k].attempt);
  }
  EXPECT_EQ(lines[1]["cause"], "no-body");
  EXPECT_EQ(lines[1]["bytes"], 0);
  EXPECT_GT(lines[0]["bytes"].get<int>(), 0);
  EXPECT_TRUE(std::regex_match(lines[0]["time"].get<std::string>(),
                               std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)")));

  // A second crawl appends.
  ASSERT_TRUE(crawl().ok());
  EXPECT_EQ(logLines().size(), 12u);
}

TEST_F(CrawlControlTest, AFirstCrawlIntoANewRecordFolderLogsItsFirstRequest) {
  settings("XMLPath=new/records");
  ASSERT_TRUE(crawl().ok());
  EXPECT_TRUE(host.errors.empty());
  std::istringstream in(folder.read("new/records/" + std::string(kCrawlLogName)));
  std::string first;
  ASSERT_TRUE(std::getline(in, first));
  EXPECT_EQ(nlohmann::json::parse(first)["asin"], "S");
}

TEST_F(CrawlControlTest, ALogThatCannotBeWrittenIsReportedOnceAndTheCrawlGoesOn) {
  std::filesystem::create_directory(folder.file(std::string(kCrawlLogName)));
  ASSERT_TRUE(crawl().ok());
  EXPECT_EQ(requested().size(), 5u);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find(std::string(kCrawlLogName)), std::string::npos);
}

}  // namespace
}  // namespace quillon::fetcher
