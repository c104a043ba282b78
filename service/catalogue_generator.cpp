#include "service/catalogue_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string_view>

#include "common/atomic_file.h"
#include "common/code_page.h"
#include "service/grouped_catalogue.h"
#include "service/title_words.h"

namespace quillon::service {

namespace {

constexpr std::uint64_t kAsinSpace = 2821109907456ULL;  // 36^8
constexpr std::uint64_t kAsinStride = 1000003ULL;       // prime, so i -> i*stride is one-to-one

std::string makeTitle(std::mt19937_64& engine, int index) {
  std::string title;
  // Product 0 always carries a keyword so that a crawl from it goes somewhere.
  const bool withTopic = index == 0 || unitDraw(engine) < 0.85;
  const auto words = 1 + pick(engine, 3);
  for (std::size_t w = 0; w < words; ++w) {
    if (!title.empty()) title += ' ';
    title += withTopic ? kWords[pick(engine, kWords.size())]
                       : kPlainWords[pick(engine, kPlainWords.size())];
  }
  if (withTopic) {
    const auto& topic = kTopics[pick(engine, kTopics.size())];
    const std::string_view spelling = topic.spellings[pick(engine, topic.spellings.size())];
    title = unitDraw(engine) < 0.5 ? std::string(spelling) + " " + title
                                   : title + " " + std::string(spelling);
  }
  return title + " " + std::to_string(index + 1);
}

// Pareto-distributed ranks: a few best sellers, a long tail of slow ones.
std::int64_t salesRank(std::mt19937_64& engine) {
  const double u = 1.0 - unitDraw(engine);  // in (0, 1]
  const double rank = std::floor(std::pow(u, -1.0 / 0.4));
  return static_cast<std::int64_t>(std::min(rank, 10'000'000.0));
}

}  // namespace

std::string GeneratedAsin(std::uint64_t index) {
  static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::uint64_t value = (index * kAsinStride + 7777777ULL) % kAsinSpace;
  std::string asin = "B0XXXXXXXX";
  for (int position = 9; position >= 2; --position) {
    asin[position] = kDigits[value % 36];
    value /= 36;
  }
  return asin;
}

GeneratedCatalogue GenerateCatalogue(int count, std::uint64_t seed, CatalogueShape shape) {
  if (shape == CatalogueShape::Groups) return GenerateGroupedCatalogue(count, seed);
  GeneratedCatalogue generated;
  for (const auto& topic : kTopics) generated.keywords.emplace_back(topic.spellings[0]);

  std::mt19937_64 engine(seed);
  const auto total = static_cast<std::uint64_t>(std::max(count, 0));
  std::uint64_t nextUnknown = total;
  generated.products.reserve(total);
  for (std::uint64_t i = 0; i < total; ++i) {
    CatalogueProduct product;
    product.asin = GeneratedAsin(i);
    product.title = makeTitle(engine, static_cast<int>(i));
    product.salesRank = salesRank(engine);
    if (shape == CatalogueShape::Chain) {
      if (i + 1 < total) product.similar.push_back(GeneratedAsin(i + 1));
      generated.products.push_back(std::move(product));
      continue;
    }
    // Tree links from every product keep the whole catalogue reachable from product 0.
    for (std::uint64_t child = 2 * i + 1; child <= 2 * i + 2 && child < total; ++child) {
      product.similar.push_back(GeneratedAsin(child));
    }
    const auto extra = 3 + pick(engine, 3);
    for (std::size_t e = 0; e < extra; ++e) {
      const double kind = unitDraw(engine);
      if (kind < 0.08) {
        product.similar.push_back(GeneratedAsin(nextUnknown++));
      } else if (kind < 0.10 && !product.similar.empty()) {
        product.similar.push_back(product.similar.front());  // a duplicate within one list
      } else if (total > 0) {
        product.similar.push_back(GeneratedAsin(pick(engine, total)));
      }
    }
    for (std::size_t k = product.similar.size(); k > 1; --k) {
      std::swap(product.similar[k - 1], product.similar[pick(engine, k)]);
    }
    generated.products.push_back(std::move(product));
  }
  return generated;
}

Status WriteGeneratedCatalogue(const GeneratedCatalogue& generated, const std::string& path,
                               const std::string& keywordsPath) {
  AtomicFile file(path);
  for (const auto& product : generated.products) file.stream() << CatalogueLine(product) << '\n';
  if (auto written = file.commit(); !written) return written;
  if (!keywordsPath.empty()) return WriteTextLinesAtomic(keywordsPath, generated.keywords);
  return Success();
}

}  // namespace quillon::service
