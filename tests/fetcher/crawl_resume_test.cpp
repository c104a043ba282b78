// A crawl that takes stored records walks the same order as one that asks for
// everything, asks only for what is missing, stale or invalid, and leaves the
// same record folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <ostream>

#include "common/code_page.h"
#include "fetcher/answer_source.h"
#include "fetcher/crawl.h"
#include "tests/fetcher/fake_catalogue.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"

namespace quillon::fetcher {
namespace {

using testing::ProductAnswer;

struct ResumeCase {
  const char* name;
  const char* settings;  // lines added to section DefaultSetting
  std::vector<std::string> missing;
  std::vector<std::string> invalid;
  std::map<std::string, int> ageDays;  // records dated this many days back
  std::vector<std::string> requested;
  friend void PrintTo(const ResumeCase& row, std::ostream* out) { *out << row.name; }
};

class ResumeTest : public ::testing::TestWithParam<ResumeCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteTextLinesAtomic(folder.file("keywords.txt"), {"本"}).ok());
    product("S", ProductAnswer("S", "本", {{"A", "a"}, {"B", "b"}}));
    // Line breaks inside an answer: the similar products after them still count.
    std::string withBreaks = ProductAnswer("A", "本", {{"A1", "a1"}});
    withBreaks.insert(withBreaks.find("<SimilarProducts>"), "\r\n\n");
    product("A", withBreaks);
    product("B", ProductAnswer("B", "leaf", {}));
    product("A1", "<Items><Request><IsValid>True</IsValid></Request></Items>");  // no product
  }
  void product(const std::string& asin, std::string answer) {
    catalogue.set("u/" + asin, std::move(answer));
  }
  // One crawl from S with fresh host and requester; returns the ASINs requested.
  std::vector<std::string> crawl(const std::string& settings) {
    folder.write("setting.ini",
                 "[RequestURL]\r\nPrefix=u/\r\n[DefaultSetting]\r\n"
                 "RequestInterval=0\r\n" +
                     settings);
    catalogue.requested.clear();
    const std::deque<bool> answers = host.answers;
    host = {};
    host.answers = answers;
    ProductRequester requester(folder.path(), host, clock, catalogue.getter());
    EXPECT_TRUE(CrawlSimilarProducts(
                    CrawlPlace{host, clock, folder.path(), ReadFetcherSettings(folder.path())},
                    requester, "S")
                    .ok());
    std::vector<std::string> asins;
    for (const std::string& url : catalogue.requested) asins.push_back(url.substr(2));
    return asins;
  }
  std::map<std::string, std::string> records() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
      if (entry.path().extension() == ".xml")
        files[entry.path().filename()] = folder.read(entry.path().filename().string());
    return files;
  }

  testing::TempFolder folder;
  testing::FakeHost host;
  testing::FakeClock clock{1'000'000};
  testing::FakeCatalogue catalogue;
};

TEST_P(ResumeTest, AsksOnlyForWhatIsNotStoredAndEndsWithTheSameRecords) {
  const ResumeCase& c = GetParam();
  ASSERT_EQ(crawl(""), (std::vector<std::string>{"S", "B", "A", "A1"}));
  const std::map<std::string, std::string> complete = records();
  const std::vector<std::string> counters = host.textsOf(Label::Status2);

  for (const std::string& asin : c.missing) std::filesystem::remove(folder.file(asin + ".xml"));
  for (const std::string& asin : c.invalid)
    folder.write(asin + ".xml", "<Request><IsValid>False</IsValid></Request><Title>本</Title>\r\n");
  for (const auto& [asin, days] : c.ageDays)
    std::filesystem::last_write_time(
        folder.file(asin + ".xml"),
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * days));

  EXPECT_EQ(crawl(c.settings), c.requested);
  EXPECT_EQ(records(), complete);
  EXPECT_EQ(host.textsOf(Label::Status2), counters);
  EXPECT_EQ(host.messages, std::vector<std::string>{"終了"});
}

