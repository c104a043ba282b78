#include "fetcher/crawl.h"

#include <gtest/gtest.h>

#include <ostream>

#include "common/code_page.h"
#include "common/working_folder.h"
#include "service/product_server.h"
#include "service/xml_answer.h"
#include "tests/fetcher/fake_catalogue.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"

namespace quillon::fetcher {
namespace {

using testing::FakeCatalogue;
using testing::FakeHost;
using testing::ProductAnswer;
using testing::Similar;
using testing::TempFolder;

class CrawlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.write("setting.ini",
                 "[RequestURL]\r\nPrefix=u/\r\n[DefaultSetting]\r\nRequestInterval=0\r\n");
    keywords({"本"});
  }
  void keywords(const std::vector<std::string>& lines) {
    ASSERT_TRUE(WriteTextLinesAtomic(folder.file("keywords.txt"), lines).ok());
  }
  void product(const std::string& asin, const std::string& title,
               const std::vector<Similar>& similar = {}) {
    catalogue.set("u/" + asin, ProductAnswer(asin, title, similar));
  }
  Expected<CrawlEnd> crawl(const std::string& start) {
    return CrawlSimilarProducts(
        CrawlPlace{host, clock, folder.path(), ReadFetcherSettings(folder.path())}, requester,
        start);
  }
  std::vector<std::string> requested() const {
    std::vector<std::string> asins;
    for (const std::string& url : catalogue.requested) asins.push_back(url.substr(2));
    return asins;
  }

  TempFolder folder;
  FakeHost host;
  testing::FakeClock clock{1'000'000};
  FakeCatalogue catalogue;
  ProductRequester requester{folder.path(), host, clock, catalogue.getter()};
};

TEST_F(CrawlTest, TitleWithoutKeywordStoresTheRecordAndEnds) {
  product("S", "雑誌", {{"A", "本 A"}});
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_EQ(requested(), std::vector<std::string>{"S"});
  EXPECT_EQ(LoadProductRecord(folder.path(), "S"), ProductAnswer("S", "雑誌", {{"A", "本 A"}}));
  EXPECT_EQ(host.label(Label::Status2), "取得済 : 0/0");
  EXPECT_EQ(host.label(Label::Status3), "");
  EXPECT_EQ(host.messages, std::vector<std::string>{"終了"});
  EXPECT_EQ(ReadStartProductAsin(folder.path()).value(), "S");
}

TEST_F(CrawlTest, SimilarProductsAreQueuedInReverseAndListedWaiting) {
  product("S", "本 start", {{"A", "title A"}, {"B", "title B"}, {"C", "title C"}});
  product("A", "a");
  product("B", "b");
  product("C", "c");
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", "C", "B", "A"}));
  EXPECT_EQ(
      host.textsOf(Label::Status2),
      (std::vector<std::string>{"取得済 : 0/3", "取得済 : 1/3", "取得済 : 2/3", "取得済 : 3/3"}));
  EXPECT_EQ(
      host.textsOf(Label::Status3),
      (std::vector<std::string>{"1 : C title C\r\n2 : B title B\r\n3 : A title A\r\n",
                                "2 : B title B\r\n3 : A title A\r\n", "3 : A title A\r\n", ""}));
  for (const char* asin : {"S", "A", "B", "C"})
    EXPECT_TRUE(folder.exists(std::string(asin) + ".xml")) << asin;
}

TEST_F(CrawlTest, WaitingListShowsDecodedTitlesAndTheRecordKeepsTheAnswer) {
  product("S", "本", {{"A", "Tom &amp; Jerry &#x41;&lt;"}});
  product("A", "a");
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_EQ(host.textsOf(Label::Status3).front(), "1 : A Tom & Jerry A<\r\n");
  EXPECT_EQ(LoadProductRecord(folder.path(), "S"),
            ProductAnswer("S", "本", {{"A", "Tom &amp; Jerry &#x41;&lt;"}}));
}

TEST_F(CrawlTest, BreadthFirstOverSeveralLevels) {
  product("S", "本", {{"A", ""}, {"B", ""}});
  product("A", "本", {{"A1", ""}, {"A2", ""}});
  product("B", "本", {{"B1", ""}});
  for (const char* leaf : {"A1", "A2", "B1"}) product(leaf, "leaf");
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", "B", "A", "B1", "A2", "A1"}));
}

