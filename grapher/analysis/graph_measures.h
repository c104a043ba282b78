// Network measures of the similarity relation, computed once per load through
// igraph: what the view's colours and sizes, the filters and the exports read.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "grapher/analysis/link_structure.h"

namespace quillon::grapher::analysis {

inline constexpr double kPageRankDamping = 0.85;

struct GraphMeasures {
  // Per product, in table order.
  std::vector<std::int32_t> InDegree;   // distinct other products listing it
  std::vector<std::int32_t> OutDegree;  // distinct other loaded products it lists
  std::vector<double> PageRank;         // sums to 1
  // Numbered from 0 by size, largest first (ties: the one holding the lower product).
  std::vector<std::int32_t> Community;  // on the relation without direction
  std::vector<std::int32_t> Component;  // weakly connected
  std::vector<std::int32_t> communitySizes;
  std::vector<std::int32_t> componentSizes;
  double modularity = 0;  // of Community on the relation without direction

  std::size_t size() const { return PageRank.size(); }
};

// The steps, in order, as the progress callback names them.
enum class MeasureStep { Degrees, PageRank, Components, Communities };
inline constexpr int kMeasureStepCount = 4;

struct MeasureOptions {
  std::uint64_t seed = 1;  // of the community search, so a catalogue always gets the same groups
  std::function<void(MeasureStep)> onStep;  // called before each step
  const std::atomic<bool>* cancel = nullptr;
};

// nullopt when *options.cancel was seen set. Throws IgraphError when igraph fails.
std::optional<GraphMeasures> ComputeMeasures(const LinkStructure& links,
                                             const MeasureOptions& options = {});

// Renumbers a partition from 0 by group size, largest first, ties by the
// lowest member; returns the sizes in the new order.
std::vector<std::int32_t> NumberBySize(std::vector<std::int32_t>& membership);

}  // namespace quillon::grapher::analysis
