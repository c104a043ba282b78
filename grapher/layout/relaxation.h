// Keyword placement and the three attraction passes of each relaxation
// iteration. Positions are updated in place, in table order; after each step
// the host processes events and checks the close request.
#pragma once

#include <vector>

#include "common/host.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/catalogue/keyword_membership.h"

namespace quillon::grapher {

// Puts every keyword that has products at the centre of those products and
// marks it HasProduct.
void PlaceKeyWords(const std::vector<Product>& products, std::vector<KeyWord>& keyWords,
                   const KeyWordMembership& members, Host& host);

// Moves every product toward the products that list it as similar, with the
// setting ProductCloseForce.
void PullToReferrers(std::vector<Product>& products, float productCloseForce, Host& host);

// Moves every product toward each keyword its title contains, with the setting
// ProductCloseForceByKeyWord.
void PullProductsToKeyWords(std::vector<Product>& products, const std::vector<KeyWord>& keyWords,
                            const KeyWordMembership& members, float productCloseForceByKeyWord,
                            Host& host);

// Moves every keyword toward each of its products, with the setting KeyWordCloseForce.
void PullKeyWordsToProducts(const std::vector<Product>& products, std::vector<KeyWord>& keyWords,
                            const KeyWordMembership& members, float keyWordCloseForce, Host& host);

}  // namespace quillon::grapher