INSTANTIATE_TEST_SUITE_P(
    StoredRecords, ResumeTest,
    ::testing::Values(
        ResumeCase{"ReuseOffAsksForEverything", "", {}, {}, {}, {"S", "B", "A", "A1"}},
        ResumeCase{"EverythingStoredNothingAsked", "ReuseStoredRecords=true\r\n", {}, {}, {}, {}},
        ResumeCase{
            "NumberTurnsReuseOn", "ReuseStoredRecords=1\r\n", {"B", "A1"}, {}, {}, {"B", "A1"}},
        ResumeCase{"InvalidRecordAskedAgain", "ReuseStoredRecords=True\r\n", {}, {"A"}, {}, {"A"}},
        ResumeCase{"StaleRecordAskedAgain",
                   "ReuseStoredRecords=True\r\nStoredRecordMaxAgeDays=5\r\n",
                   {},
                   {},
                   {{"A", 10}, {"B", 1}},
                   {"A"}},
        ResumeCase{
            "AnyAgeWithoutMaximum", "ReuseStoredRecords=True\r\n", {}, {}, {{"A", 900}}, {}}),
    [](const ::testing::TestParamInfo<ResumeCase>& info) { return std::string(info.param.name); });

TEST_F(ResumeTest, StoredRecordsThatWouldLeadElsewhereAreAskedForAgain) {
  // "é" is not in the code page: the record's title becomes "caf?", no keyword.
  folder.write("keywords.txt", "本\r\ncafé\r\n");  // UTF-8, as written on Linux
  product("B", ProductAnswer("B", "café", {{"C", "c"}}));
  product("C", ProductAnswer("C", "leaf", {}));
  ASSERT_EQ(crawl(""), (std::vector<std::string>{"S", "B", "A", "C", "A1"}));
  const std::map<std::string, std::string> complete = records();
  const std::vector<std::string> counters = host.textsOf(Label::Status2);
  // Cut inside SimilarProducts, still marked valid: A1 would be lost.
  const std::string& a = complete.at("A.xml");
  folder.write("A.xml", a.substr(0, a.find("<SimilarProducts>") + 20) + "\r\n");

  EXPECT_EQ(crawl("ReuseStoredRecords=True\r\n"), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(records(), complete);
  EXPECT_EQ(host.textsOf(Label::Status2), counters);
}

struct StoredTextCase {
  const char* name;
  std::string text;
  bool reusable;
  friend void PrintTo(const StoredTextCase& row, std::ostream* out) { *out << row.name; }
};

class StoredTextTest : public ::testing::TestWithParam<StoredTextCase> {};

TEST_P(StoredTextTest, OnlyACompleteRecordWithoutSubstitutesIsReused) {
  EXPECT_EQ(GivesTheAnswersDecisions(GetParam().text), GetParam().reusable);
}

const std::string kAnswer = ProductAnswer("S", "本", {{"A", "a?"}});

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredTextTest,
    ::testing::Values(
        StoredTextCase{"Complete", kAnswer, true},
        StoredTextCase{"LineBreaksAfterTheEnd", kAnswer + "\r\n \n", true},
        StoredTextCase{"CommentAndNoDeclaration", "<!-- c --><Items></Items >", true},
        StoredTextCase{"CutInsideSimilarProducts", kAnswer.substr(0, kAnswer.size() - 30), false},
        StoredTextCase{"CutInTheClosingTag", kAnswer.substr(0, kAnswer.size() - 1), false},
        StoredTextCase{"EndsAtAnInnerElement", kAnswer.substr(0, kAnswer.size() - 8), false},
        StoredTextCase{"NoElement", "True", false},
        StoredTextCase{"TitleWithSubstitute", ProductAnswer("S", "caf?", {}), false},
        StoredTextCase{"SimilarAsinWithSubstitute", ProductAnswer("S", "本", {{"A?", "a"}}),
                       false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResumeTest, SummaryCountsEachSource) {
  crawl("");
  std::filesystem::remove(folder.file("B.xml"));
  catalogue.script("u/B", {""});  // one failed retrieval, retried after the prompt
  host.answers = {true};
  crawl("ReuseStoredRecords=True\r\n");
  ASSERT_FALSE(host.progressLines.empty());
  EXPECT_EQ(host.progressLines.back(),
            "要求 1 件 · 保存済みから 3 件 · 再試行 1 回 · 商品なし 1 件 · 所要 0:00:00");
}

}  // namespace
}  // namespace quillon::fetcher
