// The load command on grouped generated record folders of 10,000 and 100,000
// products (about four similar products each), against a baseline that only
// reads the same files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/working_folder.h"
#include "grapher/catalogue/load_product_data.h"
#include "service/catalogue_generator.h"
#include "service/record_folder.h"

#ifdef QUILLON_BENCH_WINDOW
#include <QApplication>
#include <QPushButton>

#include "grapher/ui/form_main.h"
#endif

namespace {

using namespace quillon;
using namespace quillon::grapher;

// A grouped generated catalogue's record folder on disk, as a complete crawl
// leaves it, removed when the program ends.
class RecordFolder {
 public:
  explicit RecordFolder(int products) {
    path_ = (std::filesystem::temp_directory_path() /
             ("quillon-load-bench-" + std::to_string(::getpid()) + "-" + std::to_string(products)))
                .string();
    const service::GeneratedCatalogue generated =
        service::GenerateCatalogue(products, 1, service::CatalogueShape::Groups);
    service::ProductCatalogue catalogue;
    std::set<std::string> loaded;  // what the load puts in its table: held and listed products
    for (const auto& product : generated.products) {
      loaded.insert(product.asin);
      loaded.insert(product.similar.begin(), product.similar.end());
      asins_.push_back(product.asin);
      if (!catalogue.add(product)) std::abort();
    }
    tableSize_ = loaded.size();
    if (!service::WriteRecordFolder(catalogue, path_)) std::abort();
    if (!WriteTextLinesAtomic(path_ + "/keywords.txt", generated.keywords)) std::abort();
  }
  ~RecordFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }
  const std::vector<std::string>& asins() const { return asins_; }
  std::size_t tableSize() const { return tableSize_; }

 private:
  std::string path_;
  std::vector<std::string> asins_;
  std::size_t tableSize_ = 0;
};

RecordFolder& FolderOf(int products) {
  static std::map<int, std::unique_ptr<RecordFolder>> folders;
  auto& folder = folders[products];
  if (!folder) folder = std::make_unique<RecordFolder>(products);
  return *folder;
}

class QuietHost final : public Host {
 public:
  void setLabel(Label, std::string_view) override {}
  void processEvents() override {}
  bool askYesNo(std::string_view) override { return false; }
  void showMessage(std::string_view) override {}
  void showError(std::string_view) override {}
};

void BM_LoadProductData(benchmark::State& state) {
  const RecordFolder& folder = FolderOf(static_cast<int>(state.range(0)));
  QuietHost host;
  Catalogue catalogue;
  for (auto _ : state) {
    const Status loaded = LoadProductData(folder.path(), catalogue, host);
    if (!loaded || catalogue.ProductTable.size() != folder.tableSize())
      state.SkipWithError("the load did not reach every product");
    benchmark::DoNotOptimize(catalogue.ProductTable.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Reads every record file into a string, as any program reading them would.
void BM_PlainRead(benchmark::State& state) {
  const RecordFolder& folder = FolderOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (const std::string& asin : folder.asins()) {
      std::ifstream in(folder.path() + "/" + asin + ".xml", std::ios::binary);
      const std::string content((std::istreambuf_iterator<char>(in)), {});
      bytes += content.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Opens, reads and closes every record file with system calls into one buffer:
// the floor for any load.
void BM_RawRead(benchmark::State& state) {
  const RecordFolder& folder = FolderOf(static_cast<int>(state.range(0)));
  std::vector<char> buffer(1 << 16);
  for (auto _ : state) {
    std::int64_t bytes = 0;
    for (const std::string& asin : folder.asins()) {
      const int fd = ::open((folder.path() + "/" + asin + ".xml").c_str(), O_RDONLY);
      if (fd < 0) continue;
      ssize_t got = 0;
      while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) bytes += got;
      ::close(fd);
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Reads, decodes and validates every record as the load does, and nothing more.
void BM_RecordRead(benchmark::State& state) {
  const RecordFolder& folder = FolderOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (const std::string& asin : folder.asins())
      bytes += LoadProductRecordFrom(folder.path(), asin).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

#ifdef QUILLON_BENCH_WINDOW
// The same load from the window's button on the offscreen platform: the status
// labels are repainted at most every 16 ms, so the window adds little.
void BM_LoadInWindow(benchmark::State& state) {
  const RecordFolder& folder = FolderOf(static_cast<int>(state.range(0)));
  FormMain form(folder.path());
  form.show();
  auto* button = form.findChild<QPushButton*>("CommandGetData");
  for (auto _ : state) {
    button->click();
    if (form.catalogue().ProductTable.size() != folder.tableSize())
      state.SkipWithError("the load did not reach every product");
  }
  state.counters["label_repaints"] = form.host().labelRepaints();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
// Records are read on worker threads: CPU is counted for the whole process.
BENCHMARK(BM_LoadInWindow)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
#endif

BENCHMARK(BM_RawRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProductData)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
#ifdef QUILLON_BENCH_WINDOW
  // Owned by main, so it ends before Qt's own globals do.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
