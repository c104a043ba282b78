// The load command on generated record folders of 10,000 and 100,000 products
// (about five similar products each), against a baseline that only reads the
// same files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/working_folder.h"
#include "grapher/catalogue/load_product_data.h"

#ifdef QUILLON_BENCH_WINDOW
#include <QApplication>
#include <QPushButton>

#include "grapher/ui/form_main.h"
#endif

namespace {

using namespace quillon;
using namespace quillon::grapher;

constexpr int kKeyWords = 50;
constexpr int kSimilar = 5;

std::string Asin(int i) {
  return std::string("B").append(std::to_string(1000000000 + i));
}

// A catalogue folder on disk, removed when the program ends.
class RecordFolder {
 public:
  explicit RecordFolder(int products) {
    path_ = (std::filesystem::temp_directory_path() /
             ("quillon-load-bench-" + std::to_string(::getpid()) + "-" + std::to_string(products)))
                .string();
    std::filesystem::create_directories(path_);
    std::mt19937 random(products);
    std::string keywords;
    for (int k = 0; k < kKeyWords; ++k) keywords += "キーワード" + std::to_string(k) + "\r\n";
    write("keywords.txt", Utf8ToCodePage(keywords));
    write("StartProductASIN.txt", Asin(0) + "\r\n");
    for (int i = 0; i < products; ++i) {
      // Children 5i+1 .. 5i+5 make every product reachable; the rest point back at random.
      std::string similar;
      for (int j = 1; j <= kSimilar; ++j) {
        const int target = kSimilar * i + j < products
                               ? kSimilar * i + j
                               : static_cast<int>(random() % static_cast<unsigned>(products));
        similar += "<SimilarProduct><ASIN>" + Asin(target) + "</ASIN><Title>関連商品 " +
                   std::to_string(target) + "</Title></SimilarProduct>";
      }
      const std::string record =
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ItemLookupResponse><OperationRequest>"
          "<RequestId>0b3c5d7e-1f2a-4b6c-8d9e-" +
          std::to_string(100000000000 + i) +
          "</RequestId></OperationRequest><Items><Request><IsValid>True</IsValid>"
          "<ItemLookupRequest><ItemId>" +
          Asin(i) + "</ItemId></ItemLookupRequest></Request><Item><ASIN>" + Asin(i) +
          "</ASIN><SalesRank>" + std::to_string(random() % 500000) +
          "</SalesRank><ItemAttributes><Title>商品 " + std::to_string(i) + " デジタル キーワード" +
          std::to_string(random() % (2 * kKeyWords)) +
          " 対応モデル</Title><Manufacturer>メーカー</Manufacturer></ItemAttributes>"
          "<SimilarProducts>" +
          similar + "</SimilarProducts></Item></Items></ItemLookupResponse>\r\n";
      write(Asin(i) + ".xml", Utf8ToCodePage(record));
      asins_.push_back(Asin(i));
    }
  }
  ~RecordFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }
  const std::vector<std::string>& asins() const { return asins_; }

 private:
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(path_ + "/" + name, std::ios::binary) << bytes;
  }
  std::string path_;
  std::vector<std::string> asins_;
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
    if (!loaded || catalogue.ProductTable.size() != folder.asins().size())
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
    if (form.catalogue().ProductTable.size() != folder.asins().size())
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
