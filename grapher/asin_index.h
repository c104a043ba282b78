// Finds a product of the table by its exact ASIN in constant time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillon::grapher {

// ASINs are unique in the table, so the first index recorded for an ASIN is the
// lowest one, exactly what a scan from index 0 would find.
class AsinIndex {
 public:
  // Records index for asin unless the ASIN is known already.
  void add(std::string_view asin, std::int32_t index) {
    indices_.try_emplace(std::string(asin), index);
  }

  std::optional<std::int32_t> find(std::string_view asin) const {
    const auto it = indices_.find(asin);
    if (it == indices_.end()) return std::nullopt;
    return it->second;
  }

  void reserve(std::size_t count) { indices_.reserve(count); }

 private:
  // Transparent hashing: look-ups by string_view without building a string.
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  std::unordered_map<std::string, std::int32_t, Hash, std::equal_to<>> indices_;
};

}  // namespace quillon::grapher
