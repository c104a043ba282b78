// scripts/demo-run without a display: every product reachable under the keyword
// rule gets a record file, and both graphs come out as pictures with content.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QImage>
#include <filesystem>

#include "common/code_page.h"
#include "service/product_catalogue.h"
#include "tests/support/crawl_expectations.h"
#include "tests/support/service_process.h"
#include "tests/support/temp_folder.h"

namespace quillon::testing {
namespace {

const std::string kSource = QUILLON_SOURCE_DIR;

// Pixels that are not the white background.
int InkedPixels(const std::string& path) {
  const QImage image(QString::fromStdString(path));
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) ++inked;
  return inked;
}

TEST(Demo, HeadlessFlowStoresEveryReachableProductAndDrawsBothGraphs) {
  const TempFolder folder;
  const std::string demo = folder.file("demo");
  const std::string build = std::filesystem::path(BuiltProgram("grapher")).parent_path().string();
  ::setenv("QUILLON_DEMO_HEADLESS", "1", 1);
  const auto ran = RunProgram("/bin/bash", {kSource + "/scripts/demo-run", build, demo},
                              std::chrono::minutes(5));
  ASSERT_EQ(ran.exitCode, 0) << ran.out << ran.err;
  EXPECT_NE(ran.out.find(demo + "/similarity.png"), std::string::npos) << ran.out;

  const auto catalogue = service::ProductCatalogue::LoadFile(kSource + "/samples/catalogue.jsonl");
  ASSERT_TRUE(catalogue.ok()) << catalogue.error();
  const auto keywords = ReadTextLines(kSource + "/samples/keywords.txt");
  ASSERT_TRUE(keywords.ok()) << keywords.error();
  const auto start = ReadFirstLine(kSource + "/samples/start.txt");
  ASSERT_TRUE(start.ok());
  std::string asin = start.value();
  while (!asin.empty() && asin.back() == '\n') asin.pop_back();
  const auto expected = ProductsReached(catalogue.value(), asin, keywords.value());
  EXPECT_GT(expected.size(), 1000u);
  // The installed setting.ini keeps the records in a subfolder, which the crawl made.
  EXPECT_EQ(RecordFiles(demo + "/records"), expected);

  for (const char* picture : {"similarity.png", "keywords.png"})
    EXPECT_GT(InkedPixels(demo + "/" + picture), 100) << picture;
  EXPECT_TRUE(std::filesystem::exists(demo + "/similarity.svg"));
  EXPECT_TRUE(std::filesystem::exists(demo + "/keywords.svg"));
}

}  // namespace
}  // namespace quillon::testing
