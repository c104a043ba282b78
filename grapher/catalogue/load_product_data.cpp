#include "grapher/catalogue/load_product_data.h"

#include <unistd.h>

#include <cerrno>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/texts.h"
#include "common/working_folder.h"
#include "grapher/catalogue/asin_index.h"
#include "grapher/catalogue/record_prefetcher.h"
#include "grapher/catalogue/record_reader.h"

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
  if (!std::filesystem::exists(folder, error))
    return Failure{FailureKind::RecordFolderMissing, folder};
  if (!std::filesystem::is_directory(folder, error))
    return Failure{FailureKind::RecordFolderNotAFolder, folder};
  if (::access(folder.c_str(), X_OK) != 0) return Failure{FailureKind::RecordFolderLocked, folder};
  return Success();
}

Expected<LoadInputs> ReadLoadInputs(const std::string& programFolder) {
  auto keywords = ReadKeywords(programFolder);
  if (!keywords) return keywords.failure();
  std::string recordFolder = RecordFolder(programFolder);
  if (const Status folder = CheckRecordFolder(recordFolder); !folder) return folder.failure();
  auto startAsin = ReadStartProductAsin(programFolder);
  if (!startAsin) {
    // Missing at a first start: say where the file comes from.
    if (startAsin.failure().kind == FailureKind::CannotReadFile &&
        startAsin.failure().error == ENOENT)
      return Failure{FailureKind::NoStartProductFile, startAsin.failure().subject};
    return startAsin.failure();
  }
  if (startAsin.value().empty())
    return Failure{FailureKind::NoStartAsin, recordFolder + "/StartProductASIN.txt"};
  return LoadInputs{std::move(keywords).value(), std::move(recordFolder),
                    std::move(startAsin).value()};
}

Product NewProduct(std::string asin) {
  Product product;
  product.ASIN = std::move(asin);
  return product;
}

// Fills product `current` from its record and appends the similar products
// that are new, asking for their records at once; indices rather than
// references, as the table grows meanwhile.
void FillProduct(Catalogue& catalogue, std::int32_t current, RecordFields fields, AsinIndex& index,
                 RecordPrefetcher& records, const Host& host) {
  auto& table = catalogue.ProductTable;
  {
    Product& product = table[current];
    product.Title = std::move(fields.title);
    product.SalesRank = fields.salesRank;
    product.KeyWordIndex = fields.keywordIndex;
  }
  host.checkQuit();

  for (std::string& asin : fields.similarAsins) {
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
      records.request(asin);
    }
    Product& product = table[current];
    product.SimilarASIN.push_back(std::move(asin));
    product.SimilarIndex.push_back(similarIndex);
  }
}

}  // namespace

Status LoadProductData(const std::string& programFolder, Catalogue& catalogue, Host& host) {
  auto inputs = ReadLoadInputs(programFolder);
  if (!inputs) return inputs.failure();
  LoadInputs loaded = std::move(inputs).value();

  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "商品データ読み込み中")));

  // The tables are replaced now and then grow in place: a drawing may look at
  // them between two products of this load.
  catalogue.ProductTable.clear();
  catalogue.KeyWordTable.clear();
  const RecordReader reader(loaded.recordFolder, loaded.keywords);
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
  // Records are taken in the order of the table, which is the order they were asked for.
  RecordPrefetcher records(reader, RecordPrefetcher::DefaultWorkers());
  records.request(catalogue.ProductTable[0].ASIN);

  for (std::int32_t current = 0;
       current < static_cast<std::int32_t>(catalogue.ProductTable.size());) {
    RecordFields fields = records.take();
    // A record that would hang or flood the load stops it, naming the file.
    if (fields.refused) return *fields.refused;
    if (fields.valid) FillProduct(catalogue, current, std::move(fields), index, records, host);

    host.setLabel(Label::Status2, std::to_string(current + 1) + "/" +
                                      std::to_string(catalogue.ProductTable.size()));
    ++current;
    host.processEvents();
    host.checkQuit();
  }

  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "正常終了")));
  return Success();
}

}  // namespace quillon::grapher
