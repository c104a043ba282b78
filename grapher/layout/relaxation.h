// Keyword placement and the three attraction passes of each relaxation
// iteration. Positions are updated in place, in table order.
#pragma once

#include "grapher/catalogue/keyword_membership.h"
#include "grapher/commands/context.h"

namespace quillon::grapher {

// Puts every keyword that has products at the centre of those products.
void PlaceKeyWords(Context& ctx, const KeyWordMembership& members);

// Moves every product toward the products that list it as similar.
void PullToReferrers(Context& ctx);

// Moves every product toward each keyword its title contains.
void PullProductsToKeyWords(Context& ctx, const KeyWordMembership& members);

// Moves every keyword toward each of its products.
void PullKeyWordsToProducts(Context& ctx, const KeyWordMembership& members);

}  // namespace quillon::grapher
