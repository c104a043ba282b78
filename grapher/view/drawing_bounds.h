// The extent of a drawing: a rectangle in the drawing's own units plus the
// pixels that reach beyond it at any zoom (keyword labels and markers keep
// their size in pixels).
#pragma once

#include <cstdint>
#include <vector>

#include "grapher/catalogue/catalogue.h"
#include "grapher/render/surface.h"

namespace quillon::grapher {

// An axis-parallel rectangle; left <= right and top <= bottom when not empty.
struct Rect {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
  bool contains(double x, double y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Bounds {
  Rect graph;          // anchor points (marker centres, label centres), drawing units
  bool empty = true;   // nothing was included yet
  double padLeft = 0;  // pixels the drawing reaches beyond graph on each side
  double padTop = 0;
  double padRight = 0;
  double padBottom = 0;

  void include(double x, double y);
  // A point with a box of fixed pixel size around it (left, up, right, down from the point).
  void includeWithPixels(double x, double y, double left, double up, double right, double down);
};

// Every product marker and every drawn keyword label (measured on `measuring`).
Bounds DrawingBounds(const Catalogue& catalogue, const Surface& measuring);
// The markers of the given products only.
Bounds ProductBounds(const Catalogue& catalogue, const std::vector<std::int32_t>& products);

}  // namespace quillon::grapher
