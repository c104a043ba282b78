#include "grapher/analysis/partition_agreement.h"

#include <cmath>
#include <stdexcept>

#include "grapher/analysis/igraph_handles.h"

namespace quillon::grapher::analysis {

double NormalisedMutualInformation(std::span<const std::int32_t> a,
                                   std::span<const std::int32_t> b) {
  if (a.size() != b.size()) throw std::invalid_argument("partitions of different lengths");
  if (a.empty()) return 1;
  IgraphSession session;
  const IntVector first(a), second(b);
  igraph_real_t nmi = 0;
  Check(igraph_compare_communities(first.get(), second.get(), &nmi, IGRAPH_COMMCMP_NMI),
        "igraph_compare_communities");
  return nmi;
}

double Modularity(const LinkStructure& links, std::span<const std::int32_t> membership) {
  if (membership.size() != static_cast<std::size_t>(links.productCount))
    throw std::invalid_argument("a group per product is needed");
  const LinkStructure pairs = Undirected(links);
  IgraphSession session;
  IntVector edges(static_cast<igraph_integer_t>(2 * pairs.linkCount()));
  for (std::size_t k = 0; k < pairs.linkCount(); ++k) {
    VECTOR(*edges.get())[static_cast<igraph_integer_t>(2 * k)] = pairs.from[k];
    VECTOR(*edges.get())[static_cast<igraph_integer_t>(2 * k + 1)] = pairs.to[k];
  }
  const Graph graph(pairs.productCount, edges, false);
  const IntVector groups(membership);
  igraph_real_t q = 0;
  Check(igraph_modularity(graph.get(), groups.get(), nullptr, 1.0, false, &q), "igraph_modularity");
  return std::isnan(q) ? 0 : q;
}

}  // namespace quillon::grapher::analysis
