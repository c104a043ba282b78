// A fetcher killed at any moment never leaves a partial or invalid record file
// or start product file, and a new crawl afterwards completes.
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "tests/hardening/crawl_fixture.h"

namespace quillon::testing {
namespace {

class KilledCrawl : public CrawlFixture {
 protected:
  // The start product and the first products it lists get titles that follow
  // only through the keyword "café", which the code page stores as "caf?".
  std::set<std::string> giveTitlesOutsideTheCodePage() {
    auto loaded = service::ProductCatalogue::LoadFile(cataloguePath());
    EXPECT_TRUE(loaded.ok()) << loaded.error();
    catalogue = std::move(loaded).value();
    const service::CatalogueProduct& first = catalogue.products().front();
    std::set<std::string> changed{first.asin};
    for (std::size_t k = 0; k < first.similar.size() && k < 3; ++k)
      changed.insert(first.similar[k]);
    std::ofstream out(cataloguePath(), std::ios::binary | std::ios::trunc);
    for (service::CatalogueProduct product : catalogue.products()) {
      if (changed.contains(product.asin)) product.title = "café Notebook " + product.asin;
      out << service::CatalogueLine(product) << '\n';
    }
    // Written anew in UTF-8, as on Linux: the code page has no "é".
    const auto lines = ReadTextLines(folder.file("keywords.txt"));
    EXPECT_TRUE(lines.ok()) << lines.error();
    std::string keywords;
    for (const std::string& keyword : lines.value()) keywords += keyword + "\r\n";
    folder.write("keywords.txt", keywords + "café\r\n");
    return changed;
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
  generate(600);
  const std::set<std::string> substituted = giveTitlesOutsideTheCodePage();
  serve(0, {"--log", folder.file("requests.log")});
  const auto whole = RunProgram(BuiltProgram("fetcher/fetcher"), fetcherArgs(5));
  ASSERT_EQ(whole.exitCode, 0) << whole.err;
  const std::map<std::string, std::string> complete = recordFolderBytes();
  const std::vector<LoggedRequest> wholeRequests = loggedRequests("requests.log");
  const std::vector<LoggedRequest> order = FirstRequests(wholeRequests);
  ASSERT_EQ(order.size() + 1, complete.size());  // and StartProductASIN.txt

  // Records cut inside SimilarProducts (still marked valid) and a killed writer's file.
  std::filesystem::remove_all(records());
  std::filesystem::create_directory(records());
  std::set<std::string> cut;
  for (const auto& [arrivedMs, asin] : order) {
    const std::string& bytes = complete.at(asin + ".xml");
    const auto list = bytes.find("<SimilarProduct>");
    if (list == std::string::npos || substituted.contains(asin)) continue;
    folder.write("records/" + asin + ".xml", bytes.substr(0, list + 20) + "\r\n");
    cut.insert(asin);
    if (cut.size() == 3) break;
  }
  folder.write("records/." + order.back().asin + ".xml.tmp-k1LL3d", "<Item");

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
  EXPECT_EQ(recordFolderBytes(), complete);

  // Every run walks the whole crawl's order; a product is asked for again only
  // when its record would lead elsewhere (asked by every run) or after a kill
  // took it in flight (at most one a kill).
  const std::vector<LoggedRequest> all = loggedRequests("requests.log");
  const std::vector<LoggedRequest> resumed(
      all.begin() + static_cast<std::ptrdiff_t>(wholeRequests.size()), all.end());
  std::set<std::string> seen;
  int inFlightAgain = 0;
  for (const LoggedRequest& r : resumed)
    if (!seen.insert(r.asin).second && !substituted.contains(r.asin)) ++inFlightAgain;
  EXPECT_TRUE(SameOrder(FirstRequests(resumed), order));
  EXPECT_LE(inFlightAgain, kKills);
  for (const std::string& asin : substituted) EXPECT_TRUE(seen.contains(asin)) << asin;
  for (const std::string& asin : cut) EXPECT_TRUE(seen.contains(asin)) << asin;
}

}  // namespace
}  // namespace quillon::testing
