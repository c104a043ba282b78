// Layout against rendering of grouped generated catalogues, one run each, headless.
#include <benchmark/benchmark.h>

#include "grapher/catalogue/keyword_membership.h"
#include "grapher/commands/keyword_graph.h"
#include "grapher/commands/similarity_graph.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/layout/placement.h"
#include "grapher/layout/relaxation.h"
#include "grapher/render/render_graph.h"
#include "tests/support/fake_clock.h"
#include "tests/support/grouped_products.h"
#include "tests/support/recording_surface.h"

#ifdef QUILLON_BENCH_IMAGE
#include <QGuiApplication>
#include <cstdlib>

#include "grapher/ui/image_surface.h"
#endif

namespace quillon::grapher {
namespace {

class QuietHost final : public Host {
 public:
  void setLabel(Label, std::string_view) override {}
  void processEvents() override {}
  bool askYesNo(std::string_view) override { return true; }
  void showMessage(std::string_view) override {}
  void showError(std::string_view) override {}
};

// n products of a grouped generated catalogue, loaded as the grapher loads them.
const Catalogue& Generated(int n) {
  return quillon::testing::KeptGroupedProducts(n).catalogue;
}

struct Bench {
  explicit Bench(int n, Surface& s)
      : catalogue(Generated(n)),
        settings(ReadLayoutSettings(kFolder)),  // no file: the defaults
        directions(RandomSource(7)),
        surface(s) {}
  // Everything the draw command does before its final render, one iteration.
  void layout() {
    auto& products = catalogue.ProductTable;
    auto& keyWords = catalogue.KeyWordTable;
    PlaceProducts(products, settings, directions, surface, host);
    CenterProducts(products, surface, host);
    members = KeyWordMembership(catalogue);
    PlaceKeyWords(products, keyWords, members, host);
    PullToReferrers(products, settings.ProductCloseForce, host);
    PullProductsToKeyWords(products, keyWords, members, settings.ProductCloseForceByKeyWord, host);
    PullKeyWordsToProducts(products, keyWords, members, settings.KeyWordCloseForce, host);
    CenterProducts(products, surface, host);
  }
  void render() { RenderGraph(catalogue, members, settings.DrawProductName, surface, host); }

  static constexpr const char* kFolder = "/nonexistent";
  Catalogue catalogue;
  LayoutSettings settings;
  PlacementDirections directions;
  Surface& surface;
  QuietHost host;
  quillon::testing::FakeClock clock;
  KeyWordMembership members;
};

void BM_Layout(benchmark::State& state) {
  testing::NullSurface surface;
  for (auto _ : state) {
    state.PauseTiming();
    Bench b(static_cast<int>(state.range(0)), surface);
    state.ResumeTiming();
    b.layout();
  }
}

void BM_Membership(benchmark::State& state) {
  const Catalogue& c = Generated(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(KeyWordMembership(c));
}

void BM_Render(benchmark::State& state) {
  testing::NullSurface surface;
  Bench b(static_cast<int>(state.range(0)), surface);
  b.layout();
  surface.presents = surface.operations = 0;
  for (auto _ : state) b.render();
  state.counters["presents"] = static_cast<double>(surface.presents);
  state.counters["operations"] = static_cast<double>(surface.operations);
}

void BM_DrawSimilarityGraph(benchmark::State& state) {
  testing::NullSurface surface;
  for (auto _ : state) {
    state.PauseTiming();
    Bench b(static_cast<int>(state.range(0)), surface);
    state.ResumeTiming();
    DrawSimilarityGraph(Bench::kFolder, b.catalogue, b.directions, surface, b.host, b.clock);
  }
}

void BM_DrawKeyWordGraph(benchmark::State& state) {
  testing::NullSurface surface;
  for (auto _ : state) {
    state.PauseTiming();
    Bench b(static_cast<int>(state.range(0)), surface);
    state.ResumeTiming();
    benchmark::DoNotOptimize(
        DrawKeyWordGraph(Bench::kFolder, b.catalogue, b.directions, surface, b.host).ok());
  }
}

#define QUILLON_SIZES ->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_Layout) QUILLON_SIZES;
BENCHMARK(BM_Membership) QUILLON_SIZES;
BENCHMARK(BM_Render) QUILLON_SIZES;
BENCHMARK(BM_DrawSimilarityGraph) QUILLON_SIZES;
BENCHMARK(BM_DrawKeyWordGraph) QUILLON_SIZES;

#ifdef QUILLON_BENCH_IMAGE
// The same render onto the QImage that backs the window and the PNG output.
void BM_RenderImage(benchmark::State& state) {
  ImageSurface surface(QSize(844, 564));
  Bench b(static_cast<int>(state.range(0)), surface);
  b.layout();
  for (auto _ : state) b.render();
}
BENCHMARK(BM_RenderImage) QUILLON_SIZES;
#endif

}  // namespace
}  // namespace quillon::grapher

int main(int argc, char** argv) {
#ifdef QUILLON_BENCH_IMAGE
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);  // fonts and painting need one
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
