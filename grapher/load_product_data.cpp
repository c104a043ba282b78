#include "load_product_data.h"

#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "asin_index.h"
#include "keyword_matcher.h"
#include "numbers.h"
#include "record_tags.h"
#include "text_compare.h"
#include "working_folder.h"

namespace quillon::grapher {
namespace {

// The inputs of a load, read and checked before the old catalogue is replaced.
struct LoadInputs {
  std::vector<std::string> keywords;
  std::string recordFolder;  // read once, so one load never mixes two folders
  std::string startAsin;
};

Status CheckRecordFolder(const std::string& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error))
    return Failure{"The record folder " + folder + " does not exist or is not a folder."};
  if (::access(folder.c_str(), X_OK) != 0)
    return Failure{"The record folder " + folder + " cannot be opened (permission denied)."};
  return Success();
}

Expected<LoadInputs> ReadLoadInputs(const std::string& programFolder) {
  auto keywords = ReadKeywords(programFolder);
  if (!keywords) return Failure{keywords.error()};
  std::string recordFolder = RecordFolder(programFolder);
  if (const Status folder = CheckRecordFolder(recordFolder); !folder)
    return Failure{folder.error()};
  auto startAsin = ReadStartProductAsin(programFolder);
  if (!startAsin) return Failure{startAsin.error()};
  if (startAsin.value().empty())
    return Failure{"File " + recordFolder + "/StartProductASIN.txt has no ASIN on its first line."};
  return LoadInputs{std::move(keywords).value(), std::move(recordFolder),
                    std::move(startAsin).value()};
}

Product NewProduct(std::string asin) {
  Product product;
  product.ASIN = std::move(asin);
  return product;
}

// The tags read from every record, folded once per load.
struct RecordTags {
  FirstTag title{"Title"};
  FirstTag salesRank{"SalesRank"};
  FirstTag similarProducts{"SimilarProducts"};
  EachTag similarProduct{"SimilarProduct"};
  FirstTag asin{"ASIN"};
};

// Fills product `current` from its record and appends the similar products
// that are new; indices rather than references, as the table grows meanwhile.
void FillProduct(Catalogue& catalogue, std::int32_t current, std::string_view record,
                 const RecordTags& tags, const KeyWordMatcher& keywords, AsinIndex& index,
                 const Host& host) {
  auto& table = catalogue.ProductTable;
  {
    Product& product = table[current];
    product.Title = tags.title.textIn(record);
    product.SalesRank = RoundToInt32(LeadingNumber(tags.salesRank.textIn(record)));
    product.KeyWordIndex = keywords.find(product.Title);
  }
  host.checkQuit();

  tags.similarProduct.forEachIn(tags.similarProducts.textIn(record), [&](std::string_view entry) {
    std::string asin(tags.asin.textIn(entry));
    const std::optional<std::int32_t> found = index.find(asin);
    std::int32_t similarIndex = 0;
    if (found) {
      similarIndex = *found;
      Product& referred = table[similarIndex];
      referred.ReferrerASIN.push_back(table[current].ASIN);
      referred.ReferrerIndex.push_back(current);
    } else {
      similarIndex = static_cast<std::int32_t>(table.size());
      table.push_back(NewProduct(asin));
      index.add(asin, similarIndex);
    }
    Product& product = table[current];
    product.SimilarASIN.push_back(std::move(asin));
    product.SimilarIndex.push_back(similarIndex);
  });
}

}  // namespace

Status LoadProductData(Context& ctx) {
  auto inputs = ReadLoadInputs(ctx.programFolder);
  if (!inputs) return Failure{inputs.error()};
  LoadInputs loaded = std::move(inputs).value();

  Catalogue& catalogue = ctx.catalogue;
  Host& host = ctx.host;
  host.setLabel(Label::Status, "商品データ読み込み中");

  // The tables are replaced now and then grow in place: a drawing may look at
  // them between two products of this load.
  catalogue.ProductTable.clear();
  catalogue.KeyWordTable.clear();
  const KeyWordMatcher keywords(loaded.keywords);
  const RecordTags tags;
  const std::size_t keywordCount = loaded.keywords.size();
  for (std::string& text : loaded.keywords) {
    KeyWord keyword;
    keyword.Text = std::move(text);
    keyword.Relation.assign(keywordCount, 0.0f);
    catalogue.KeyWordTable.push_back(std::move(keyword));
  }

  catalogue.ProductTable.push_back(NewProduct(std::move(loaded.startAsin)));
  AsinIndex index(catalogue.ProductTable);
  index.add(catalogue.ProductTable[0].ASIN, 0);

  for (std::int32_t current = 0;
       current < static_cast<std::int32_t>(catalogue.ProductTable.size());) {
    const std::string record =
        LoadProductRecordFrom(loaded.recordFolder, catalogue.ProductTable[current].ASIN);
    if (!record.empty()) FillProduct(catalogue, current, record, tags, keywords, index, host);

    host.setLabel(Label::Status2, std::to_string(current + 1) + "/" +
                                      std::to_string(catalogue.ProductTable.size()));
    ++current;
    host.processEvents();
    host.checkQuit();
  }

  host.setLabel(Label::Status, "正常終了");
  return Success();
}

}  // namespace quillon::grapher
