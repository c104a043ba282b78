// The crawl against the service on loopback with no pause, next to a program
// that only sends the same GET requests with libcurl: the crawl's own work
// (decoding, scanning, queueing, storing records) should cost little beside them.
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/clock.h"
#include "common/code_page.h"
#include "fetcher/crawl.h"
#include "fetcher/curl_easy.h"
#include "fetcher/http_retrieval.h"
#include "service/catalogue_generator.h"
#include "service/product_server.h"
#include "service/record_folder.h"

namespace quillon::fetcher {
namespace {

constexpr int kProducts = 5000;

class QuietHost : public Host {
 public:
  void setLabel(Label, std::string_view) override {}
  void processEvents() override {}
  bool askYesNo(std::string_view) override { return true; }
  void showMessage(std::string_view) override {}
  void showError(std::string_view) override {}
};

std::size_t DiscardBody(char*, std::size_t size, std::size_t count, void*) {
  return size * count;
}

// The service on a catalogue of kProducts products whose similar products all
// exist, a program folder whose one empty keyword follows every title, and the
// URLs one crawl from product 0 requests.
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

    // QUILLON_BENCH_DIR picks the file system that holds the records.
    const char* base = std::getenv("QUILLON_BENCH_DIR");
    const std::filesystem::path parent = base ? base : std::filesystem::temp_directory_path();
    std::string pattern = (parent / "crawl_bench.XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    folder = pattern;
    (void)WriteTextLinesAtomic(folder + "/keywords.txt", {""});
    std::filesystem::create_directory(folder + "/records");
    (void)WriteTextLinesAtomic(
        folder + "/setting.ini",
        {"[RequestURL]", "Prefix=" + server->prefix(), "Suffix=" + server->suffix(),
         "[DefaultSetting]", "RequestInterval=0", "XMLPath=" + folder + "/records"});

    const HttpGetter curl = MakeCurlGetter();
    const HttpGetter recording = [&](const std::string& url, std::vector<std::uint8_t>& buffer,
                                     const HttpTimeouts& limits) -> HttpResult {
      urls.push_back(url);
      return curl(url, buffer, limits);
    };
    crawl(recording);
  }
  ~Fixture() { std::filesystem::remove_all(folder); }

  void crawl(const HttpGetter& get) const {
    QuietHost host;
    SteadyClock clock;
    ProductRequester requester(folder, host, clock, get);
    const CrawlPlace place{host, clock, folder, ReadFetcherSettings(folder)};
    if (!CrawlSimilarProducts(place, requester, start).ok())
      throw std::runtime_error("crawl failed");
  }

