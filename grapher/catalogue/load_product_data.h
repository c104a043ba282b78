// The load command: the catalogue of the products reachable from the start
// product through the product record files, and the keywords.
#pragma once

#include "common/expected.h"
#include "grapher/commands/context.h"

namespace quillon::grapher {

// Rebuilds ctx.catalogue from keywords.txt, StartProductASIN.txt and the record
// files. Bad input (a missing keywords.txt or start product file, no start ASIN,
// a record folder that cannot be entered) gives a failure naming the file and
// leaves the previous catalogue untouched. Throws EndProgram on a close request.
Status LoadProductData(Context& ctx);

}  // namespace quillon::grapher
