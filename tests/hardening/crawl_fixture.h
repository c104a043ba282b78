// A generated catalogue served by product-service, and a program folder whose
// settings point the fetcher at it with its records in a folder of their own.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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

  // Every file of the record folder by name (temporary files included), as
  // bytes; the crawl log, which dates every request, aside.
  std::map<std::string, std::string> recordFolderBytes() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(records())) {
      const std::string name = entry.path().filename().string();
      if (name == "crawl-log.jsonl") continue;
      files[name] = folder.read("records/" + name);
    }
    return files;
  }

  struct LoggedRequest {
    long long arrivedMs = 0;
    std::string asin;
  };

  // The product requests a service logged (--log), in the order they arrived.
  // The service writes a line once its answer is out, so on a busy machine a
  // request's line can follow the next request's.
  std::vector<LoggedRequest> loggedRequests(const std::string& logName) const {
    std::vector<LoggedRequest> requests;
    std::istringstream log(folder.read(logName));
    for (std::string line; std::getline(log, line);) {
      const auto begin = line.find("/products/");
      const auto end = line.find(".xml\t", begin);
      if (begin != std::string::npos && end != std::string::npos)
        requests.push_back({std::stoll(line), line.substr(begin + 10, end - begin - 10)});
    }
    std::stable_sort(requests.begin(), requests.end(),
                     [](const auto& a, const auto& b) { return a.arrivedMs < b.arrivedMs; });
    return requests;
  }

  // Each product in the order first asked for (faults and kills make a product
  // asked again, and a product listed twice is asked twice).
  static std::vector<LoggedRequest> FirstRequests(const std::vector<LoggedRequest>& requests) {
    std::vector<LoggedRequest> first;
    std::set<std::string> seen;
    for (const LoggedRequest& r : requests)
      if (seen.insert(r.asin).second) first.push_back(r);
    return first;
  }

  // The same products in the same order, but that requests the log puts in
  // one millisecond (its resolution) may stand in any order among themselves.
  static ::testing::AssertionResult SameOrder(const std::vector<LoggedRequest>& a,
                                              const std::vector<LoggedRequest>& b) {
    if (a.size() != b.size())
      return ::testing::AssertionFailure() << a.size() << " products against " << b.size();
    // The first position after the millisecond of position k.
    const auto tieEnd = [](const std::vector<LoggedRequest>& r, std::size_t k) {
      std::size_t end = k + 1;
      while (end < r.size() && r[end].arrivedMs == r[k].arrivedMs) ++end;
      return end;
    };
    const auto products = [](const std::vector<LoggedRequest>& r, std::size_t from,
                             std::size_t to) {
      std::multiset<std::string> set;
      for (std::size_t k = from; k < to; ++k) set.insert(r[k].asin);
      return set;
    };
    for (std::size_t i = 0; i < a.size();) {
      if (a[i].asin == b[i].asin) {
        ++i;
        continue;
      }
      // Widen over whole milliseconds of either side until both hold the same products.
      std::size_t end = i + 1;
      for (;;) {
        const std::size_t wider = std::max(tieEnd(a, end - 1), tieEnd(b, end - 1));
        if (products(a, i, wider) == products(b, i, wider)) {
          end = wider;
          break;
        }
        if (wider == end)
          return ::testing::AssertionFailure()
                 << "at " << i << ": " << a[i].asin << " where " << b[i].asin << " was";
        end = wider;
      }
      i = end;
    }
    return ::testing::AssertionSuccess();
  }

  TempFolder folder;
  service::ProductCatalogue catalogue;
  std::string start;
  std::unique_ptr<ServiceProcess> service;
};

}  // namespace quillon::testing
