// The grapher's in-memory model: the products reachable from the start product
// and the keywords of keywords.txt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillon::grapher {

// Lists hold their entries only; the original's spare trailing slot is not kept.
struct Product {
  std::string ASIN;
  std::string Title;
  std::int32_t SalesRank = 0;
  std::int32_t KeyWordIndex = -1;
  std::vector<std::string> SimilarASIN;
  std::vector<std::int32_t> SimilarIndex;
  std::vector<std::string> ReferrerASIN;
  std::vector<std::int32_t> ReferrerIndex;
  float X = 0;
  float Y = 0;
  std::int32_t Placed = 0;
};

struct KeyWord {
  std::string Text;
  bool HasProduct = false;
  bool Placed = false;
  float X = 0;
  float Y = 0;
  std::vector<float> Relation;  // weight from this keyword to each keyword
};

struct Catalogue {
  std::vector<Product> ProductTable;
  std::vector<KeyWord> KeyWordTable;
};

}  // namespace quillon::grapher
