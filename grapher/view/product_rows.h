// The rows of the product table: the products in the order of one column and
// the ones the filter lets through, as indices into the catalogue, so that a
// large catalogue is never copied row by row.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

enum class ProductColumn {
  Asin,
  Title,
  SalesRank,
  KeyWord,
  InDegree,
  OutDegree,
  PageRank,
  Community
};
inline constexpr int kProductColumnCount = 8;

// Whether the column's values come from the measures.
constexpr bool IsMeasureColumn(ProductColumn column) {
  return column >= ProductColumn::InDegree;
}

class ProductRows {
 public:
  // A new catalogue (or none) in table order, every product shown, no measures
  // yet. It must outlive the rows or be replaced first.
  void reset(const Catalogue* catalogue);
  // The measures arrived (or went): a measure column is sorted again.
  void setMeasures(const analysis::GraphMeasures* measures);
  // Stable: equal values keep table order. Products without a value (no sales
  // rank, no title, no keyword) come last in either direction. No column: table order.
  void sortBy(std::optional<ProductColumn> column, bool descending);
  // A mark per product; empty shows every product.
  void setShown(const std::vector<bool>& shown);
  const std::vector<bool>& shown() const { return shown_; }

  std::size_t size() const { return visible_.size(); }
  // The product shown in a row.
  std::int32_t product(std::size_t row) const { return visible_[row]; }
  const std::vector<std::int32_t>& visible() const { return visible_; }
  // The row of a product, none when it is filtered out or out of range.
  std::optional<std::size_t> rowOf(std::int32_t product) const;
  std::optional<ProductColumn> sortColumn() const { return column_; }

 private:
  void sort();
  void filter();

  const Catalogue* catalogue_ = nullptr;
  const analysis::GraphMeasures* measures_ = nullptr;
  std::optional<ProductColumn> column_;
  bool descending_ = false;
  std::vector<std::int32_t> order_;    // every product, sorted
  std::vector<bool> shown_;            // empty: all
  std::vector<std::int32_t> visible_;  // order_ without the filtered-out products
  std::vector<std::int32_t> rowOf_;    // per product: its row in visible_, or -1
};

}  // namespace quillon::grapher