  std::unique_ptr<service::ProductServer> server;
  std::string folder;
  std::string start;
  std::vector<std::string> urls;
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

void BM_Crawl(benchmark::State& state) {
  Fixture& fixture = TheFixture();
  const HttpGetter curl = MakeCurlGetter();
  for (auto _ : state) fixture.crawl(curl);
  state.counters["requests"] = static_cast<double>(fixture.urls.size());
}

// A first crawl: every record file is new rather than replacing one.
void BM_CrawlIntoEmptyFolder(benchmark::State& state) {
  Fixture& fixture = TheFixture();
  const HttpGetter curl = MakeCurlGetter();
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(fixture.folder + "/records");
    std::filesystem::create_directory(fixture.folder + "/records");
    state.ResumeTiming();
    fixture.crawl(curl);
  }
  state.counters["requests"] = static_cast<double>(fixture.urls.size());
}

// The same requests, each on a fresh handle as the crawl makes them, body discarded.
void BM_PlainGets(benchmark::State& state) {
  const Fixture& fixture = TheFixture();
  for (auto _ : state) {
    for (const std::string& url : fixture.urls) {
      CurlEasy curl;
      curl.set(CURLOPT_URL, url.c_str());
      curl.set(CURLOPT_WRITEFUNCTION, &DiscardBody);
      benchmark::DoNotOptimize(curl_easy_perform(curl.get()));
    }
  }
  state.counters["requests"] = static_cast<double>(fixture.urls.size());
}

// The same requests through the crawl's own retrieval, without the crawl around it.
void BM_RetrievalOnly(benchmark::State& state) {
  const Fixture& fixture = TheFixture();
  std::vector<std::uint8_t> buffer;
  for (auto _ : state)
    for (const std::string& url : fixture.urls)
      benchmark::DoNotOptimize(HttpGetBytes(url, buffer, ""));
  state.counters["requests"] = static_cast<double>(fixture.urls.size());
}

// The crawl with the answers served from memory: its own work alone.
void BM_CrawlWithoutNetwork(benchmark::State& state) {
  Fixture& fixture = TheFixture();
  std::unordered_map<std::string, std::vector<std::uint8_t>> answers;
  for (const std::string& url : fixture.urls) HttpGetBytes(url, answers[url], "");
  const HttpGetter fromMemory = [&](const std::string& url, std::vector<std::uint8_t>& buffer,
                                    const HttpTimeouts&) -> HttpResult {
    buffer = answers.at(url);
    return static_cast<std::int32_t>(buffer.size());
  };
  for (auto _ : state) fixture.crawl(fromMemory);
  state.counters["requests"] = static_cast<double>(fixture.urls.size());
}

// A resumed crawl over a folder that already holds every record: no request at
// all, so its time is that of reading the records.
void BM_ResumeOverStoredRecords(benchmark::State& state) {
  const auto products = static_cast<int>(state.range(0));
  service::GeneratedCatalogue generated = service::GenerateCatalogue(products, 5);
  service::ProductCatalogue all;
  for (const auto& product : generated.products) (void)all.add(product);
  // Only products that exist are listed, so every product met has its record.
  service::ProductCatalogue catalogue;
  for (auto product : generated.products) {
    std::erase_if(product.similar,
                  [&](const std::string& asin) { return all.find(asin) == nullptr; });
    (void)catalogue.add(std::move(product));
  }
  const char* base = std::getenv("QUILLON_BENCH_DIR");
  const std::filesystem::path parent = base ? base : std::filesystem::temp_directory_path();
  std::string folder = (parent / "resume_bench.XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) throw std::runtime_error("no temporary folder");
  (void)WriteTextLinesAtomic(folder + "/keywords.txt", {""});
  (void)WriteTextLinesAtomic(folder + "/setting.ini",
                             {"[RequestURL]", "Prefix=http://127.0.0.1:9/", "[DefaultSetting]",
                              "RequestInterval=1000", "ReuseStoredRecords=True"});
  const Expected<std::size_t> written = service::WriteRecordFolder(catalogue, folder);
  if (!written) throw std::runtime_error("no records");
  std::int64_t requests = 0;
  const HttpGetter none = [&](const std::string&, std::vector<std::uint8_t>&, const HttpTimeouts&) {
    ++requests;
    return HttpResult();
  };
  QuietHost host;
  SteadyClock clock;
  for (auto _ : state) {
    ProductRequester requester(folder, host, clock, none);
    const CrawlPlace place{host, clock, folder, ReadFetcherSettings(folder)};
    if (!CrawlSimilarProducts(place, requester, generated.products.front().asin).ok())
      throw std::runtime_error("resume failed");
  }
  std::filesystem::remove_all(folder);
  if (requests != 0) state.SkipWithError("a stored record was requested");
  state.counters["records"] = static_cast<double>(written.value());
}

BENCHMARK(BM_ResumeOverStoredRecords)->Arg(10'000)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_CrawlWithoutNetwork)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_RetrievalOnly)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_Crawl)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_CrawlIntoEmptyFolder)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_PlainGets)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
}  // namespace quillon::fetcher

int main(int argc, char** argv) {
  const quillon::fetcher::CurlGlobal curl;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
