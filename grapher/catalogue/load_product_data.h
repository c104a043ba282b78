// The load command: the catalogue of the products reachable from the start
// product through the product record files, and the keywords.
#pragma once

#include <string>

#include "common/expected.h"
#include "common/host.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

// Rebuilds `catalogue` from keywords.txt, StartProductASIN.txt and the record
// files of `programFolder`; progress goes to the host's labels. Bad input (a
// missing keywords.txt or start product file, no start ASIN, a record folder
// that cannot be entered) gives a failure naming the file and leaves the
// previous catalogue untouched. A record file that is not a regular file, or
// whose first line is beyond kMaxRecordLineBytes, stops the load with a failure
// naming it; the catalogue then holds the products read so far. Throws
// EndProgram on a close request.
Status LoadProductData(const std::string& programFolder, Catalogue& catalogue, Host& host);

}  // namespace quillon::grapher
