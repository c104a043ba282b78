// The JSON form of the catalogue, read back with a JSON parser.
#include "grapher/export/catalogue_json.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>

#include "tests/support/temp_folder.h"

namespace quillon::grapher {
namespace {

using quillon::testing::TempFolder;

Catalogue Sample() {
  Catalogue c;
  Product a;
  a.ASIN = "A";
  a.Title = "カメラ \"quoted\"";
  a.SalesRank = 12;
  a.KeyWordIndex = 0;
  a.SimilarASIN = {"B"};
  a.SimilarIndex = {1};
  a.X = 0.1f;
  a.Y = -2.5f;
  a.Placed = 1;
  Product b;
  b.ASIN = "B";
  b.ReferrerASIN = {"A"};
  b.ReferrerIndex = {0};
  c.ProductTable = {a, b};
  KeyWord k;
  k.Text = "カメラ";
  k.HasProduct = true;
  k.Relation = {0.0f, 1.5f};
  c.KeyWordTable = {k, KeyWord{}};
  return c;
}

TEST(CatalogueJson, MembersInRecordOrderWithTheirValues) {
  const auto json = nlohmann::ordered_json::parse(CatalogueToJson(Sample()));
  std::vector<std::string> productKeys;
  for (const auto& item : json["products"][0].items()) productKeys.push_back(item.key());
  EXPECT_THAT(productKeys, ::testing::ElementsAre("ASIN", "Title", "SalesRank", "KeyWordIndex",
                                                  "SimilarASIN", "SimilarIndex", "ReferrerASIN",
                                                  "ReferrerIndex", "X", "Y", "Placed"));
  std::vector<std::string> keywordKeys;
  for (const auto& item : json["keywords"][0].items()) keywordKeys.push_back(item.key());
  EXPECT_THAT(keywordKeys,
              ::testing::ElementsAre("Text", "HasProduct", "Placed", "X", "Y", "Relation"));

  const auto& a = json["products"][0];
  EXPECT_EQ(a["Title"], "カメラ \"quoted\"");
  EXPECT_EQ(a["SimilarIndex"], nlohmann::ordered_json::array({1}));
  EXPECT_EQ(json["products"][1]["ReferrerASIN"], nlohmann::ordered_json::array({"A"}));
  EXPECT_EQ(json["products"][1]["KeyWordIndex"], -1);
  EXPECT_EQ(json["keywords"][0]["Relation"], nlohmann::ordered_json::array({0.0, 1.5}));
  EXPECT_EQ(json["keywords"][1]["Relation"], nlohmann::ordered_json::array());
}

TEST(CatalogueJson, FloatsAreWrittenInTheirShortestFormAndNeverAsNaN) {
  Catalogue c = Sample();
  c.ProductTable[1].X = std::numeric_limits<float>::quiet_NaN();
  c.ProductTable[1].Y = -std::numeric_limits<float>::infinity();
  const std::string text = CatalogueToJson(c);
  EXPECT_NE(text.find("\"X\":0.1,"), std::string::npos) << text;
  EXPECT_NE(text.find("\"Y\":-2.5,"), std::string::npos);
  const auto json = nlohmann::json::parse(text);
  EXPECT_TRUE(json["products"][1]["X"].is_null());
  EXPECT_TRUE(json["products"][1]["Y"].is_null());
}

TEST(CatalogueJson, BytesThatAreNotUtf8DoNotStopTheExport) {
  Catalogue c = Sample();
  c.ProductTable[1].Title = std::string("bad \xff\xfe bytes\x01\t\\");
  const auto json = nlohmann::json::parse(CatalogueToJson(c));
  EXPECT_EQ(json["products"][1]["Title"], "bad \xEF\xBF\xBD\xEF\xBF\xBD bytes\x01\t\\");
}

TEST(CatalogueJson, WriteReplacesTheFileAndReportsAFolderThatIsMissing) {
  TempFolder folder;
  folder.write("out.json", "old content");
  ASSERT_TRUE(WriteCatalogueJson(Sample(), folder.file("out.json")));
  EXPECT_EQ(nlohmann::json::parse(folder.read("out.json"))["products"].size(), 2u);
  EXPECT_EQ(std::filesystem::directory_iterator(folder.path())->path().filename(), "out.json");

  const Status missing = WriteCatalogueJson(Sample(), folder.file("no/such/out.json"));
  ASSERT_FALSE(missing);
  EXPECT_THAT(missing.error(), ::testing::HasSubstr("no/such/out.json"));
}

}  // namespace
}  // namespace quillon::grapher
