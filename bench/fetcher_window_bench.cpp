// A crawl of 5,000 products with no pause from the window on the offscreen
// platform, next to the same crawl from the command line: the window's labels
// must cost little beside the requests.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "common/code_page.h"
#include "fetcher/curl_easy.h"
#include "fetcher/http_retrieval.h"
#include "fetcher/pacing_clock.h"
#include "fetcher/ui/command_line.h"
#include "fetcher/ui/form_main.h"
#include "service/catalogue_generator.h"
#include "service/product_server.h"

namespace quillon::fetcher {
namespace {

constexpr int kProducts = 5000;

// The service on loopback with a catalogue whose similar products all exist,
// and a program folder whose one empty keyword follows every title.
struct Fixture {
  Fixture() {
    service::GeneratedCatalogue generated = service::GenerateCatalogue(kProducts, 5);
    service::ProductCatalogue catalogue;
    for (const auto& product : generated.products) (void)catalogue.add(product);
    service::ProductCatalogue closed;
    for (auto product : generated.products) {
      std::erase_if(product.similar,
                    [&](const std::string& asin) { return catalogue.find(asin) == nullptr; });
      (void)closed.add(std::move(product));
    }
    start = generated.products.front().asin;
    server = std::make_unique<service::ProductServer>(std::move(closed));

    std::string pattern = (std::filesystem::temp_directory_path() / "window_bench.XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    folder = pattern;
    (void)WriteTextLinesAtomic(folder + "/keywords.txt", {""});
    std::filesystem::create_directory(folder + "/records");
    (void)WriteTextLinesAtomic(
        folder + "/setting.ini",
        {"[RequestURL]", "Prefix=" + server->prefix(), "Suffix=" + server->suffix(),
         "[DefaultSetting]", "RequestInterval=0", "XMLPath=" + folder + "/records"});
    // Both crawls then replace record files rather than create them.
    if (RunHeadlessCrawl(folder, start, 5, MakeCurlGetter()) != 0)
      throw std::runtime_error("the first crawl failed");
  }
  ~Fixture() { std::filesystem::remove_all(folder); }

  std::unique_ptr<service::ProductServer> server;
  std::string folder;
  std::string start;
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

// Progress goes to stderr as it would from a terminal or a log.
void BM_CommandLineCrawl(benchmark::State& state) {
  const Fixture& fixture = TheFixture();
  for (auto _ : state) {
    if (RunHeadlessCrawl(fixture.folder, fixture.start, 5, MakeCurlGetter()) != 0)
      state.SkipWithError("the crawl failed");
  }
  state.SetItemsProcessed(state.iterations() * kProducts);
}

void BM_WindowCrawl(benchmark::State& state) {
  const Fixture& fixture = TheFixture();
  PacingClock clock;
  FormMain window(fixture.folder, MakeCurlGetter(), clock);
  int finished = 0;
  window.host().setMessageNotice([&](std::string_view) { ++finished; });
  window.host().setErrorNotice([&](std::string_view) { state.SkipWithError("the crawl failed"); });
  window.show();
  window.TextStartProductASIN->setText(QString::fromStdString(fixture.start));
  for (auto _ : state) window.CommandGetSimilarities->click();
  if (finished != state.iterations()) state.SkipWithError("a crawl did not finish");
  state.counters["label_repaints"] = window.host().labelRepaints();
  state.SetItemsProcessed(state.iterations() * kProducts);
}

BENCHMARK(BM_CommandLineCrawl)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_WindowCrawl)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace
}  // namespace quillon::fetcher

int main(int argc, char** argv) {
  const quillon::fetcher::CurlGlobal curl;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
