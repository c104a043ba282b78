#include "grapher/layout/relaxation.h"

#include <cmath>
#include <cstdint>

#include "grapher/layout/single_float.h"

namespace quillon::grapher {
namespace {

// 1 / ln(rank + offset), or 0 when the pair must be skipped: no rank, or a
// logarithm that would be undefined or zero (which would give NaN or infinity).
double RankWeight(std::int32_t rank, std::int64_t offset) {
  if (rank == 0) return 0;
  const std::int64_t shifted = static_cast<std::int64_t>(rank) + offset;
  if (shifted <= 1) return 0;
  return 1 / std::log(static_cast<double>(shifted));
}

// One pull of a point toward another, scaled by the logarithm of the distance
// on each axis; both offsets are taken before either coordinate moves.
void PullLogarithmic(float& x, float& y, float towardX, float towardY, double weight, float force) {
  const float dx = ToSingle(static_cast<double>(x) - towardX);
  const float dy = ToSingle(static_cast<double>(y) - towardY);
  x = ToSingle(x - weight * std::log(std::fabs(static_cast<double>(dx)) + 1) * dx * force);
  y = ToSingle(y - weight * std::log(std::fabs(static_cast<double>(dy)) + 1) * dy * force);
}

void YieldAndCheck(Host& host) {
  host.processEvents();
  host.checkQuit();
}

}  // namespace

void PlaceKeyWords(const std::vector<Product>& products, std::vector<KeyWord>& keyWords,
                   const KeyWordMembership& members, Host& host) {
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    float sumX = 0;
    float sumY = 0;
    const auto& own = members.productsOf(k);
    for (const std::int32_t j : own) {
      sumX = ToSingle(static_cast<double>(sumX) + products[j].X);
      sumY = ToSingle(static_cast<double>(sumY) + products[j].Y);
    }
    if (!own.empty()) {
      const double n = static_cast<double>(own.size());
      keyWords[k].HasProduct = true;
      keyWords[k].X = ToSingle(sumX / n);
      keyWords[k].Y = ToSingle(sumY / n);
    }
    YieldAndCheck(host);
  }
}

void PullToReferrers(std::vector<Product>& products, float productCloseForce, Host& host) {
  const float force = productCloseForce;
  for (Product& i : products) {
    for (const std::int32_t k : i.ReferrerIndex) {
      const double weight = RankWeight(products[k].SalesRank, 100);
      if (weight == 0) continue;
      PullLogarithmic(i.X, i.Y, products[k].X, products[k].Y, weight, force);
    }
    YieldAndCheck(host);
  }
}

void PullProductsToKeyWords(std::vector<Product>& products, const std::vector<KeyWord>& keyWords,
                            const KeyWordMembership& members, float productCloseForceByKeyWord,
                            Host& host) {
  const float force = productCloseForceByKeyWord;
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    if (keyWords[k].HasProduct) {
      for (const std::int32_t j : members.productsOf(k)) {
        const double weight = RankWeight(products[j].SalesRank, 100);
        if (weight == 0) continue;
        PullLogarithmic(products[j].X, products[j].Y, keyWords[k].X, keyWords[k].Y, weight, force);
      }
    }
    YieldAndCheck(host);
  }
}

void PullKeyWordsToProducts(const std::vector<Product>& products, std::vector<KeyWord>& keyWords,
                            const KeyWordMembership& members, float keyWordCloseForce, Host& host) {
  const float force = keyWordCloseForce;
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    KeyWord& key = keyWords[k];
    if (key.HasProduct) {
      for (const std::int32_t j : members.productsOf(k)) {
        const double weight = RankWeight(products[j].SalesRank, 10);
        if (weight == 0) continue;
        const float dx = ToSingle(static_cast<double>(key.X) - products[j].X);
        const float dy = ToSingle(static_cast<double>(key.Y) - products[j].Y);
        key.X = ToSingle(key.X - weight * dx * force);
        key.Y = ToSingle(key.Y - weight * dy * force);
      }
    }
    YieldAndCheck(host);
  }
}

}  // namespace quillon::grapher
