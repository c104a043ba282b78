#include "service/record_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/code_page.h"
#include "common/tag_scanner.h"
#include "common/working_folder.h"
#include "service/catalogue_generator.h"
#include "tests/support/temp_folder.h"

namespace quillon::service {
namespace {

using testing::TempFolder;

TEST(RecordFolder, HoldsAValidRecordPerSafeProductAndNamesTheFirstAsStart) {
  ProductCatalogue catalogue;
  ASSERT_TRUE(catalogue.add({"A1", "\xE3\x81\xAD\xE3\x81\x93", 5, {"B2", "../x"}}).ok());
  ASSERT_TRUE(catalogue.add({"B2", "cat", 7, {}}).ok());
  ASSERT_TRUE(catalogue.add({"../x", "evil", 1, {}}).ok());
  TempFolder folder;
  const std::string records = folder.file("records");
  const auto written = WriteRecordFolder(catalogue, records);
  ASSERT_TRUE(written.ok()) << written.error();
  EXPECT_EQ(written.value(), 2u);  // the unsafe ASIN gets no file
  EXPECT_EQ(ReadFirstLine(records + "/StartProductASIN.txt").value(), "A1");
  const std::string record = LoadProductRecordFrom(records, "A1");
  EXPECT_EQ(GetTagText(record, "Title", 1), "\xE3\x81\xAD\xE3\x81\x93");
  EXPECT_EQ(GetTagText(GetTagText(GetTagText(record, "SimilarProducts", 1), "SimilarProduct", 2),
                       "ASIN", 1),
            "../x");
  EXPECT_FALSE(std::filesystem::exists(folder.file("x.xml")));
}

TEST(RecordFolder, ChainCatalogueLinksEachProductToTheNextOnly) {
  const GeneratedCatalogue chain = GenerateCatalogue(5, 3, CatalogueShape::Chain);
  ASSERT_EQ(chain.products.size(), 5u);
  for (std::size_t i = 0; i + 1 < chain.products.size(); ++i)
    EXPECT_EQ(chain.products[i].similar, std::vector<std::string>{chain.products[i + 1].asin});
  EXPECT_TRUE(chain.products.back().similar.empty());
}

}  // namespace
}  // namespace quillon::service
