#include "service/record_folder.h"

#include <filesystem>

#include "common/code_page.h"
#include "common/working_folder.h"
#include "service/xml_answer.h"

namespace quillon::service {

Expected<std::size_t> WriteRecordFolder(const ProductCatalogue& catalogue,
                                        const std::string& folder) {
  if (catalogue.size() == 0) return Failure{"The catalogue holds no product."};
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Failure{"Cannot create folder " + folder + ": " + error.message() + "."};
  std::size_t written = 0;
  for (const CatalogueProduct& product : catalogue.products()) {
    if (!IsSafeAsin(product.asin)) continue;
    const Status status = WriteTextLinesAtomic(folder + "/" + product.asin + ".xml",
                                               {ProductAnswer(catalogue, product)});
    if (!status) return Failure{status.error()};
    ++written;
  }
  const Status start =
      WriteTextLinesAtomic(folder + "/StartProductASIN.txt", {catalogue.products().front().asin});
  if (!start) return Failure{start.error()};
  return written;
}

}  // namespace quillon::service
