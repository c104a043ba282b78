// The keyword relation graph: weights between keywords from the similar-product
// lists, a random tree of related keywords and their labels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/expected.h"
#include "common/host.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/layout/placement_directions.h"
#include "grapher/render/surface.h"

namespace quillon::grapher {

// Draws the keyword relation graph of the loaded catalogue with the layout
// settings of `programFolder`, writing the keywords' weights, flags and
// positions. A catalogue without products or keywords gives a failure and
// changes nothing.
Status DrawKeyWordGraph(const std::string& programFolder, Catalogue& catalogue,
                        PlacementDirections& directions, Surface& surface, Host& host);

// Adds this run's weights to every keyword's Relation and sets HasProduct; the
// counter goes to the host's second label.
void ExtractKeyWordRelations(Catalogue& catalogue, Host& host);

// The first keyword but the last that the start product's title contains, else
// the last keyword. Precondition: at least one product and one keyword.
std::int32_t ChooseRootKeyWord(const Catalogue& catalogue);

// Places, `distance` apart and depth first, every keyword reachable from the
// placed keyword `index` through positive weights. Uses an explicit stack.
void PlaceRelatedKeyWords(std::vector<KeyWord>& keyWords, std::int32_t index, float distance,
                          PlacementDirections& directions);

// Draws the placed keywords as framed labels, checking the close request after each keyword.
void RenderKeyWordGraph(const std::vector<KeyWord>& keyWords, Surface& surface, const Host& host);

}  // namespace quillon::grapher
