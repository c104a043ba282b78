// The interactive view on grouped generated catalogues, laid out: the cost of one frame
// while panning or zooming (the last full picture drawn transformed), a full
// redraw off the window thread, the hover hit test and a title search.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "grapher/catalogue/keyword_membership.h"
#include "grapher/commands/similarity_graph.h"
#include "grapher/ui/image_surface.h"
#include "grapher/view/product_filter.h"
#include "grapher/view/product_finder.h"
#include "grapher/view/product_grid.h"
#include "grapher/view/view_render.h"
#include "tests/support/fake_clock.h"
#include "tests/support/grouped_products.h"
#include "tests/support/recording_surface.h"

namespace quillon::grapher {
namespace {

const QSize kViewSize(844, 564);  // the window's Graph
constexpr double kFitMargin = 20;

class QuietHost final : public Host {
 public:
  void setLabel(Label, std::string_view) override {}
  void processEvents() override {}
  bool askYesNo(std::string_view) override { return true; }
  void showMessage(std::string_view) override {}
  void showError(std::string_view) override {}
};

// n products of a grouped generated catalogue, loaded as the grapher loads
// them and laid out by the draw command with the default settings.
struct LaidOut {
  Catalogue catalogue;
  KeyWordMembership members;
  ViewTransform fitted;
};

const LaidOut& Generated(int n) {
  static std::map<int, LaidOut> cache;
  auto [it, added] = cache.try_emplace(n);
  if (!added) return it->second;
  Catalogue& c = it->second.catalogue;
  c = quillon::testing::LoadGroupedProducts(n, 1).catalogue;
  testing::NullSurface layoutSurface(static_cast<float>(kViewSize.width()),
                                     static_cast<float>(kViewSize.height()));
  QuietHost host;
  quillon::testing::FakeClock clock;
  PlacementDirections directions(RandomSource(7));
  DrawSimilarityGraph("/nonexistent", c, directions, layoutSurface, host, clock);
  it->second.members = KeyWordMembership(c);
  const ImageSurface measuring(kViewSize);
  it->second.fitted =
      FitTransform(DrawingBounds(c, measuring), kViewSize.width(), kViewSize.height(), kFitMargin);
  return it->second;
}

ViewTransform ZoomedIn(const ViewTransform& fitted) {
  ViewTransform t = fitted;
  t.zoomAbout({kViewSize.width() * 0.4, kViewSize.height() * 0.6}, 8);
  return t;
}

QImage FullPicture(const LaidOut& data, const ViewTransform& t) {
  ImageSurface surface(kViewSize);
  RenderView(data.catalogue, data.members, t, ViewStyle{}, surface);
  return surface.picture();
}

// One frame while the user drags or turns the wheel: the last full picture,
// moved and scaled by the change since it was drawn, onto the widget's image.
void BM_ViewFrame(benchmark::State& state, bool zoomed) {
  const LaidOut& data = Generated(static_cast<int>(state.range(0)));
  const QImage last = FullPicture(data, zoomed ? ZoomedIn(data.fitted) : data.fitted);
  QImage frame(kViewSize, QImage::Format_ARGB32_Premultiplied);
  double step = 0;
  for (auto _ : state) {
    step = step > 50 ? 0 : step + 1;
    QTransform delta;
    delta.translate(kViewSize.width() / 2.0 + step, kViewSize.height() / 2.0 - step);
    delta.scale(1 + step / 100, 1 + step / 100);
    delta.translate(-kViewSize.width() / 2.0, -kViewSize.height() / 2.0);
    QPainter painter(&frame);
    painter.fillRect(frame.rect(), Qt::white);
    painter.setTransform(delta);
    painter.drawImage(0, 0, last);
    painter.end();
    benchmark::DoNotOptimize(frame.constBits());
  }
}

void BM_FullRedraw(benchmark::State& state) {
  const LaidOut& data = Generated(static_cast<int>(state.range(0)));
  ImageSurface surface(kViewSize);
  for (auto _ : state) {
    RenderView(data.catalogue, data.members, data.fitted, ViewStyle{}, surface);
    benchmark::DoNotOptimize(surface.image().constBits());
  }
}

// The drawing's own picture (1:1, default style), as the draw command leaves it.
void BM_FullRedrawOneToOne(benchmark::State& state) {
  const LaidOut& data = Generated(static_cast<int>(state.range(0)));
  ImageSurface surface(kViewSize);
  for (auto _ : state) {
    RenderView(data.catalogue, data.members, ViewTransform{}, ViewStyle{}, surface);
    benchmark::DoNotOptimize(surface.image().constBits());
  }
}

void BM_FullRedrawCalls(benchmark::State& state) {
  const LaidOut& data = Generated(static_cast<int>(state.range(0)));
  testing::NullSurface surface(844, 564);
  for (auto _ : state) {
    surface.operations = 0;
    RenderView(data.catalogue, data.members, data.fitted, ViewStyle{}, surface);
  }
  state.counters["ops"] = static_cast<double>(surface.operations);
  state.counters["scale"] = data.fitted.scale;
}

void BM_HoverHitTest(benchmark::State& state) {
  const LaidOut& data = Generated(static_cast<int>(state.range(0)));
  const ProductGrid grid(data.catalogue.ProductTable);
  std::mt19937 gen(3);
  std::uniform_real_distribution<double> x(0, kViewSize.width()), y(0, kViewSize.height());
  std::int64_t hits = 0;
  for (auto _ : state) {
    const Point at = data.fitted.toGraph({x(gen), y(gen)});
    hits += grid.HitTest(at.x, at.y, HitRadius(data.fitted.scale)).has_value() ? 1 : 0;
  }
  state.counters["hit share"] =
      benchmark::Counter(static_cast<double>(hits) / static_cast<double>(state.iterations()));
}

void BM_TitleSearch(benchmark::State& state) {
  const LaidOut& data = Generated(static_cast<int>(state.range(0)));
  const ProductFinder finder(data.catalogue);
  std::size_t found = 0;
  for (auto _ : state) found = finder.Find("ｶﾞｲﾄﾞ 入門").size();
  state.counters["matches"] = static_cast<double>(found);
}

// A filter change: which products pass a keyword, a rank range and a neighbourhood.
void BM_Filter(benchmark::State& state) {
  const LaidOut& data = Generated(static_cast<int>(state.range(0)));
  ProductFilter filter;
  filter.keyWords = {3, 5};  // the two spellings of a guide
  filter.salesRank = IntRange{1, 50000};
  filter.around = 0;
  filter.hops = 6;
  std::size_t shown = 0;
  for (auto _ : state) {
    const std::vector<bool> marks = ShownProducts(filter, data.catalogue, data.members, nullptr);
    shown = static_cast<std::size_t>(std::count(marks.begin(), marks.end(), true));
  }
  state.counters["shown"] = static_cast<double>(shown);
}

// What a load adds once: the grid and the folded titles.
void BM_IndexBuild(benchmark::State& state) {
  const LaidOut& data = Generated(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ProductGrid(data.catalogue.ProductTable).size());
    benchmark::DoNotOptimize(ProductFinder(data.catalogue).size());
  }
}

void Register() {
  for (const int n : {10000, 100000}) {
    for (const bool zoomed : {false, true}) {
      const std::string name = std::string("ViewFrame/") + (zoomed ? "zoom8" : "fitted");
      benchmark::RegisterBenchmark(name.c_str(),
                                   [zoomed](benchmark::State& s) { BM_ViewFrame(s, zoomed); })
          ->Arg(n)
          ->Unit(benchmark::kMillisecond);
    }
  }
  // Many lines are marked on two threads: the processor time of the whole process.
  benchmark::RegisterBenchmark("FullRedraw", BM_FullRedraw)
      ->Arg(10000)
      ->Arg(100000)
      ->Unit(benchmark::kMillisecond)
      ->MeasureProcessCPUTime();
  benchmark::RegisterBenchmark("FullRedrawOneToOne", BM_FullRedrawOneToOne)
      ->Arg(10000)
      ->Arg(100000)
      ->Unit(benchmark::kMillisecond)
      ->MeasureProcessCPUTime();
  benchmark::RegisterBenchmark("FullRedrawCalls", BM_FullRedrawCalls)
      ->Arg(100000)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("HoverHitTest", BM_HoverHitTest)
      ->Arg(100000)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("TitleSearch", BM_TitleSearch)
      ->Arg(100000)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Filter", BM_Filter)
      ->Arg(10000)
      ->Arg(100000)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("IndexBuild", BM_IndexBuild)
      ->Arg(100000)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace quillon::grapher

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);  // fonts and painting need one
  quillon::grapher::Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
