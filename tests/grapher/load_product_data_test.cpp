// The load command against real files in a temporary folder.
#include "grapher/catalogue/load_product_data.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/working_folder.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"

namespace quillon::grapher {
namespace {

using quillon::testing::FakeHost;
using quillon::testing::TempFolder;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::string Record(const std::string& title, const std::vector<std::string>& similar,
                   const std::string& rank = "1") {
  std::string text = "<Request><IsValid>True</IsValid></Request><Title>" + title +
                     "</Title><SalesRank>" + rank + "</SalesRank><SimilarProducts>";
  for (const std::string& asin : similar)
    text += "<SimilarProduct><ASIN>" + asin + "</ASIN><Title>x</Title></SimilarProduct>";
  return text + "</SimilarProducts>";
}

class LoadTest : public ::testing::Test {
 protected:
  void SetUp() override { setKeywords({"kw"}); }

  void setKeywords(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += Utf8ToCodePage(line) + "\r\n";
    folder.write("keywords.txt", bytes);
  }
  void setStart(const std::string& asin) { folder.write("StartProductASIN.txt", asin + "\r\n"); }
  void addRecord(const std::string& asin, const std::string& text) {
    ASSERT_TRUE(WriteProductRecord(folder.path(), asin, text));
  }
  Status load() { return LoadProductData(folder.path(), catalogue, host); }
  std::vector<std::string> asins() const {
    std::vector<std::string> result;
    for (const Product& p : catalogue.ProductTable) result.push_back(p.ASIN);
    return result;
  }
  const Product& product(std::size_t i) const { return catalogue.ProductTable.at(i); }

