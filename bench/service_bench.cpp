// How fast the product service builds and serves answers: the crawl benchmark
// must measure the crawler, not a slow server.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <memory>
#include <string>

#include "service/catalogue_generator.h"
#include "service/product_server.h"
#include "service/xml_answer.h"

namespace {

using namespace quillon::service;

ProductCatalogue generatedCatalogue(int count) {
  ProductCatalogue catalogue;
  for (auto& product : GenerateCatalogue(count, 1).products)
    (void)catalogue.add(std::move(product));
  return catalogue;
}

void BM_ProductAnswer(benchmark::State& state) {
  const ProductCatalogue catalogue = generatedCatalogue(5000);
  std::size_t i = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto answer = ProductAnswer(catalogue, catalogue.products()[i++ % catalogue.size()]);
    bytes += answer.size();
    benchmark::DoNotOptimize(answer.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_ProductAnswer);

std::size_t discard(char*, std::size_t size, std::size_t count, void*) {
  return size * count;
}

// One GET per product with a fresh easy handle each time, as the fetcher does.
void BM_LoopbackGet(benchmark::State& state) {
  const ProductCatalogue catalogue = generatedCatalogue(5000);
  ProductServer server(catalogue);
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string url = server.url(catalogue.products()[i++ % catalogue.size()].asin);
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), &curl_easy_cleanup);
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &discard);
    if (curl_easy_perform(curl.get()) != CURLE_OK) state.SkipWithError("GET failed");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LoopbackGet)->Unit(benchmark::kMicrosecond);

}  // namespace
