// The measures a load adds, on grouped generated catalogues loaded as the
// grapher loads them, with how well the communities found recover the
// generated groups: normalised mutual information, and the modularity of the
// found communities beside that of the generated groups.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <ctime>

#include "grapher/analysis/graph_measures.h"
#include "grapher/analysis/partition_agreement.h"
#include "tests/support/grouped_products.h"

namespace quillon::grapher::analysis {
namespace {

// The generated groups as a partition of every loaded product: a product the
// catalogue does not hold (listed, but without a record) is a group of its own.
std::vector<std::int32_t> TrueGroups(const testing::GroupedProducts& grouped) {
  std::vector<std::int32_t> groups = grouped.groups;
  std::int32_t next = *std::max_element(groups.begin(), groups.end()) + 1;
  for (std::int32_t& g : groups)
    if (g < 0) g = next++;
  return groups;
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Everything from the loaded catalogue to the table of values, with the
// processor time of each step (ms, averaged over the iterations).
void BM_Measures(benchmark::State& state) {
  const testing::GroupedProducts& grouped =
      testing::KeptGroupedProducts(static_cast<int>(state.range(0)));
  std::array<double, kMeasureStepCount + 1> stepSeconds{};
  double lastMark = 0;
  int current = 0;
  MeasureOptions options;
  options.onStep = [&](MeasureStep step) {
    const double now = ThreadSeconds();
    stepSeconds[static_cast<std::size_t>(current)] += now - lastMark;
    lastMark = now;
    current = static_cast<int>(step) + 1;
  };
  GraphMeasures m;
  for (auto _ : state) {
    lastMark = ThreadSeconds();
    current = 0;  // the graph's construction, before the first step
    m = ComputeMeasures(LinksOf(grouped.catalogue), options).value();
    stepSeconds[static_cast<std::size_t>(current)] += ThreadSeconds() - lastMark;
  }
  const auto perIteration = [&](std::size_t k) {
    return stepSeconds[k] * 1e3 / static_cast<double>(state.iterations());
  };
  state.counters["links_ms"] = perIteration(0);
  state.counters["degrees_ms"] = perIteration(1);
  state.counters["pagerank_ms"] = perIteration(2);
  state.counters["components_ms"] = perIteration(3);
  state.counters["communities_ms"] = perIteration(4);
  state.counters["communities"] = static_cast<double>(m.communitySizes.size());

  // How the communities compare with the generated groups, over the products
  // the catalogue holds.
  const LinkStructure links = LinksOf(grouped.catalogue);
  std::vector<std::int32_t> found, truth;
  for (std::size_t i = 0; i < grouped.groups.size(); ++i) {
    if (grouped.groups[i] < 0) continue;
    found.push_back(m.Community[i]);
    truth.push_back(grouped.groups[i]);
  }
  state.counters["nmi"] = NormalisedMutualInformation(found, truth);
  state.counters["modularity_found"] = m.modularity;
  state.counters["modularity_true"] = Modularity(links, TrueGroups(grouped));
  state.counters["groups"] = static_cast<double>(*std::max_element(truth.begin(), truth.end()) + 1);
}

void BM_LinksOf(benchmark::State& state) {
  const testing::GroupedProducts& grouped =
      testing::KeptGroupedProducts(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(LinksOf(grouped.catalogue).linkCount());
}

BENCHMARK(BM_Measures)->Arg(2000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinksOf)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon::grapher::analysis

BENCHMARK_MAIN();
