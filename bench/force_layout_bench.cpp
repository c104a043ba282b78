// The force layout on grouped catalogues: time per layout, peak memory of the
// process, and how well the picture shows the true groups (the share of
// products most of whose 10 nearest neighbours in the picture share their group).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "grapher/layout/force_layout.h"
#include "grapher/layout/neighbour_agreement.h"
#include "tests/support/grouped_products.h"

namespace {

using quillon::grapher::ForceLayout;
using quillon::grapher::ForceLayoutOptions;
using quillon::grapher::NeighbourAgreement;

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ForceLayout(benchmark::State& state) {
  const auto& grouped = quillon::testing::KeptGroupedProducts(static_cast<int>(state.range(0)));
  const double peakBefore = PeakMegabytes();  // with the catalogue loaded
  ForceLayoutOptions options;
  options.threads = static_cast<unsigned>(state.range(1));
  std::vector<quillon::grapher::LayoutPoint> points;
  for (auto _ : state) {
    points = ForceLayout(grouped.catalogue.ProductTable, options);
    benchmark::DoNotOptimize(points.data());
  }
  state.counters["products"] = static_cast<double>(points.size());
  state.counters["in_group_share"] = NeighbourAgreement(points, grouped.groups, 10);
  state.counters["peak_MB"] = PeakMegabytes();
  // What the layout adds to the peak (0 when an earlier, larger run set it).
  state.counters["layout_peak_MB"] = PeakMegabytes() - peakBefore;
}
BENCHMARK(BM_ForceLayout)
    ->ArgNames({"products", "threads"})
    ->Args({5000, 0})
    ->Args({20000, 0})
    ->Args({100000, 1})
    ->Args({100000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
