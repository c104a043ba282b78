// Finds a product of the table by its exact ASIN in constant time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

// An open-addressing table of product indices keyed by the products' own ASIN
// members, so no ASIN is stored twice. ASINs are unique in the table, so the
// one index found for an ASIN is the lowest, exactly what a scan from index 0
// would find.
class AsinIndex {
 public:
  explicit AsinIndex(const std::vector<Product>& table) : table_(table), slots_(64) {}

  // Records that table[index] carries asin; asin must not be indexed yet.
  void add(std::string_view asin, std::int32_t index) {
    if (2 * (count_ + 1) > slots_.size()) grow();
    place({Hash(asin), index});
    ++count_;
  }

  std::optional<std::int32_t> find(std::string_view asin) const {
    const std::uint64_t hash = Hash(asin);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].index >= 0; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.hash == hash && table_[static_cast<std::size_t>(slot.index)].ASIN == asin)
        return slot.index;
    }
    return std::nullopt;
  }

 private:
  struct Slot {
    std::uint64_t hash = 0;
    std::int32_t index = -1;  // -1: empty
  };

  static std::uint64_t Hash(std::string_view asin) { return std::hash<std::string_view>{}(asin); }

  void place(Slot entry) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = entry.hash & mask;
    while (slots_[i].index >= 0) i = (i + 1) & mask;
    slots_[i] = entry;
  }

  // Doubles the slots; the stored hashes spare reading the ASINs again.
  void grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old)
      if (slot.index >= 0) place(slot);
  }

  const std::vector<Product>& table_;
  std::vector<Slot> slots_;  // size: a power of two, at most half full
  std::size_t count_ = 0;
};

}  // namespace quillon::grapher
