// A generated catalogue served by product-service, and a program folder whose
// settings point the fetcher at it with its records in a folder of their own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
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
  // Writes a catalogue of count generated products and its keywords.txt.
  void generate(int count) {
    const auto generated =
        RunProgram(BuiltProgram("service/product-service"),
                   {"--generate", std::to_string(count), "--seed", "23", "--out", cataloguePath(),
                    "--keywords-out", folder.file("keywords.txt")});
    ASSERT_EQ(generated.exitCode, 0) << generated.err;
  }

  // Generates count products (or uses the catalogue already written) and starts
  // the service with extra arguments (faults), stopping any earlier one.
  void serve(int count, const std::vector<std::string>& serviceArgs) {
    if (count > 0) generate(count);
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

  // Every file of the record folder by name (temporary files included), as bytes.
  std::map<std::string, std::string> recordFolderBytes() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(records())) {
      const std::string name = entry.path().filename().string();
      files[name] = folder.read("records/" + name);
    }
    return files;
  }

  // The ASINs of the product requests a service logged (--log), in order.
  std::vector<std::string> loggedAsins(const std::string& logName) const {
    std::vector<std::string> asins;
    std::istringstream log(folder.read(logName));
    for (std::string line; std::getline(log, line);) {
      const auto begin = line.find("/products/");
      const auto end = line.find(".xml\t", begin);
      if (begin != std::string::npos && end != std::string::npos)
        asins.push_back(line.substr(begin + 10, end - begin - 10));
    }
    return asins;
  }

  // Each product in the order first asked for (faults and kills make a product
  // asked again, and a product listed twice is asked twice).
  static std::vector<std::string> FirstRequests(const std::vector<std::string>& asins) {
    std::vector<std::string> first;
    std::set<std::string> seen;
    for (const std::string& asin : asins)
      if (seen.insert(asin).second) first.push_back(asin);
    return first;
  }

  TempFolder folder;
  service::ProductCatalogue catalogue;
  std::string start;
  std::unique_ptr<ServiceProcess> service;
};

}  // namespace quillon::testing
