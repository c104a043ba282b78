// A record folder filled straight from a catalogue, as a complete crawl would
// leave it: for large grapher runs without crawling first.
#pragma once

#include <cstddef>
#include <string>

#include "common/expected.h"
#include "service/product_catalogue.h"

namespace quillon::service {

// Writes ASIN.xml (the valid answer, one line in the code page) for every
// product whose ASIN can be a file name, and StartProductASIN.txt naming the
// first product. Returns the number of record files written.
Expected<std::size_t> WriteRecordFolder(const ProductCatalogue& catalogue,
                                        const std::string& folder);

}  // namespace quillon::service
