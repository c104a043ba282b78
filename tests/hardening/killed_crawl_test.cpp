// A fetcher killed at any moment never leaves a partial or invalid record file
// or start product file, and a new crawl afterwards completes.
#include <signal.h>

#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "tests/hardening/crawl_fixture.h"

namespace quillon::testing {
namespace {

class KilledCrawl : public CrawlFixture {
 protected:
  // The record files and the start product file by name, as bytes (the
  // temporary file of a write cut short by SIGKILL is none of them).
  std::map<std::string, std::string> recordFolderBytes() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(records())) {
      const std::string name = entry.path().filename().string();
      if (!name.starts_with(".")) files[name] = folder.read("records/" + name);
    }
    return files;
  }
  // Product requests the service has logged so far.
  std::size_t loggedRequests() const {
    std::istringstream log(folder.read("requests.log"));
    std::size_t count = 0;
    for (std::string line; std::getline(log, line);) count += line.find("/products/") != line.npos;
    return count;
  }
};

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

TEST_F(KilledCrawl, ResumedAfterKillsAsksOnlyForWhatIsMissingAndEndsLikeAWholeCrawl) {
  serve(600, {"--log", folder.file("requests.log")});
  const auto whole = RunProgram(BuiltProgram("fetcher/fetcher"), fetcherArgs(5));
  ASSERT_EQ(whole.exitCode, 0) << whole.err;
  const std::map<std::string, std::string> complete = recordFolderBytes();
  std::filesystem::remove_all(records());
  std::filesystem::create_directory(records());
  const std::size_t requestsBefore = loggedRequests();

  std::vector<std::string> resume = fetcherArgs(5);
  resume.push_back("--resume");
  std::mt19937 random(777);
  std::uniform_int_distribution<int> afterMs(5, 300);
  constexpr int kKills = 8;
  for (int run = 0; run < kKills; ++run) {
    ChildProcess fetcher(BuiltProgram("fetcher/fetcher"), resume);
    std::this_thread::sleep_for(std::chrono::milliseconds(afterMs(random)));
    fetcher.kill(SIGKILL);
  }
  const auto finished = RunProgram(BuiltProgram("fetcher/fetcher"), resume);
  ASSERT_EQ(finished.exitCode, 0) << finished.err;
  const std::map<std::string, std::string> resumed = recordFolderBytes();
  EXPECT_EQ(resumed.size(), complete.size());
  for (const auto& [name, bytes] : complete) {
    const auto found = resumed.find(name);
    EXPECT_TRUE(found != resumed.end() && found->second == bytes)
        << name << " differs or is missing";
  }
  // One request per record, and at most one more for each kill: the one in flight.
  const std::size_t records = complete.size() - 1;  // StartProductASIN.txt
  EXPECT_LE(loggedRequests() - requestsBefore, records + kKills);
  EXPECT_GE(loggedRequests() - requestsBefore, records);
}

}  // namespace
}  // namespace quillon::testing
