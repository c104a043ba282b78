// Peak memory of the fetcher storing one long answer and of the grapher
// reading it back, against the answer's size. Each measurement runs in a child
// process, whose maximum resident size the parent reads when it ends.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "common/code_page.h"
#include "common/terminal_host.h"
#include "fetcher/crawl.h"
#include "fetcher/curl_easy.h"
#include "fetcher/pacing_clock.h"
#include "grapher/catalogue/record_reader.h"
#include "service/product_server.h"

namespace {

using namespace quillon;

constexpr std::size_t kAnswerBytes = std::size_t{40} << 20;
constexpr double kMegabyte = 1 << 20;

const fetcher::CurlGlobal curl;

// Runs work in a child process and returns its peak resident size in bytes.
template <class Work>
double ChildPeakBytes(Work work) {
  const pid_t child = ::fork();
  if (child == 0) {
    work();
    ::_exit(0);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child) return 0;
  return static_cast<double>(usage.ru_maxrss) * 1024;
}

// A product whose answer is padded to kAnswerBytes; its title holds Japanese
// text, so the code-page conversion does real work.
struct Fixture {
  Fixture() {
    service::ProductCatalogue catalogue;
    std::string title;
    for (int i = 0; i < 100'000; ++i) title += "日本の本";
    (void)catalogue.add({"A", title, 1, {}});
    service::ServerOptions options;
    options.answerBytes = kAnswerBytes;
    options.chunked = true;  // growth without a length to reserve for: the worst case
    server = std::make_unique<service::ProductServer>(std::move(catalogue), options);
    folder = (std::filesystem::temp_directory_path() /
              ("quillon-memory-bench-" + std::to_string(::getpid())))
                 .string();
    std::filesystem::create_directories(folder);
    (void)WriteTextLinesAtomic(folder + "/keywords.txt", {"日本"});
    (void)WriteTextLinesAtomic(
        folder + "/setting.ini",
        {"[RequestURL]", "Prefix=" + server->prefix(), "Suffix=" + server->suffix(),
         "[DefaultSetting]", "RequestInterval=0", "MaxAnswerMegabytes=0"});
  }
  ~Fixture() { std::filesystem::remove_all(folder); }

  std::unique_ptr<service::ProductServer> server;
  std::string folder;
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

void Report(benchmark::State& state, double peak, double baseline) {
  state.counters["peak_MB"] = (peak - baseline) / kMegabyte;
  state.counters["answer_MB"] = static_cast<double>(kAnswerBytes) / kMegabyte;
  state.counters["peak_per_answer"] = (peak - baseline) / static_cast<double>(kAnswerBytes);
}

void BM_FetcherStoresLongAnswer(benchmark::State& state) {
  Fixture& fixture = TheFixture();
  double peak = 0;
  double baseline = 0;
  for (auto _ : state) {
    baseline = ChildPeakBytes([] {});
    peak = ChildPeakBytes([&fixture] {
      std::ostream discarded(nullptr);  // a log would hold its own copy of every label
      TerminalHost host(discarded, false);
      fetcher::PacingClock clock;
      fetcher::ProductRequester requester(fixture.folder, host, clock, fetcher::MakeCurlGetter());
      const fetcher::CrawlPlace place{host, clock, fixture.folder,
                                      fetcher::ReadFetcherSettings(fixture.folder)};
      (void)fetcher::CrawlSimilarProducts(place, requester, "A");
    });
  }
  Report(state, peak, baseline);
}
BENCHMARK(BM_FetcherStoresLongAnswer)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_GrapherReadsLongRecord(benchmark::State& state) {
  Fixture& fixture = TheFixture();
  double peak = 0;
  double baseline = 0;
  for (auto _ : state) {
    baseline = ChildPeakBytes([] {});
    peak = ChildPeakBytes([&fixture] {
      const grapher::RecordReader reader(fixture.folder, {"日本"});
      benchmark::DoNotOptimize(reader.read("A").title.size());
    });
  }
  Report(state, peak, baseline);
}
BENCHMARK(BM_GrapherReadsLongRecord)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
