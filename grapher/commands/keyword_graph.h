// The keyword relation graph: weights between keywords from the similar-product
// lists, a random tree of related keywords and their labels.
#pragma once

#include <cstdint>

#include "common/expected.h"
#include "grapher/commands/context.h"

namespace quillon::grapher {

// Draws the keyword relation graph of the loaded catalogue. A catalogue without
// products or keywords gives a failure and changes nothing.
Status DrawKeyWordGraph(Context& ctx);

// Adds this run's weights to every keyword's Relation and sets HasProduct.
void ExtractKeyWordRelations(Context& ctx);

// The first keyword but the last that the start product's title contains, else
// the last keyword. Precondition: at least one product and one keyword.
std::int32_t ChooseRootKeyWord(const Catalogue& catalogue);

// Places, depth first, every keyword reachable from the placed keyword `index`
// through positive weights. Uses an explicit stack.
void PlaceRelatedKeyWords(Context& ctx, std::int32_t index);

// Draws the placed keywords as framed labels.
void RenderKeyWordGraph(Context& ctx);

}  // namespace quillon::grapher
