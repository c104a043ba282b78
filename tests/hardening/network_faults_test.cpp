// A crawl through every kind of network fault the service can make ends as one
// without faults: the same record files, byte for byte, asked for in its order.
#include "tests/hardening/crawl_fixture.h"

namespace quillon::testing {
namespace {

class NetworkFaults : public CrawlFixture {};

TEST_F(NetworkFaults,
       CrawlThroughDropsEmptyBodies404sInvalidAnswersCutsAndDelaysEndsAsWithoutThem) {
  generate(400);
  serve(0, {"--log", folder.file("clean.log")});
  const auto clean = RunProgram(BuiltProgram("fetcher/fetcher"), fetcherArgs(50));
  ASSERT_EQ(clean.exitCode, 0) << clean.err;
  const std::map<std::string, std::string> expected = recordFolderBytes();
  const std::vector<LoggedRequest> order = FirstRequests(loggedRequests("clean.log"));
  ASSERT_GT(order.size(), 50u);
  std::filesystem::remove_all(records());

  serve(0, {"--seed", "7", "--drop", "0.08", "--empty", "0.08", "--not-found", "0.08", "--invalid",
            "0.08", "--truncate", "0.08", "--delay", "0.1", "--delay-ms", "20", "--log",
            folder.file("faulty.log")});
  const auto crawled =
      RunProgram(BuiltProgram("fetcher/fetcher"), fetcherArgs(50), std::chrono::minutes(5));
  ASSERT_EQ(crawled.exitCode, 0) << crawled.err.substr(
      crawled.err.size() > 3000 ? crawled.err.size() - 3000 : 0);
  // Byte for byte the records of the crawl without faults, products asked in its order.
  EXPECT_EQ(recordFolderBytes(), expected);
  EXPECT_TRUE(SameOrder(FirstRequests(loggedRequests("faulty.log")), order));
}

TEST_F(NetworkFaults, AServiceThatKeepsFailingStopsTheCrawlWithAnErrorAndKeepsWhatWasStored) {
  serve(50, {"--seed", "1", "--empty", "1"});
  const auto crawled =
      RunProgram(BuiltProgram("fetcher/fetcher"), fetcherArgs(3), std::chrono::minutes(1));
  EXPECT_EQ(crawled.exitCode, 1);
  EXPECT_NE(crawled.err.find(service->url(start)), std::string::npos) << crawled.err;
  EXPECT_TRUE(RecordFiles(records()).empty());
}

TEST_F(NetworkFaults, ADeadServiceIsReportedNotWaitedForForever) {
  serve(10, {});
  service->stop();
  const auto crawled =
      RunProgram(BuiltProgram("fetcher/fetcher"), fetcherArgs(2), std::chrono::minutes(1));
  EXPECT_EQ(crawled.exitCode, 1);
  EXPECT_NE(crawled.err.find(service->url(start) + ": gave up after 2 failed attempts"),
            std::string::npos)
      << crawled.err;
}

}  // namespace
}  // namespace quillon::testing
