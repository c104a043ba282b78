// What a complete crawl must leave in a record folder, worked out from the
// catalogue the service answers from.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "service/product_catalogue.h"

namespace quillon::testing {

// The products a crawl from start must store: every product met, followed only
// when its title (as text, not as the answer escapes it) holds a keyword. Unsafe ASINs are
// never queued, so they are not met.
std::set<std::string> ProductsReached(const service::ProductCatalogue& catalogue,
                                      const std::string& start,
                                      const std::vector<std::string>& keywords);

// The ASINs of the record files (NAME.xml) in a folder.
std::set<std::string> RecordFiles(const std::string& folder);

// Empty when the file holds one complete, valid answer for asin followed by CR
// LF; otherwise what is wrong with it.
std::string RecordProblem(const std::string& folder, const std::string& asin);

// Writes setting.ini in folder: the service's URL, no pause, and the record folder.
void WriteCrawlSettings(const std::string& folder, const std::string& prefix,
                        const std::string& suffix, const std::string& recordFolder);

}  // namespace quillon::testing
