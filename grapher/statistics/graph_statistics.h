// The numbers behind the statistics plots and the report, from the catalogue
// and its measures: no drawing here, so that the window, the report and the
// tests read the same figures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/catalogue/keyword_membership.h"

namespace quillon::grapher::statistics {

// How many products have each degree; a log-log plot cannot show degree 0,
// so those products are counted apart.
struct DegreeCount {
  std::int32_t degree = 0;
  std::int32_t products = 0;
  friend bool operator==(const DegreeCount&, const DegreeCount&) = default;
};
struct DegreeDistribution {
  std::vector<DegreeCount> in;  // degree >= 1, ascending
  std::vector<DegreeCount> out;
  std::int32_t zeroIn = 0;
  std::int32_t zeroOut = 0;
};
DegreeDistribution DegreeDistributionOf(const analysis::GraphMeasures& measures);

// The known sales ranks (above 0) of the products whose title holds a keyword.
struct RankSummary {
  std::int32_t keyWord = 0;         // index in KeyWordTable
  std::vector<std::int32_t> ranks;  // ascending
  // Quartiles by linear interpolation between the closest ranks; 0 when no rank is known.
  double minimum = 0, lowerQuartile = 0, median = 0, upperQuartile = 0, maximum = 0;
};
// One entry per keyword, in keywords.txt order, keywords without a known rank included.
std::vector<RankSummary> RanksPerKeyWord(const Catalogue& catalogue,
                                         const KeyWordMembership& members);

// A community: its size, the keywords its products carry most, and its best seller.
struct CommunitySummary {
  std::int32_t size = 0;
  // Keywords by the number of its products whose title holds them, most first,
  // ties in keywords.txt order; only keywords some product carries.
  std::vector<std::int32_t> leadingKeyWords;
  std::int32_t bestRanked = -1;  // product with the lowest known sales rank; -1: none known
  std::int32_t leadingKeyWord() const { return leadingKeyWords.empty() ? -1 : leadingKeyWords[0]; }
};
// Numbered as measures.Community (largest first); at most keyWordsEach keywords each.
std::vector<CommunitySummary> CommunitiesOf(const Catalogue& catalogue,
                                            const KeyWordMembership& members,
                                            const analysis::GraphMeasures& measures,
                                            std::size_t keyWordsEach = 3);

// The keywords of the products within `hops` links of one product (it included).
struct KeyWordMix {
  std::vector<std::int32_t> perKeyWord;  // products holding keyword k, for every k
  std::int32_t withoutKeyWord = 0;       // products whose title holds none
  std::int32_t products = 0;             // products in the neighbourhood
};
KeyWordMix KeyWordMixAround(const Catalogue& catalogue, const KeyWordMembership& members,
                            std::int32_t product, int hops);

// Product indices ordered by a measure, highest first, ties by table order; at most `count`.
std::vector<std::int32_t> TopByPageRank(const analysis::GraphMeasures& measures, std::size_t count);
std::vector<std::int32_t> TopByInDegree(const analysis::GraphMeasures& measures, std::size_t count);

}  // namespace quillon::grapher::statistics
