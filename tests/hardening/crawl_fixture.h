// A generated catalogue served by product-service, and a program folder whose
// settings point the fetcher at it with its records in a folder of their own.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "service/product_catalogue.h"
#include "tests/support/crawl_expectations.h"
#include "tests/support/service_process.h"
#include "tests/support/temp_folder.h"

namespace quillon::testing {

class CrawlFixture : public ::testing::Test {
 protected:
  // Generates count products (or uses the catalogue already written) and starts
  // the service with extra arguments (faults).
  void serve(int count, const std::vector<std::string>& serviceArgs) {
    if (count > 0) {
      const auto generated =
          RunProgram(BuiltProgram("service/product-service"),
                     {"--generate", std::to_string(count), "--seed", "23", "--out", cataloguePath(),
                      "--keywords-out", folder.file("keywords.txt")});
      ASSERT_EQ(generated.exitCode, 0) << generated.err;
    }
    auto loaded = service::ProductCatalogue::LoadFile(cataloguePath());
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    catalogue = std::move(loaded).value();
    start = catalogue.products().front().asin;
    std::vector<std::string> args{"--catalogue", cataloguePath()};
    args.insert(args.end(), serviceArgs.begin(), serviceArgs.end());
    service = std::make_unique<ServiceProcess>(args);
    std::filesystem::create_directory(records());
    WriteCrawlSettings(folder.path(), service->prefix(), service->suffix(), records());
  }

  std::string cataloguePath() const { return folder.file("catalogue.jsonl"); }
  std::string records() const { return folder.file("records"); }

  std::vector<std::string> fetcherArgs(int retries) const {
    return {"--folder", folder.path(), "--start", start, "--retries", std::to_string(retries)};
  }

  // The record folder holds exactly the reachable products, each a complete answer.
  void expectCompleteCrawl() const {
    const auto keywords = ReadTextLines(folder.file("keywords.txt"));
    ASSERT_TRUE(keywords.ok()) << keywords.error();
    const std::set<std::string> expected = ProductsReached(catalogue, start, keywords.value());
    EXPECT_EQ(RecordFiles(records()), expected);
    for (const std::string& asin : RecordFiles(records())) {
      const std::string problem = RecordProblem(records(), asin);
      EXPECT_TRUE(problem.empty()) << problem;
    }
  }

  TempFolder folder;
  service::ProductCatalogue catalogue;
  std::string start;
  std::unique_ptr<ServiceProcess> service;
};

}  // namespace quillon::testing
