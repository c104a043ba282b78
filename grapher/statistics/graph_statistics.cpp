#include "grapher/statistics/graph_statistics.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "grapher/view/neighbourhood.h"

namespace quillon::grapher::statistics {
namespace {

std::vector<DegreeCount> Counted(const std::vector<std::int32_t>& degrees, std::int32_t& zero) {
  std::map<std::int32_t, std::int32_t> counts;
  for (const std::int32_t d : degrees) {
    if (d <= 0)
      ++zero;
    else
      ++counts[d];
  }
  std::vector<DegreeCount> result;
  result.reserve(counts.size());
  for (const auto& [degree, products] : counts) result.push_back({degree, products});
  return result;
}

// The value at fraction q of the sorted values, between the two closest.
double Quantile(const std::vector<std::int32_t>& sorted, double q) {
  const double at = q * static_cast<double>(sorted.size() - 1);
  const auto below = static_cast<std::size_t>(at);
  const std::size_t above = std::min(below + 1, sorted.size() - 1);
  const double share = at - static_cast<double>(below);
  return sorted[below] + share * (sorted[above] - sorted[below]);
}

// The indices of the `count` highest values, highest first.
template <class Value>
std::vector<std::int32_t> TopBy(const std::vector<Value>& values, std::size_t count) {
  std::vector<std::int32_t> order(values.size());
  std::iota(order.begin(), order.end(), 0);
  const std::size_t kept = std::min(count, values.size());
  const auto higher = [&values](std::int32_t a, std::int32_t b) {
    return values[static_cast<std::size_t>(a)] > values[static_cast<std::size_t>(b)];
  };
  // Ties keep table order: the comparison falls back on the index.
  std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept), order.end(),
                    [&](std::int32_t a, std::int32_t b) {
                      if (higher(a, b)) return true;
                      if (higher(b, a)) return false;
                      return a < b;
                    });
  order.resize(kept);
  return order;
}

}  // namespace

DegreeDistribution DegreeDistributionOf(const analysis::GraphMeasures& measures) {
  DegreeDistribution result;
  result.in = Counted(measures.InDegree, result.zeroIn);
  result.out = Counted(measures.OutDegree, result.zeroOut);
  return result;
}

std::vector<RankSummary> RanksPerKeyWord(const Catalogue& catalogue,
                                         const KeyWordMembership& members) {
  std::vector<RankSummary> result(members.keyWordCount());
  for (std::size_t k = 0; k < result.size(); ++k) {
    RankSummary& summary = result[k];
    summary.keyWord = static_cast<std::int32_t>(k);
    for (const std::int32_t p : members.productsOf(k)) {
      const std::int32_t rank = catalogue.ProductTable[static_cast<std::size_t>(p)].SalesRank;
      if (rank > 0) summary.ranks.push_back(rank);
    }
    if (summary.ranks.empty()) continue;
    std::sort(summary.ranks.begin(), summary.ranks.end());
    summary.minimum = summary.ranks.front();
    summary.lowerQuartile = Quantile(summary.ranks, 0.25);
    summary.median = Quantile(summary.ranks, 0.5);
    summary.upperQuartile = Quantile(summary.ranks, 0.75);
    summary.maximum = summary.ranks.back();
  }
  return result;
}

std::vector<CommunitySummary> CommunitiesOf(const Catalogue& catalogue,
                                            const KeyWordMembership& members,
                                            const analysis::GraphMeasures& measures,
                                            std::size_t keyWordsEach) {
  const std::size_t communities = measures.communitySizes.size();
  std::vector<CommunitySummary> result(communities);
  std::vector<std::vector<std::int32_t>> carried(
      communities, std::vector<std::int32_t>(members.keyWordCount(), 0));
  const auto& products = catalogue.ProductTable;
  for (std::size_t p = 0; p < measures.size() && p < products.size(); ++p) {
    const std::int32_t c = measures.Community[p];
    if (c < 0 || static_cast<std::size_t>(c) >= communities) continue;
    CommunitySummary& summary = result[static_cast<std::size_t>(c)];
    ++summary.size;
    for (const std::int32_t k : members.keyWordsOf(p))
      ++carried[static_cast<std::size_t>(c)][static_cast<std::size_t>(k)];
    const std::int32_t rank = products[p].SalesRank;
    if (rank > 0 && (summary.bestRanked < 0 ||
                     rank < products[static_cast<std::size_t>(summary.bestRanked)].SalesRank))
      summary.bestRanked = static_cast<std::int32_t>(p);
  }
  for (std::size_t c = 0; c < communities; ++c) {
    const std::vector<std::int32_t>& counts = carried[c];
    std::vector<std::int32_t>& leading = result[c].leadingKeyWords;
    for (std::size_t k = 0; k < counts.size(); ++k)
      if (counts[k] > 0) leading.push_back(static_cast<std::int32_t>(k));
    // Stable: equal counts stay in keywords.txt order.
    std::stable_sort(leading.begin(), leading.end(), [&counts](std::int32_t a, std::int32_t b) {
      return counts[static_cast<std::size_t>(a)] > counts[static_cast<std::size_t>(b)];
    });
    if (leading.size() > keyWordsEach) leading.resize(keyWordsEach);
  }
  return result;
}

KeyWordMix KeyWordMixAround(const Catalogue& catalogue, const KeyWordMembership& members,
                            std::int32_t product, int hops) {
  KeyWordMix mix;
  mix.perKeyWord.assign(members.keyWordCount(), 0);
  if (product < 0 || static_cast<std::size_t>(product) >= catalogue.ProductTable.size()) return mix;
  for (const std::int32_t p : Neighbourhood(catalogue, product, hops)) {
    ++mix.products;
    const auto& keyWords = members.keyWordsOf(static_cast<std::size_t>(p));
    if (keyWords.empty()) ++mix.withoutKeyWord;
    for (const std::int32_t k : keyWords) ++mix.perKeyWord[static_cast<std::size_t>(k)];
  }
  return mix;
}

std::vector<std::int32_t> TopByPageRank(const analysis::GraphMeasures& measures,
                                        std::size_t count) {
  return TopBy(measures.PageRank, count);
}

std::vector<std::int32_t> TopByInDegree(const analysis::GraphMeasures& measures,
                                        std::size_t count) {
  return TopBy(measures.InDegree, count);
}

}  // namespace quillon::grapher::statistics
