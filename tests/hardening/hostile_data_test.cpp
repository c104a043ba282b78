// A service answering with hostile data: huge bodies and titles, a huge list of
// similar products, ASINs that try to leave the record folder, control
// characters and invalid UTF-8. No crash, no file outside the record folder.
#include <fstream>

#include "tests/hardening/crawl_fixture.h"

namespace quillon::testing {
namespace {

class HostileData : public CrawlFixture {
 protected:
  void writeCatalogue() {
    std::ofstream out(cataloguePath(), std::ios::binary);
    out << R"({"asin":"S0","title":"cat start","salesrank":1,"similar":)"
        << R"(["LONG","MANY","BIG","BADUTF","../evil","ctl\u0001x","a/b"]})" << '\n';
    out << R"({"asin":"LONG","title":"cat )" << std::string(100000, 'w') << R"(","salesrank":2})"
        << '\n';
    out << R"({"asin":"MANY","title":"cat many","salesrank":3,"similar":[)";
    for (int i = 0; i < 10000; ++i) out << (i ? "," : "") << "\"U" << i << '"';
    out << "]}\n";
    out << R"({"asin":"BIG","title":")" << std::string(50 * 1000 * 1000, 'x')
        << R"(","salesrank":4})" << '\n';
    // "cat " and three bytes that are not UTF-8.
    out << R"({"asin":"BADUTF","raw_title_hex":"63617420fffe80","salesrank":5})" << '\n';
    out << R"({"asin":"../evil","title":"cat evil","salesrank":6})" << '\n';
    out << R"({"asin":"ctl\u0001x","title":"cat control","salesrank":7})" << '\n';
    std::ofstream(folder.file("keywords.txt"), std::ios::binary) << "cat\r\n";
  }
};

TEST_F(HostileData, CrawlAndLoadSurviveAndNothingLeavesTheRecordFolder) {
  writeCatalogue();
  serve(0, {});
  const auto crawled =
      RunProgram(BuiltProgram("fetcher/fetcher"), fetcherArgs(3), std::chrono::minutes(5));
  ASSERT_EQ(crawled.exitCode, 0) << crawled.err.substr(0, 2000);
  expectCompleteCrawl();
  EXPECT_EQ(RecordFiles(records()).count("MANY"), 1u);
  EXPECT_EQ(RecordFiles(records()).size(), 5u + 10000u);  // S0 LONG MANY BIG BADUTF, U0..U9999

  // Only what the test wrote lies beside the record folder.
  std::set<std::string> beside;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
    beside.insert(entry.path().filename().string());
  EXPECT_EQ(beside,
            (std::set<std::string>{"catalogue.jsonl", "keywords.txt", "records", "setting.ini"}));

  const auto loaded = RunProgram(BuiltProgram("grapher/grapher"),
                                 {"--folder", folder.path(), "--json", folder.file("c.json")},
                                 std::chrono::minutes(5));
  EXPECT_EQ(loaded.exitCode, 0) << loaded.err.substr(0, 2000);
  EXPECT_GT(std::filesystem::file_size(folder.file("c.json")), 10000u);
}

}  // namespace
}  // namespace quillon::testing
