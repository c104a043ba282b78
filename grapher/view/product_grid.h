// A uniform grid over product positions for hover, click and rectangle queries.
// It keeps its own copy of the positions: rebuild it when they change.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "grapher/catalogue/catalogue.h"
#include "grapher/view/drawing_bounds.h"

namespace quillon::grapher {

// Pixels around a marker that still count as pointing at it.
inline constexpr double kHitTolerancePx = 2;

// The hit radius in drawing units for a view at this scale.
double HitRadius(double scale);

class ProductGrid {
 public:
  ProductGrid() = default;
  explicit ProductGrid(const std::vector<Product>& products);

  // The product nearest to (graphX, graphY) within radius (drawing units); on a
  // tie the lower index.
  std::optional<std::int32_t> HitTest(double graphX, double graphY, double radius) const;
  // The products positioned inside rect, in table order.
  std::vector<std::int32_t> productsIn(const Rect& rect) const;
  std::size_t size() const { return x_.size(); }

 private:
  struct CellRange {
    std::int64_t col0, row0, col1, row1;
  };
  CellRange cellsOf(const Rect& rect) const;

  std::vector<float> x_;
  std::vector<float> y_;
  double left_ = 0;
  double top_ = 0;
  double cellSize_ = 1;
  std::int64_t cols_ = 0;
  std::int64_t rows_ = 0;
  std::vector<std::int32_t> cellStart_;  // rows_*cols_+1 offsets into items_
  std::vector<std::int32_t> items_;      // product indices, cell by cell, ascending
};

}  // namespace quillon::grapher
