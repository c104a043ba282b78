// The measures a load adds, on generated relations: a tree of three children
// per product plus two random links each (the view benchmark's shape).
#include <benchmark/benchmark.h>

#include <map>
#include <random>

#include "grapher/analysis/graph_measures.h"

namespace quillon::grapher::analysis {
namespace {

const Catalogue& Generated(int n) {
  static std::map<int, Catalogue> cache;
  auto [it, added] = cache.try_emplace(n);
  if (!added) return it->second;
  std::mt19937 gen(12345);
  auto& table = it->second.ProductTable;
  table.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    auto& similar = table[static_cast<std::size_t>(i)].SimilarIndex;
    for (int k = 1; k <= 3; ++k)
      if (3 * i + k < n) similar.push_back(3 * i + k);
    for (int k = 0; k < 2; ++k) similar.push_back(static_cast<std::int32_t>(gen() % n));
  }
  return it->second;
}

// Everything from the loaded catalogue to the table of values.
void BM_Measures(benchmark::State& state) {
  const Catalogue& c = Generated(static_cast<int>(state.range(0)));
  GraphMeasures m;
  for (auto _ : state) m = ComputeMeasures(LinksOf(c)).value();
  state.counters["communities"] = static_cast<double>(m.communitySizes.size());
  state.counters["modularity"] = m.modularity;
}

void BM_LinksOf(benchmark::State& state) {
  const Catalogue& c = Generated(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(LinksOf(c).linkCount());
}

BENCHMARK(BM_Measures)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinksOf)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon::grapher::analysis

BENCHMARK_MAIN();
