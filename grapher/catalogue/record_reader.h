// What the load takes from one product record file: title, sales rank, first
// keyword and the ASINs of the similar products.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"
#include "grapher/catalogue/keyword_matcher.h"
#include "grapher/catalogue/record_tags.h"

namespace quillon::grapher {

struct RecordFields {
  bool valid = false;              // false: no valid record; the product stays a leaf
  std::optional<Failure> refused;  // a record file that must not be read (a FIFO, ...)
  std::string title;
  std::int32_t salesRank = 0;
  std::int32_t keywordIndex = -1;
  std::vector<std::string> similarAsins;  // in record order, duplicates kept
};

// Reads records of one record folder. Reading changes nothing, so several
// threads may read through one reader at once.
class RecordReader {
 public:
  RecordReader(std::string recordFolder, const std::vector<std::string>& keywords);

  RecordFields read(std::string_view asin) const;

 private:
  std::string folder_;
  KeyWordMatcher keywords_;
  FirstTag title_{"Title"};
  FirstTag salesRank_{"SalesRank"};
  FirstTag similarProducts_{"SimilarProducts"};
  EachTag similarProduct_{"SimilarProduct"};
  FirstTag asin_{"ASIN"};
};

}  // namespace quillon::grapher
