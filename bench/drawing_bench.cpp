// Layout against rendering of generated catalogues, one run each, headless.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>

#include "grapher/catalogue/keyword_membership.h"
#include "grapher/commands/keyword_graph.h"
#include "grapher/commands/similarity_graph.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/layout/placement.h"
#include "grapher/layout/relaxation.h"
#include "grapher/render/render_graph.h"
#include "tests/support/fake_clock.h"
#include "tests/support/recording_surface.h"

#ifdef QUILLON_BENCH_IMAGE
#include <QGuiApplication>
#include <cstdlib>

#include "grapher/ui/image_surface.h"
#endif

namespace quillon::grapher {
namespace {

constexpr int kKeyWords = 50;

class QuietHost final : public Host {
 public:
  void setLabel(Label, std::string_view) override {}
  void processEvents() override {}
  bool askYesNo(std::string_view) override { return true; }
  void showMessage(std::string_view) override {}
  void showError(std::string_view) override {}
};

// n products in a tree of three children each plus two random cross links,
// 50 keywords of which most titles hold one or two, ranks 1 to 100000.
const Catalogue& Generated(int n) {
  static std::map<int, Catalogue> cache;
  auto [it, added] = cache.try_emplace(n);
  if (!added) return it->second;
  Catalogue& c = it->second;
  std::mt19937 gen(12345);
  for (int k = 0; k < kKeyWords; ++k) {
    KeyWord key;
    key.Text = "Topic" + std::to_string(k) + "x";
    key.Relation.assign(kKeyWords, 0);
    c.KeyWordTable.push_back(std::move(key));
  }
  c.ProductTable.resize(n);
  for (int i = 0; i < n; ++i) {
    Product& p = c.ProductTable[i];
    p.ASIN = std::string("B").append(std::to_string(1000000000 + i));
    p.Title = "Generated product number " + std::to_string(i);
    for (int extra = gen() % 3; extra > 0; --extra)
      p.Title += " topic" + std::to_string(gen() % kKeyWords) + "X";
    p.SalesRank = static_cast<std::int32_t>(1 + gen() % 100000);
    for (int k = 1; k <= 3; ++k)
      if (3 * i + k < n) p.SimilarIndex.push_back(3 * i + k);
    for (int k = 0; k < 2; ++k) p.SimilarIndex.push_back(static_cast<std::int32_t>(gen() % n));
  }
  const KeyWordMembership members(c);
  for (int i = 0; i < n; ++i) {
    Product& p = c.ProductTable[i];
    const auto& own = members.keyWordsOf(i);
    p.KeyWordIndex = own.empty() ? -1 : own.front();
    for (const std::int32_t s : p.SimilarIndex) {
      p.SimilarASIN.push_back(c.ProductTable[s].ASIN);
      c.ProductTable[s].ReferrerIndex.push_back(i);
      c.ProductTable[s].ReferrerASIN.push_back(p.ASIN);
    }
  }
  return c;
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
