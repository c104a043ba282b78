#include "grapher/view/product_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "grapher/render/render_graph.h"

namespace quillon::grapher {

double HitRadius(double scale) {
  return (kProductMarkerRadius + kHitTolerancePx) / scale;
}

ProductGrid::ProductGrid(const std::vector<Product>& products) {
  const std::size_t n = products.size();
  x_.reserve(n);
  y_.reserve(n);
  double left = 0, top = 0, right = 0, bottom = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const Product& p = products[i];
    x_.push_back(p.X);
    y_.push_back(p.Y);
    if (i == 0) {
      left = right = p.X;
      top = bottom = p.Y;
    } else {
      left = std::min<double>(left, p.X);
      right = std::max<double>(right, p.X);
      top = std::min<double>(top, p.Y);
      bottom = std::max<double>(bottom, p.Y);
    }
  }
  // About one product per cell on average: short cell lists, few empty cells.
  const double w = std::max(right - left, 1.0);
  const double h = std::max(bottom - top, 1.0);
  const double cells = std::max<double>(1, static_cast<double>(n));
  cellSize_ = std::max(std::sqrt(w * h / cells), 1e-3);
  left_ = left;
  top_ = top;
  cols_ = std::clamp<std::int64_t>(static_cast<std::int64_t>(w / cellSize_) + 1, 1, 4096);
  rows_ = std::clamp<std::int64_t>(static_cast<std::int64_t>(h / cellSize_) + 1, 1, 4096);
  cellSize_ = std::max(w / static_cast<double>(cols_), h / static_cast<double>(rows_)) * 1.0000001;

  // Counting sort by cell keeps each cell's products in ascending index order.
  const auto cellOf = [&](std::size_t i) {
    const auto col = std::clamp<std::int64_t>(
        static_cast<std::int64_t>((x_[i] - left_) / cellSize_), 0, cols_ - 1);
    const auto row = std::clamp<std::int64_t>(static_cast<std::int64_t>((y_[i] - top_) / cellSize_),
                                              0, rows_ - 1);
    return static_cast<std::size_t>(row * cols_ + col);
  };
  cellStart_.assign(static_cast<std::size_t>(cols_ * rows_) + 1, 0);
  for (std::size_t i = 0; i < n; ++i) ++cellStart_[cellOf(i) + 1];
  for (std::size_t c = 1; c < cellStart_.size(); ++c) cellStart_[c] += cellStart_[c - 1];
  items_.resize(n);
  std::vector<std::int32_t> next(cellStart_.begin(), cellStart_.end() - 1);
  for (std::size_t i = 0; i < n; ++i)
    items_[static_cast<std::size_t>(next[cellOf(i)]++)] = static_cast<std::int32_t>(i);
}

ProductGrid::CellRange ProductGrid::cellsOf(const Rect& rect) const {
  const auto col = [&](double x) {
    const double c = std::floor((x - left_) / cellSize_);
    return static_cast<std::int64_t>(std::clamp(c, 0.0, static_cast<double>(cols_ - 1)));
  };
  const auto row = [&](double y) {
    const double r = std::floor((y - top_) / cellSize_);
    return static_cast<std::int64_t>(std::clamp(r, 0.0, static_cast<double>(rows_ - 1)));
  };
  return {col(rect.left), row(rect.top), col(rect.right), row(rect.bottom)};
}

std::optional<std::int32_t> ProductGrid::HitTest(double graphX, double graphY,
                                                 double radius) const {
  if (x_.empty() || !(radius >= 0)) return std::nullopt;
  const Rect area{graphX - radius, graphY - radius, graphX + radius, graphY + radius};
  const CellRange cells = cellsOf(area);
  std::optional<std::int32_t> best;
  double bestDistance = std::numeric_limits<double>::infinity();
  const double limit = radius * radius;
  for (std::int64_t row = cells.row0; row <= cells.row1; ++row) {
    for (std::int64_t col = cells.col0; col <= cells.col1; ++col) {
      const auto c = static_cast<std::size_t>(row * cols_ + col);
      for (std::int32_t k = cellStart_[c]; k < cellStart_[c + 1]; ++k) {
        const std::int32_t i = items_[static_cast<std::size_t>(k)];
        const double dx = x_[static_cast<std::size_t>(i)] - graphX;
        const double dy = y_[static_cast<std::size_t>(i)] - graphY;
        const double d = dx * dx + dy * dy;
        if (d > limit) continue;
        if (d < bestDistance || (d == bestDistance && i < *best)) {
          best = i;
          bestDistance = d;
        }
      }
    }
  }
  return best;
}

std::vector<std::int32_t> ProductGrid::productsIn(const Rect& rect) const {
  std::vector<std::int32_t> found;
  if (x_.empty() || rect.right < rect.left || rect.bottom < rect.top) return found;
  const CellRange cells = cellsOf(rect);
  for (std::int64_t row = cells.row0; row <= cells.row1; ++row) {
    for (std::int64_t col = cells.col0; col <= cells.col1; ++col) {
      const auto c = static_cast<std::size_t>(row * cols_ + col);
      for (std::int32_t k = cellStart_[c]; k < cellStart_[c + 1]; ++k) {
        const std::int32_t i = items_[static_cast<std::size_t>(k)];
        if (rect.contains(x_[static_cast<std::size_t>(i)], y_[static_cast<std::size_t>(i)]))
          found.push_back(i);
      }
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace quillon::grapher
