// The measures in the CSV, JSON and GraphML files.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "grapher/export/catalogue_csv.h"
#include "grapher/export/catalogue_json.h"
#include "grapher/export/graphml_export.h"
#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using testing::AddKeyWords;
using testing::AddProduct;
using testing::Link;
using testing::TempFolder;

struct Measured {
  Catalogue catalogue;
  analysis::GraphMeasures measures;
};

Measured Sample() {
  Measured m;
  AddKeyWords(m.catalogue, {"tea", "cup, \"big\""});
  AddProduct(m.catalogue, "Green tea, \"fine\"\r\nleaf", 12, {1, 1, 0});
  AddProduct(m.catalogue, "a cup, \"big\" one", 0, {0});
  AddProduct(m.catalogue, "broken \xff title");
  Link(m.catalogue);
  m.measures = analysis::ComputeMeasures(analysis::LinksOf(m.catalogue)).value();
  return m;
}

std::string Csv(const Measured& m, const std::vector<bool>* shown = nullptr) {
  std::ostringstream out;
  WriteCatalogueCsv(out, m.catalogue, m.measures, shown);
  return out.str();
}

TEST(CatalogueCsv, HeaderQuotingAndMeasures) {
  const Measured m = Sample();
  const std::string csv = Csv(m);
  std::istringstream lines(csv);
  // Products 0 and 1 list each other: one community and component of two; 2 alone.
  const std::string expected =
      "ASIN,Title,SalesRank,KeyWord,InDegree,OutDegree,PageRank,Community,Component\r\n"
      "A0,\"Green tea, \"\"fine\"\"\r\nleaf\",12,tea,1,1,";
  EXPECT_EQ(csv.substr(0, expected.size()), expected);
  EXPECT_NE(csv.find(",0,0\r\nA1,\"a cup, \"\"big\"\" one\",0,\"cup, \"\"big\"\"\",1,1,"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("\r\nA2,broken \xEF\xBF\xBD title,1,,0,0,"), std::string::npos) << csv;
  EXPECT_EQ(csv.substr(csv.size() - 6), ",1,1\r\n");
}

TEST(CatalogueCsv, PageRanksReadBackExactlyAndSumToOne) {
  const Measured m = Sample();
  const std::string csv = Csv(m);
  double sum = 0;
  for (std::size_t i = 0; i < m.measures.size(); ++i) {
    // PageRank is the third field from the end of each row (titles hold line breaks).
    const std::size_t row = csv.find("\r\nA" + std::to_string(i) + ",");
    const std::size_t next = csv.find("\r\nA" + std::to_string(i + 1) + ",");
    const std::size_t end = next == std::string::npos ? csv.size() - 2 : next;
    const std::string line = csv.substr(row + 2, end - row - 2);
    std::size_t comma = line.size();
    for (int k = 0; k < 3; ++k) comma = line.rfind(',', comma - 1);
    const double value = std::stod(line.substr(comma + 1));
    EXPECT_EQ(value, m.measures.PageRank[i]) << line;
    sum += value;
  }
  EXPECT_NEAR(sum, 1.0, 1e-12);
}

TEST(CatalogueCsv, OnlyShownProductsAreWritten) {
  const Measured m = Sample();
  const std::vector<bool> shown{false, true, false};
  const std::string csv = Csv(m, &shown);
  EXPECT_EQ(csv.find("\r\nA0,"), std::string::npos);
  EXPECT_NE(csv.find("\r\nA1,"), std::string::npos);
  EXPECT_EQ(csv.find("\r\nA2,"), std::string::npos);
}

TEST(MeasureExports, JsonAndGraphMlCarryTheMeasures) {
  const Measured m = Sample();
  const auto json = nlohmann::json::parse(CatalogueToJson(m.catalogue, &m.measures));
  const auto& second = json["products"][1];
  EXPECT_EQ(second["InDegree"], 1);
  EXPECT_EQ(second["OutDegree"], 1);
  EXPECT_EQ(second["PageRank"].get<double>(), m.measures.PageRank[1]);
  EXPECT_EQ(second["Community"], m.measures.Community[1]);
  EXPECT_EQ(json["products"][2]["Component"], 1);
  // Without measures the products keep exactly their old members.
  EXPECT_FALSE(
      nlohmann::json::parse(CatalogueToJson(m.catalogue))["products"][0].contains("PageRank"));

  TempFolder folder;
  ASSERT_TRUE(WriteGraphMl(m.catalogue, folder.file("g.graphml"), &m.measures).ok());
  const std::string xml = folder.read("g.graphml");
  EXPECT_NE(xml.find("attr.name=\"PageRank\" attr.type=\"double\""), std::string::npos);
  EXPECT_NE(xml.find("<data key=\"Component\">1</data>"), std::string::npos);
  EXPECT_NE(xml.find("<data key=\"InDegree\">1</data>"), std::string::npos);
}

}  // namespace
}  // namespace quillon::grapher
