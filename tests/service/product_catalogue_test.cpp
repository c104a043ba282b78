// Reading catalogue files: what is accepted, and errors that name file and line.
#include "service/product_catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace quillon::service {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(ProductCatalogue, ReadsProductsSkippingBlankLinesAndCarriageReturns) {
  const auto catalogue = ProductCatalogue::Parse(
      "{\"asin\": \"A1\", \"title\": \"猫\", \"salesrank\": 3, \"similar\": [\"B2\", \"B2\"]}\r\n"
      "\n   \n"
      "{\"asin\": \"B2\", \"raw_title_hex\": \"ff0041\"}",
      "c.jsonl");
  ASSERT_TRUE(catalogue) << catalogue.error();
  ASSERT_EQ(catalogue.value().size(), 2u);
  const auto* first = catalogue.value().find("A1");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->title, "猫");
  EXPECT_EQ(first->salesRank, 3);
  EXPECT_THAT(first->similar, ElementsAre("B2", "B2"));
  const auto* second = catalogue.value().find("B2");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->title, std::string("\xff\0A", 3));
  EXPECT_EQ(second->salesRank, std::nullopt);
  EXPECT_EQ(catalogue.value().find("a1"), nullptr);  // ASINs are exact
}

TEST(ProductCatalogue, NamesFileLineAndReasonOfABadLine) {
  struct Case {
    const char* name;
    std::string line;
    std::string reason;
  };
  const Case cases[] = {
      {"not JSON", "{\"asin\": ", "parse error"},
      {"not an object", "[1, 2]", "must be a JSON object"},
      {"no ASIN", "{\"title\": \"x\"}", "\"asin\" must be a string"},
      {"numeric title", "{\"asin\": \"X\", \"title\": 5}", "\"title\" must be a string"},
      {"fractional rank", "{\"asin\": \"X\", \"salesrank\": 1.5}", "must be an integer"},
      {"similar not a list", "{\"asin\": \"X\", \"similar\": \"Y\"}", "array of ASIN strings"},
      {"similar holds a number", "{\"asin\": \"X\", \"similar\": [1]}", "array of ASIN strings"},
      {"odd hex", "{\"asin\": \"X\", \"raw_title_hex\": \"abc\"}", "hexadecimal byte pairs"},
      {"invalid UTF-8", "{\"asin\": \"X\", \"title\": \"\xff\"}", "parse error"},
      {"duplicate", "{\"asin\": \"A\"}", "duplicate ASIN \"A\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto catalogue =
        ProductCatalogue::Parse("{\"asin\": \"A\"}\n\n" + c.line + "\n", "f.jsonl");
    ASSERT_FALSE(catalogue);
    EXPECT_THAT(catalogue.error(), HasSubstr("f.jsonl:3: "));
    EXPECT_THAT(catalogue.error(), HasSubstr(c.reason));
  }
}

TEST(ProductCatalogue, WrittenLinesReadBackUnchanged) {
  const CatalogueProduct products[] = {
      {"B000000001", "ＡＢＣ ﾈｺ \"quoted\"\n\x01", 7, {"X", "Y"}},
      {"B000000002", std::string("\xc3\x28 broken", 9), std::nullopt, {}},
      {std::string("\xff/..\x01", 5), "raw ASIN", 1, {}},
  };
  std::string text;
  for (const auto& product : products) text += CatalogueLine(product) + "\n";
  const auto catalogue = ProductCatalogue::Parse(text, "round trip");
  ASSERT_TRUE(catalogue) << catalogue.error();
  for (const auto& product : products) {
    const auto* read = catalogue.value().find(product.asin);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->title, product.title);
    EXPECT_EQ(read->salesRank, product.salesRank);
    EXPECT_EQ(read->similar, product.similar);
  }
}

TEST(ProductCatalogue, ReportsAMissingFile) {
  quillon::testing::TempFolder folder;
  const auto catalogue = ProductCatalogue::LoadFile(folder.file("none.jsonl"));
  ASSERT_FALSE(catalogue);
  EXPECT_EQ(catalogue.error(), "cannot open catalogue file " + folder.file("none.jsonl"));
}

}  // namespace
}  // namespace quillon::service