  TempFolder folder;
  FakeHost host;
  Catalogue catalogue;
};

TEST_F(LoadTest, StartProductWithoutRecordIsASingleLeaf) {
  setStart("LONELY");
  ASSERT_TRUE(load());
  EXPECT_THAT(asins(), ElementsAre("LONELY"));
  EXPECT_EQ(product(0).Title, "");
  EXPECT_EQ(product(0).KeyWordIndex, -1);
  EXPECT_THAT(host.textsOf(Label::Status2), ElementsAre("1/1"));
  EXPECT_THAT(host.textsOf(Label::Status), ElementsAre("商品データ読み込み中", "正常終了"));
}

TEST_F(LoadTest, SimilarAndReferrerListsFollowProcessingOrder) {
  // A names B and C; B names C; C names A: B and C list no referrer for A.
  setStart("A");
  addRecord("A", Record("a", {"B", "C"}));
  addRecord("B", Record("b", {"C"}));
  addRecord("C", Record("c", {"A"}));
  ASSERT_TRUE(load());
  EXPECT_THAT(asins(), ElementsAre("A", "B", "C"));
  EXPECT_THAT(product(0).SimilarIndex, ElementsAre(1, 2));
  EXPECT_THAT(product(1).SimilarIndex, ElementsAre(2));
  EXPECT_THAT(product(2).SimilarIndex, ElementsAre(0));
  EXPECT_THAT(product(0).ReferrerIndex, ElementsAre(2));
  EXPECT_THAT(product(0).ReferrerASIN, ElementsAre("C"));
  EXPECT_THAT(product(1).ReferrerIndex, IsEmpty());
  EXPECT_THAT(product(2).ReferrerIndex, ElementsAre(1));
  EXPECT_THAT(product(2).ReferrerASIN, ElementsAre("B"));
  EXPECT_THAT(product(0).SimilarASIN, ElementsAre("B", "C"));
  EXPECT_THAT(host.textsOf(Label::Status2), ElementsAre("1/3", "2/3", "3/3"));
}

TEST_F(LoadTest, SelfReferenceMakesTheProductItsOwnReferrer) {
  setStart("S");
  addRecord("S", Record("s", {"S"}));
  ASSERT_TRUE(load());
  EXPECT_THAT(asins(), ElementsAre("S"));
  EXPECT_THAT(product(0).SimilarIndex, ElementsAre(0));
  EXPECT_THAT(product(0).ReferrerIndex, ElementsAre(0));
  EXPECT_THAT(product(0).ReferrerASIN, ElementsAre("S"));
}

TEST_F(LoadTest, SecondEntryOfTheSameAsinBecomesAReferrer) {
  setStart("A");
  addRecord("A", Record("a", {"B", "B"}));
  ASSERT_TRUE(load());
  EXPECT_THAT(asins(), ElementsAre("A", "B"));
  EXPECT_THAT(product(0).SimilarIndex, ElementsAre(1, 1));
  EXPECT_THAT(product(1).ReferrerIndex, ElementsAre(0));
}

TEST_F(LoadTest, AsinsDifferingInCaseAreDifferentProducts) {
  setStart("AB");
  addRecord("AB", Record("a", {"ab", "AB", "Ab"}));
  ASSERT_TRUE(load());
  EXPECT_THAT(asins(), ElementsAre("AB", "ab", "Ab"));
  EXPECT_THAT(product(0).SimilarIndex, ElementsAre(1, 0, 2));
}

TEST_F(LoadTest, ProductsAppearBreadthFirst) {
  setStart("R");
  addRecord("R", Record("r", {"X", "Y"}));
  addRecord("X", Record("x", {"X1", "Y"}));
  addRecord("Y", Record("y", {"Y1", "R"}));
  addRecord("X1", Record("x1", {"Z"}));
  ASSERT_TRUE(load());
  EXPECT_THAT(asins(), ElementsAre("R", "X", "Y", "X1", "Y1", "Z"));
  EXPECT_THAT(product(2).ReferrerIndex, ElementsAre(1));
  EXPECT_THAT(product(0).ReferrerIndex, ElementsAre(2));
}

struct KeyWordCase {
  const char* name;
  std::vector<std::string> keywords;
  std::string title;
  std::int32_t expected;
};

class KeyWordIndexTest : public LoadTest, public ::testing::WithParamInterface<KeyWordCase> {};

TEST_P(KeyWordIndexTest, LowestMatchingKeyWordWins) {
  setKeywords(GetParam().keywords);
  setStart("P");
  addRecord("P", Record(GetParam().title, {}));
  ASSERT_TRUE(load());
  EXPECT_EQ(product(0).KeyWordIndex, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, KeyWordIndexTest,
    ::testing::Values(KeyWordCase{"LowestIndexWins", {"red", "big", "pen"}, "a big red pen", 0},
                      KeyWordCase{"OnlyLaterKeyWord", {"red", "big", "pen"}, "fountain pen", 2},
                      KeyWordCase{"NoKeyWord", {"red", "big", "pen"}, "blue ink", -1},
                      KeyWordCase{"CaseIgnored", {"red", "PEN"}, "Fountain Pen", 1},
                      KeyWordCase{"WidthAndKanaIgnored", {"ｶﾒﾗ"}, "デジタルかめら", 0},
                      KeyWordCase{"EmptyFirstLineMatchesEveryTitle", {"", "pen"}, "pen", 0},
                      KeyWordCase{"EmptyLineMatchesNoEmptyTitle", {"", "pen"}, "", -1},
                      KeyWordCase{"EscapedTitleIsText", {"amp", "R&D"}, "R&amp;D", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoadTest, TitlesAreDecodedText) {
  setStart("P");
  addRecord("P", Record("Tom &amp; Jerry &#x3042;&#0; &bogus;", {}));
  ASSERT_TRUE(load());
  EXPECT_EQ(product(0).Title, "Tom & Jerry \xE3\x81\x82&#0; &bogus;");
}

struct RankCase {
  const char* name;
  std::string text;
  std::int32_t expected;
};

class SalesRankTest : public LoadTest, public ::testing::WithParamInterface<RankCase> {};

TEST_P(SalesRankTest, LeadingNumberRoundedHalfToEven) {
  setStart("P");
  addRecord("P", Record("t", {}, GetParam().text));
  ASSERT_TRUE(load());
  EXPECT_EQ(product(0).SalesRank, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Ranks, SalesRankTest,
                         ::testing::Values(RankCase{"Whole", "1234", 1234},
                                           RankCase{"HalfDown", "12.5", 12},
                                           RankCase{"HalfUp", "13.5", 14}, RankCase{"Empty", "", 0},
                                           RankCase{"NotANumber", "abc", 0},
                                           RankCase{"TrailingText", "42 位", 42},
                                           RankCase{"BeyondRange", "99999999999", INT32_MAX},
                                           RankCase{"BelowRange", "-99999999999", INT32_MIN}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoadTest, InvalidOrMissingRecordsLeaveLeaves) {
  setStart("A");
  addRecord("A", Record("a", {"B", "C", "D"}));
  folder.write("B.xml", "<Request><IsValid>true</IsValid></Request><Title>b</Title>\r\n");
  folder.write("C.xml", "");
  ASSERT_TRUE(load());
  EXPECT_THAT(asins(), ElementsAre("A", "B", "C", "D"));
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(product(i).Title, "") << i;
    EXPECT_EQ(product(i).KeyWordIndex, -1) << i;
    EXPECT_THAT(product(i).SimilarIndex, IsEmpty()) << i;
  }
}

TEST_F(LoadTest, GarbageRecordsLoadWithoutHarm) {
  setStart("A");
  addRecord("A", Record("a", {"BIN", "BAD", "HUGE", "OPEN"}));
  std::string binary = Record("bin", {"Q"});
  binary.insert(binary.find("bin"), std::string("\0\x01\xff\xfe\x80", 5));
  folder.write("BIN.xml", binary + "\r\n");
  folder.write("BAD.xml",
               "<Request><IsValid>True</IsValid></Request><Title>\x81\x20\xa0\xfd\xff</Title>\r\n");
  std::string huge = "<Request><IsValid>True</IsValid></Request><Title>h</Title><SimilarProducts>";
  for (int i = 0; i < 20000; ++i)
    huge += "<SimilarProduct><ASIN>H" + std::to_string(i % 50) + "</ASIN></SimilarProduct>";
  huge += std::string(2'000'000, 'x') + "</SimilarProducts>\r\n";
  folder.write("HUGE.xml", huge);
  std::string open = "<Request><IsValid>True</IsValid></Request><SimilarProducts>";
  for (int i = 0; i < 20000; ++i) open += "<SimilarProduct><ASIN>U</ASIN>";  // never closed
  open += std::string(2'000'000, 'x') + "</SimilarProducts>\r\n";
  folder.write("OPEN.xml", open);
  ASSERT_TRUE(load());
  EXPECT_EQ(product(3).SimilarIndex.size(), 20000u);
  EXPECT_EQ(product(4).SimilarASIN.size(), 20000u);  // entries without text name ASIN ""
  EXPECT_EQ(product(4).SimilarASIN[0], "");
  EXPECT_EQ(catalogue.ProductTable.size(), 5u + 1u + 50u + 1u);  // Q, H0 to H49, ""
  EXPECT_THAT(product(1).SimilarASIN, ElementsAre("Q"));
  EXPECT_FALSE(product(2).Title.empty());  // undecodable bytes arrive replaced, not dropped
}

TEST_F(LoadTest, KeyWordsKeepFileOrderAndStartCleared) {
  setKeywords({"b", "", "a"});
  setStart("A");
  ASSERT_TRUE(load());
  ASSERT_EQ(catalogue.KeyWordTable.size(), 3u);
  EXPECT_EQ(catalogue.KeyWordTable[1].Text, "");
  for (const KeyWord& k : catalogue.KeyWordTable) {
    EXPECT_THAT(k.Relation, ElementsAre(0.0f, 0.0f, 0.0f));
    EXPECT_FALSE(k.HasProduct);
    EXPECT_FALSE(k.Placed);
  }
}

TEST_F(LoadTest, KeyWordFileWithoutLinesGivesNoKeyWords) {
  folder.write("keywords.txt", "");
  setStart("A");
  addRecord("A", Record("anything", {}));
  ASSERT_TRUE(load());
  EXPECT_THAT(catalogue.KeyWordTable, IsEmpty());
  EXPECT_EQ(product(0).KeyWordIndex, -1);
}

TEST_F(LoadTest, SecondLoadResetsWhatDrawingsWrote) {
  setKeywords({"kw", "other"});
  setStart("A");
  addRecord("A", Record("kw a", {"B"}));
  ASSERT_TRUE(load());
  for (Product& p : catalogue.ProductTable) {
    p.X = 5;
    p.Y = 6;
    p.Placed = 1;
  }
  for (KeyWord& k : catalogue.KeyWordTable) {
    k.HasProduct = k.Placed = true;
    k.X = k.Y = 7;
    k.Relation.assign(k.Relation.size(), 3.0f);
  }
  ASSERT_TRUE(load());
  EXPECT_THAT(asins(), ElementsAre("A", "B"));
  for (const Product& p : catalogue.ProductTable) {
    EXPECT_EQ(p.X, 0);
    EXPECT_EQ(p.Y, 0);
    EXPECT_EQ(p.Placed, 0);
  }
  EXPECT_THAT(product(1).ReferrerIndex, IsEmpty());  // not doubled by the first load
  for (const KeyWord& k : catalogue.KeyWordTable) {
    EXPECT_FALSE(k.HasProduct || k.Placed);
    EXPECT_EQ(k.X, 0);
    EXPECT_THAT(k.Relation, ElementsAre(0.0f, 0.0f));
  }
}

TEST_F(LoadTest, RecordFolderComesFromTheSettings) {
  std::filesystem::create_directory(folder.file("records"));
  folder.write("setting.ini", "[DefaultSetting]\r\nXMLPath=records\r\n");
  folder.write("records/StartProductASIN.txt", "A\r\n");
  addRecord("A", Record("in records", {}));
  ASSERT_TRUE(folder.exists("records/A.xml"));
  ASSERT_TRUE(load());
  EXPECT_EQ(product(0).Title, "in records");
}

TEST_F(LoadTest, CloseRequestEndsTheLoadAfterTheCurrentProduct) {
  setStart("A");
  addRecord("A", Record("a", {"B", "C"}));
  addRecord("B", Record("b", {"D"}));
  host.quitAfterPumps = 2;
  EXPECT_THROW(load(), EndProgram);
  EXPECT_THAT(host.textsOf(Label::Status2), ElementsAre("1/3", "2/4"));
  EXPECT_THAT(host.textsOf(Label::Status), ElementsAre("商品データ読み込み中"));
}

TEST_F(LoadTest, CloseRequestSeenAfterTheKeyWordSearch) {
  setStart("A");
  addRecord("A", Record("a", {"B"}));
  host.QuitRequested = true;
  EXPECT_THROW(load(), EndProgram);
  EXPECT_THAT(host.textsOf(Label::Status2), IsEmpty());
  EXPECT_EQ(product(0).Title, "a");
  EXPECT_THAT(product(0).SimilarIndex, IsEmpty());
}

struct BadInputCase {
  const char* name;
  void (*prepare)(TempFolder&);
  const char* mentions;
};

class BadInputTest : public LoadTest, public ::testing::WithParamInterface<BadInputCase> {};

TEST_P(BadInputTest, FailsNamingTheFileAndKeepsThePreviousCatalogue) {
  setStart("OLD");
  ASSERT_TRUE(load());
  host.history.clear();
  GetParam().prepare(folder);
  const Status result = load();
  ASSERT_FALSE(result);
  EXPECT_THAT(result.error(), HasSubstr(GetParam().mentions));
  EXPECT_THAT(asins(), ElementsAre("OLD"));
  EXPECT_EQ(catalogue.KeyWordTable.size(), 1u);
  EXPECT_THAT(host.history, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadInputTest,
    ::testing::Values(
        BadInputCase{"MissingKeyWords",
                     [](TempFolder& f) { std::filesystem::remove(f.file("keywords.txt")); },
                     "keywords.txt"},
        BadInputCase{"MissingStartProduct",
                     [](TempFolder& f) { std::filesystem::remove(f.file("StartProductASIN.txt")); },
                     "StartProductASIN.txt does not exist: collect product data with the fetcher "
                     "first"},
        BadInputCase{"StartProductIsAPipe",
                     [](TempFolder& f) {
                       std::filesystem::remove(f.file("StartProductASIN.txt"));
                       ::mkfifo(f.file("StartProductASIN.txt").c_str(), 0600);
                     },
                     "StartProductASIN.txt is not a regular file"},
        BadInputCase{"EmptyStartProduct",
                     [](TempFolder& f) { f.write("StartProductASIN.txt", ""); },
                     "StartProductASIN.txt"},
        BadInputCase{"BlankStartProductLine",
                     [](TempFolder& f) { f.write("StartProductASIN.txt", "\r\nB\r\n"); },
                     "StartProductASIN.txt"},
        BadInputCase{"MissingRecordFolder",
                     [](TempFolder& f) {
                       f.write("setting.ini",
                               "[DefaultSetting]\r\nXMLPath=/nonexistent/records\r\n");
                     },
                     "/nonexistent/records"},
        BadInputCase{"RecordFolderIsAFile",
                     [](TempFolder& f) {
                       f.write("plain", "not a folder");
                       f.write("setting.ini", "[DefaultSetting]\r\nXMLPath=plain\r\n");
                     },
                     "plain"}),
    [](const auto& info) { return std::string(info.param.name); });

// A record file that would hang the load (a pipe no one writes) or never end
// (a device) is refused by name, without reading from it.
TEST_F(LoadTest, RecordsThatAreNoRegularFilesStopTheLoadNamingThem) {
  struct Case {
    const char* name;
    void (*make)(const std::string& path);
  };
  for (const Case& c : {Case{"Pipe", [](const std::string& path) { ::mkfifo(path.c_str(), 0600); }},
                        Case{"LinkToDevZero", [](const std::string& path) {
                               std::filesystem::create_symlink("/dev/zero", path);
                             }}}) {
    std::filesystem::remove(folder.file("B.xml"));
    setStart("A");
    addRecord("A", Record("a", {"B"}));
    c.make(folder.file("B.xml"));
    const Status result = load();
    ASSERT_FALSE(result) << c.name;
    EXPECT_THAT(result.error(), HasSubstr(folder.file("B.xml") + " is not a regular file"))
        << c.name;
  }
}

TEST_F(LoadTest, RecordFolderThatCannotBeEnteredIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  std::filesystem::create_directory(folder.file("locked"));
  folder.write("locked/StartProductASIN.txt", "A\r\n");
  ::chmod(folder.file("locked").c_str(), 0);
  folder.write("setting.ini", "[DefaultSetting]\r\nXMLPath=locked\r\n");
  const Status result = load();
  ASSERT_FALSE(result);
  EXPECT_THAT(result.error(), HasSubstr("locked"));
}

}  // namespace
}  // namespace quillon::grapher
