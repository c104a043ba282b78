// A fetcher killed at any moment never leaves a partial or invalid record file
// or start product file, and a new crawl afterwards completes.
#include <signal.h>

#include <random>
#include <thread>

#include "tests/hardening/crawl_fixture.h"

namespace quillon::testing {
namespace {

class KilledCrawl : public CrawlFixture {};

TEST_F(KilledCrawl, SigkillAtRandomMomentsLosesNothingAndANewCrawlCompletes) {
  serve(600, {"--seed", "2", "--delay", "0.2", "--delay-ms", "2"});
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> afterMs(5, 400);
  const std::string previousStart = "PREVIOUS\r\n";
  for (int run = 0; run < 8; ++run) {
    folder.write("records/StartProductASIN.txt", previousStart);  // an earlier crawl's
    ChildProcess fetcher(BuiltProgram("fetcher/fetcher"), fetcherArgs(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(afterMs(random)));
    fetcher.kill(SIGKILL);
    for (const std::string& asin : RecordFiles(records())) {
      const std::string problem = RecordProblem(records(), asin);
      EXPECT_TRUE(problem.empty()) << "run " << run << ": " << problem;
    }
    // The old start file or the new one, whole, never a missing or partial one.
    const std::string startFile = folder.read("records/StartProductASIN.txt");
    EXPECT_TRUE(startFile == previousStart || startFile == start + "\r\n")
        << "run " << run << ": \"" << startFile << "\"";
  }
  const auto crawled = RunProgram(BuiltProgram("fetcher/fetcher"), fetcherArgs(5));
  ASSERT_EQ(crawled.exitCode, 0) << crawled.err;
  expectCompleteCrawl();
  EXPECT_EQ(folder.read("records/StartProductASIN.txt"), start + "\r\n");
}

}  // namespace
}  // namespace quillon::testing
