// The product table's model on a grouped catalogue of 100,000 products: made,
// sorted by a column, filtered, and one screenful of cells read.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/keyword_membership.h"
#include "grapher/ui/product_table_model.h"
#include "grapher/view/product_filter.h"
#include "tests/support/grouped_products.h"

namespace quillon::grapher {
namespace {

constexpr int kProducts = 100000;

struct Loaded {
  testing::GroupedProducts grouped = testing::LoadGroupedProducts(kProducts, 7);
  std::shared_ptr<const analysis::GraphMeasures> measures =
      std::make_shared<const analysis::GraphMeasures>(
          analysis::ComputeMeasures(analysis::LinksOf(grouped.catalogue)).value());
  const Catalogue& catalogue() const { return grouped.catalogue; }
};

const Loaded& Load() {
  static const Loaded loaded;
  return loaded;
}

void BM_MakeRows(benchmark::State& state) {
  const Loaded& l = Load();
  ProductTableModel model;
  for (auto _ : state) {
    model.setCatalogue(&l.catalogue());
    model.setMeasures(l.measures);
    benchmark::DoNotOptimize(model.rowCount());
  }
  state.counters["rows"] = model.rowCount();
}

void BM_SortBy(benchmark::State& state) {
  const Loaded& l = Load();
  ProductTableModel model;
  model.setCatalogue(&l.catalogue());
  model.setMeasures(l.measures);
  bool down = false;
  for (auto _ : state) {
    model.sort(static_cast<int>(state.range(0)), down ? Qt::DescendingOrder : Qt::AscendingOrder);
    down = !down;
  }
}

// The better-ranked half of the products, then all of them again.
void BM_Filter(benchmark::State& state) {
  const Loaded& l = Load();
  ProductTableModel model;
  model.setCatalogue(&l.catalogue());
  model.setMeasures(l.measures);
  model.sort(static_cast<int>(ProductColumn::PageRank), Qt::DescendingOrder);
  const KeyWordMembership members(l.catalogue());
  std::vector<std::int32_t> ranks;
  for (const Product& p : l.catalogue().ProductTable)
    if (p.SalesRank > 0) ranks.push_back(p.SalesRank);
  std::nth_element(ranks.begin(), ranks.begin() + ranks.size() / 2, ranks.end());
  ProductFilter filter;
  filter.salesRank = IntRange{1, ranks[ranks.size() / 2]};
  const std::vector<bool> half = ShownProducts(filter, l.catalogue(), members, l.measures.get());
  std::size_t shown = 0;
  for (auto _ : state) {
    model.setShown(half);
    shown = model.rows().size();
    model.setShown({});
  }
  state.counters["shown"] = static_cast<double>(shown);
}

// What the table paints after a sort: 40 rows of every column.
void BM_Screenful(benchmark::State& state) {
  const Loaded& l = Load();
  ProductTableModel model;
  model.setCatalogue(&l.catalogue());
  model.setMeasures(l.measures);
  model.sort(static_cast<int>(ProductColumn::Title), Qt::AscendingOrder);
  for (auto _ : state)
    for (int row = 0; row < 40; ++row)
      for (int column = 0; column < kProductColumnCount; ++column)
        benchmark::DoNotOptimize(model.data(model.index(row, column), Qt::DisplayRole));
}

BENCHMARK(BM_MakeRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortBy)
    ->ArgName("column")
    ->DenseRange(0, kProductColumnCount - 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Filter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Screenful)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillon::grapher

BENCHMARK_MAIN();
