// The products the service answers for, loaded once from a JSON Lines file and
// indexed by ASIN so that a request never touches the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/expected.h"

namespace quillon::service {

struct CatalogueProduct {
  std::string asin;
  std::string title;                      // raw bytes; may hold control characters or invalid UTF-8
  std::optional<std::int64_t> salesRank;  // no SalesRank element when absent
  std::vector<std::string> similar;       // ASINs, possibly unknown ones
  std::optional<std::int32_t> group =
      std::nullopt;  // the true group of a generated grouped catalogue
};

class ProductCatalogue {
 public:
  ProductCatalogue() = default;

  // Reads a catalogue file: one JSON object a line, blank lines skipped. Bytes
  // that are not UTF-8 come as "raw_asin_hex" or "raw_title_hex" instead of
  // "asin" or "title".
  static Expected<ProductCatalogue> LoadFile(const std::string& path);
  // Parses catalogue text; sourceName names the input in error messages.
  static Expected<ProductCatalogue> Parse(std::string_view text, const std::string& sourceName);

  // Adds a product; fails when its ASIN is already present.
  Status add(CatalogueProduct product);

  // The product with exactly this ASIN, or nullptr.
  const CatalogueProduct* find(std::string_view asin) const;
  const std::vector<CatalogueProduct>& products() const { return products_; }
  std::size_t size() const { return products_.size(); }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::vector<CatalogueProduct> products_;
  std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> index_;
};

// One catalogue line for a product, as the loader reads it back.
std::string CatalogueLine(const CatalogueProduct& product);

}  // namespace quillon::service
