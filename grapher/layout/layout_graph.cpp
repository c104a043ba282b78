#include "grapher/layout/layout_graph.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace quillon::grapher {
namespace {

struct Edge {
  std::int32_t from;
  std::int32_t to;
  float weight;
};

// Sorts, merges parallel edges and stores both directions.
LayoutGraph FromEdges(std::vector<Edge> edges, std::vector<float> masses) {
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) {
    return a.from != b.from ? a.from < b.from : a.to < b.to;
  });
  std::vector<Edge> merged;
  merged.reserve(edges.size());
  for (const Edge& edge : edges) {
    if (!merged.empty() && merged.back().from == edge.from && merged.back().to == edge.to) {
      merged.back().weight += edge.weight;
    } else {
      merged.push_back(edge);
    }
  }
  LayoutGraph graph;
  const auto n = masses.size();
  graph.masses = std::move(masses);
  std::vector<std::int32_t> degree(n, 0);
  for (const Edge& edge : merged) {
    ++degree[static_cast<std::size_t>(edge.from)];
    ++degree[static_cast<std::size_t>(edge.to)];
  }
  graph.offsets.assign(n + 1, 0);
  for (std::size_t v = 0; v < n; ++v) graph.offsets[v + 1] = graph.offsets[v] + degree[v];
  graph.targets.resize(static_cast<std::size_t>(graph.offsets[n]));
  graph.weights.resize(graph.targets.size());
  std::vector<std::int32_t> next(graph.offsets.begin(), graph.offsets.end() - 1);
  const auto add = [&](std::int32_t from, std::int32_t to, float weight) {
    const auto slot = static_cast<std::size_t>(next[static_cast<std::size_t>(from)]++);
    graph.targets[slot] = to;
    graph.weights[slot] = weight;
  };
  for (const Edge& edge : merged) {
    add(edge.from, edge.to, edge.weight);
    add(edge.to, edge.from, edge.weight);
  }
  return graph;
}

}  // namespace

LayoutGraph BuildLayoutGraph(const std::vector<Product>& products) {
  std::vector<Edge> edges;
  for (std::size_t p = 0; p < products.size(); ++p) {
    const auto from = static_cast<std::int32_t>(p);
    for (const std::int32_t to : products[p].SimilarIndex) {
      if (to == from || to < 0 || static_cast<std::size_t>(to) >= products.size()) continue;
      edges.push_back({std::min(from, to), std::max(from, to), 1.0f});
    }
  }
  LayoutGraph graph = FromEdges(std::move(edges), std::vector<float>(products.size(), 1.0f));
  // Well-linked products repel more, so that hubs do not crowd their neighbours.
  for (std::size_t v = 0; v < products.size(); ++v) {
    for (std::int32_t e = graph.offsets[v]; e < graph.offsets[v + 1]; ++e)
      graph.masses[v] += graph.weights[static_cast<std::size_t>(e)];
  }
  return graph;
}

Coarsening Coarsen(const LayoutGraph& graph, std::mt19937& engine) {
  const auto n = static_cast<std::size_t>(graph.size());
  std::vector<std::int32_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  for (std::size_t k = n; k > 1; --k) {
    std::swap(order[k - 1], order[engine() % k]);
  }
  constexpr std::int32_t kNone = -1;
  Coarsening result;
  result.coarseOf.assign(n, kNone);
  std::vector<float> masses;
  for (const std::int32_t v : order) {
    const auto vi = static_cast<std::size_t>(v);
    if (result.coarseOf[vi] != kNone) continue;
    // The heaviest edge to an unmatched neighbour, lighter nodes preferred.
    std::int32_t best = kNone;
    float bestScore = 0;
    for (std::int32_t e = graph.offsets[vi]; e < graph.offsets[vi + 1]; ++e) {
      const std::int32_t u = graph.targets[static_cast<std::size_t>(e)];
      if (result.coarseOf[static_cast<std::size_t>(u)] != kNone) continue;
      const float score =
          graph.weights[static_cast<std::size_t>(e)] / graph.masses[static_cast<std::size_t>(u)];
      if (score > bestScore) {
        bestScore = score;
        best = u;
      }
    }
    const auto coarse = static_cast<std::int32_t>(masses.size());
    result.coarseOf[vi] = coarse;
    masses.push_back(graph.masses[vi]);
    if (best != kNone) {
      result.coarseOf[static_cast<std::size_t>(best)] = coarse;
      masses.back() += graph.masses[static_cast<std::size_t>(best)];
    } else if (graph.offsets[vi + 1] - graph.offsets[vi] == 1) {
      // A leaf whose neighbour is taken: join it rather than stay alone.
      const auto neighbour =
          static_cast<std::size_t>(graph.targets[static_cast<std::size_t>(graph.offsets[vi])]);
      masses.pop_back();
      result.coarseOf[vi] = result.coarseOf[neighbour];
      masses[static_cast<std::size_t>(result.coarseOf[vi])] += graph.masses[vi];
    }
  }
  std::vector<Edge> edges;
  edges.reserve(graph.targets.size() / 2);
  for (std::size_t v = 0; v < n; ++v) {
    for (std::int32_t e = graph.offsets[v]; e < graph.offsets[v + 1]; ++e) {
      const auto u = static_cast<std::size_t>(graph.targets[static_cast<std::size_t>(e)]);
      if (u <= v) continue;
      const std::int32_t a = result.coarseOf[v];
      const std::int32_t b = result.coarseOf[u];
      if (a == b) continue;
      edges.push_back({std::min(a, b), std::max(a, b), graph.weights[static_cast<std::size_t>(e)]});
    }
  }
  result.graph = FromEdges(std::move(edges), std::move(masses));
  return result;
}

}  // namespace quillon::grapher