TEST_F(CrawlTest, DuplicateTestIsExactAndLooksAtTheQueueOnly) {
  // The start ASIN typed in lower case does not match the service's upper case;
  // a product listed twice in one answer is queued twice.
  product("b001", "本", {{"B001", "x"}, {"b001", "self"}, {"D", "d"}, {"D", "d again"}});
  product("B001", "本", {{"D", "seen"}, {"b001", "start"}});
  product("D", "other");
  ASSERT_TRUE(crawl("b001").ok());
  EXPECT_EQ(requested(), (std::vector<std::string>{"b001", "D", "D", "B001"}));
  EXPECT_EQ(host.textsOf(Label::Status3).front(), "1 : D d again\r\n2 : D d\r\n3 : B001 x\r\n");
}

struct KeywordCase {
  const char* name;
  std::vector<std::string> keywords;
  std::string title;
  bool followed;
  // CTest lists a row by its name.
  friend void PrintTo(const KeywordCase& row, std::ostream* out) { *out << row.name; }
};

class KeywordFilterTest : public CrawlTest, public ::testing::WithParamInterface<KeywordCase> {};

TEST_P(KeywordFilterTest, FollowsWhenAKeywordOccursInTheTitle) {
  const KeywordCase& c = GetParam();
  keywords(c.keywords);
  product("S", c.title, {{"A", ""}});
  product("A", "leaf");
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_EQ(requested().size(), c.followed ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, KeywordFilterTest,
    ::testing::Values(KeywordCase{"CaseIgnored", {"abc"}, "ABC Book", true},
                      KeywordCase{"Absent", {"xyz"}, "ABC Book", false},
                      KeywordCase{"FullWidthTitle", {"abc"}, "ＡＢＣの本", true},
                      KeywordCase{"KatakanaMatchesHiragana", {"ほん"}, "ホンの話", true},
                      KeywordCase{"SecondKeyword", {"xyz", "Book"}, "ABC Book", true},
                      KeywordCase{"EmptyLineMatchesAnyTitle", {"xyz", ""}, "ABC", true},
                      KeywordCase{"EmptyTitleMatchesNothing", {""}, "", false},
                      KeywordCase{"NoKeywordLines", {}, "ABC", false},
                      KeywordCase{"EscapedTitleIsText", {"Tom & Jerry"}, "Tom &amp; Jerry", true},
                      KeywordCase{"EntityNameIsNoText", {"amp"}, "Tom &amp; Jerry", false},
                      KeywordCase{"CharacterReference", {"本"}, "&#26412;", true}),
    [](const ::testing::TestParamInfo<KeywordCase>& info) { return std::string(info.param.name); });

TEST_F(CrawlTest, InvalidAnswersAreRetriedPacedAndNeverStored) {
  folder.write("setting.ini", "[RequestURL]\r\nPrefix=u/\r\n");  // default interval 1000
  const std::string refused = ProductAnswer("S", "本", {}, false);
  catalogue.script("u/S", {refused, refused});
  product("S", "本");
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", "S", "S"}));
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(clock.totalSleptMs(), 2000);  // each retry waits the interval
  EXPECT_EQ(LoadProductRecord(folder.path(), "S"), ProductAnswer("S", "本", {}));
}

TEST_F(CrawlTest, TenInvalidAnswersInARowAskWhetherToGoOn) {
  const std::string refused = ProductAnswer("S", "本", {}, false);
  catalogue.script("u/S", std::vector<std::string>(12, refused));
  product("S", "本");
  host.answers = {true};
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_EQ(host.questions,
            std::vector<std::string>{"u/Sの応答が10回続けて無効だったわけだが。続ける？"});
  EXPECT_EQ(requested().size(), 13u);
}

TEST_F(CrawlTest, DecliningAfterInvalidAnswersEndsTheProgram) {
  catalogue.set("u/S", ProductAnswer("S", "本", {}, false));
  EXPECT_THROW(crawl("S"), EndProgram);
  EXPECT_EQ(requested().size(), 10u);
  EXPECT_FALSE(folder.exists("S.xml"));
}

TEST_F(CrawlTest, RetriesLetTheWindowCloseTheProgram) {
  catalogue.set("u/S", ProductAnswer("S", "本", {}, false));
  host.quitAfterPumps = 3;
  EXPECT_THROW(crawl("S"), EndProgram);
  EXPECT_EQ(requested().size(), 3u);
}

TEST_F(CrawlTest, FailedRetrievalAsksAndNoWritesNothingFurther) {
  product("S", "本", {{"A", ""}, {"B", ""}});
  product("B", "b");
  host.answers = {true, false};  // A is not in the catalogue: its body is empty
  EXPECT_THROW(crawl("S"), EndProgram);
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", "B", "A", "A"}));
  EXPECT_EQ(host.questions.size(), 2u);
  EXPECT_TRUE(folder.exists("B.xml"));
  EXPECT_FALSE(folder.exists("A.xml"));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(CrawlTest, CloseDuringARequestEndsAfterThatProductIsStored) {
  product("S", "本", {{"A", ""}, {"B", ""}});
  product("B", "本", {{"C", ""}});
  // The close arrives while B is being requested and is seen at the next event pump.
  catalogue.onRequest = [this](const std::string& url) {
    if (url == "u/B") host.quitAfterPumps = host.eventPumps + 1;
  };
  EXPECT_THROW(crawl("S"), EndProgram);
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", "B"}));
  EXPECT_TRUE(folder.exists("B.xml"));
  EXPECT_EQ(host.label(Label::Status2), "取得済 : 1/3");
}

TEST_F(CrawlTest, SecondRunRequestsEverythingAgainAndReplacesRecords) {
  product("S", "本", {{"A", ""}});
  product("A", "first");
  ASSERT_TRUE(crawl("S").ok());
  product("A", "second");
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", "A", "S", "A"}));
  EXPECT_EQ(LoadProductRecord(folder.path(), "A"), ProductAnswer("A", "second", {}));
  EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(CrawlTest, EmptyStartAsinIsRequestedLikeAnyOther) {
  catalogue.set("u/", ProductAnswer("", "empty", {}));
  ASSERT_TRUE(crawl("").ok());
  EXPECT_EQ(catalogue.requested, std::vector<std::string>{"u/"});
  EXPECT_EQ(folder.read("StartProductASIN.txt"), "\r\n");
  EXPECT_TRUE(folder.exists(".xml"));
}

TEST_F(CrawlTest, AsinsThatCouldNameAnotherFolderAreRefused) {
  product("S", "本", {{"../evil", ""}, {"sub/x", ""}, {"ok", ""}});
  product("ok", "fine");
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", "ok"}));

  const auto refused = crawl("../S");
  ASSERT_FALSE(refused.ok());
  EXPECT_NE(refused.error().find("../S"), std::string::npos);
  EXPECT_EQ(requested().size(), 2u);
}

TEST_F(CrawlTest, AProductWhoseRecordCannotBeNamedIsReportedAndTheCrawlGoesOn) {
  const std::string longest(251, 'L');  // L...L.xml: 255 bytes, a legal name
  const std::string tooLong(252, 'T');  // 256 bytes
  product("S", "本", {{"A", ""}, {tooLong, ""}, {longest, ""}});
  product(longest, "long");
  product(tooLong, "本 too long", {{"B", ""}});
  product("A", "a");
  product("B", "b");
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_EQ(requested(), (std::vector<std::string>{"S", longest, tooLong, "A", "B"}));
  EXPECT_TRUE(folder.exists(longest + ".xml"));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find(tooLong + ".xml"), std::string::npos) << host.errors[0];
  for (const char* asin : {"S", "A", "B"}) EXPECT_TRUE(folder.exists(std::string(asin) + ".xml"));
  EXPECT_EQ(host.messages, std::vector<std::string>{"終了"});
}

TEST_F(CrawlTest, StaleTemporaryFilesOfAKilledCrawlAreRemovedAtTheStart) {
  folder.write(".A.xml.tmp-k1LL3d", "<ItemLookupResponse><Items><Request><IsVal");
  folder.write(".StartProductASIN.txt.tmp-Old123", "S");
  product("S", "雑誌");
  ASSERT_TRUE(crawl("S").ok());
  EXPECT_FALSE(folder.exists(".A.xml.tmp-k1LL3d"));
  EXPECT_FALSE(folder.exists(".StartProductASIN.txt.tmp-Old123"));
}

TEST_F(CrawlTest, MissingKeywordsFileStopsBeforeAnyRequest) {
  std::filesystem::remove(folder.file("keywords.txt"));
  const auto crawled = crawl("S");
  ASSERT_FALSE(crawled.ok());
  EXPECT_NE(crawled.error().find("keywords.txt"), std::string::npos);
  EXPECT_TRUE(catalogue.requested.empty());
  EXPECT_FALSE(folder.exists("StartProductASIN.txt"));
}

TEST_F(CrawlTest, UnwritableRecordFolderStopsTheCrawl) {
  // A missing record folder is made; one behind a file cannot be.
  folder.write("blocked", "");
  folder.write("setting.ini",
               "[RequestURL]\r\nPrefix=u/\r\n[DefaultSetting]\r\nRequestInterval=0\r\nXMLPath=" +
                   folder.file("blocked/deeper") + "\r\n");
  product("S", "本");
  const auto crawled = crawl("S");
  ASSERT_FALSE(crawled.ok());
  EXPECT_NE(crawled.error().find("StartProductASIN.txt"), std::string::npos);
  EXPECT_EQ(requested(), std::vector<std::string>{"S"});
}

TEST_F(CrawlTest, StartAsinTheServiceNamesNoProductForKeepsThePreviousStartFile) {
  folder.write("StartProductASIN.txt", "OLD\r\n");
  catalogue.set("u/NOSUCH",
                "<Items><Request><IsValid>True</IsValid><Errors><Error><Message>NOSUCH is not a "
                "valid value</Message></Error></Errors></Request></Items>");
  const auto crawled = crawl("NOSUCH");
  ASSERT_FALSE(crawled.ok());
  EXPECT_EQ(crawled.failure().kind, FailureKind::UnknownStartProduct);
  EXPECT_NE(crawled.error().find("NOSUCH"), std::string::npos);
  EXPECT_EQ(requested(), std::vector<std::string>{"NOSUCH"});
  EXPECT_EQ(folder.read("StartProductASIN.txt"), "OLD\r\n");
  EXPECT_FALSE(folder.exists("NOSUCH.xml"));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(CrawlTest, WaitingListShowsOnlyWhatTheLabelCanHold) {
  std::vector<Similar> many;
  for (int i = 0; i < 250; ++i) many.push_back({std::string("P").append(std::to_string(i)), "t"});
  product("S", "雑誌");
  catalogue.set("u/S", ProductAnswer("S", "本", many));
  host.quitAfterPumps = 251;  // stop after the start product's progress
  EXPECT_THROW(crawl("S"), EndProgram);
  EXPECT_EQ(host.label(Label::Status2), "取得済 : 0/250");
  const std::string waiting = host.label(Label::Status3);
  EXPECT_EQ(std::count(waiting.begin(), waiting.end(), '\n'), 100);
  EXPECT_TRUE(waiting.starts_with("1 : P249 t\r\n"));
  EXPECT_TRUE(waiting.ends_with("100 : P150 t\r\n"));
}

// Typed, pasted or listed by the service, an ASIN with a blank is asked for over
// the network and stored under its own name.
TEST(CrawlOverLoopback, AsinsWithBlanksAreRequestedAndStoredUnderTheirName) {
  service::ProductCatalogue products;
  ASSERT_TRUE(products.add({" A B ", "a book", 1, {"C D"}}).ok());
  ASSERT_TRUE(products.add({"C D", "other", 2, {}}).ok());
  const service::ProductServer server(products);
  TempFolder folder;
  folder.write("setting.ini", "[RequestURL]\r\nPrefix=" + server.prefix() +
                                  "\r\nSuffix=" + server.suffix() +
                                  "\r\n[DefaultSetting]\r\nRequestInterval=0\r\n");
  folder.write("keywords.txt", "book\r\n");
  FakeHost host;
  testing::FakeClock clock{1'000'000};
  ProductRequester requester(folder.path(), host, clock, MakeCurlGetter());

  ASSERT_TRUE(CrawlSimilarProducts(
                  CrawlPlace{host, clock, folder.path(), ReadFetcherSettings(folder.path())},
                  requester, " A B ")
                  .ok());
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(LoadProductRecord(folder.path(), " A B "),
            service::ProductAnswer(products, *products.find(" A B ")));
  EXPECT_EQ(LoadProductRecord(folder.path(), "C D"),
            service::ProductAnswer(products, *products.find("C D")));
}

}  // namespace
}  // namespace quillon::fetcher
