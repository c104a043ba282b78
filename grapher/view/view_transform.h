// The view over a drawing: screen = graph * scale + offset, one screen unit a pixel.
#pragma once

#include "grapher/view/drawing_bounds.h"

namespace quillon::grapher {

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Zoom limits: far enough out for a million products, far enough in for a cluster.
// Only zooming keeps to kMinScale; a fit goes as far out as the drawing needs.
inline constexpr double kMinScale = 1.0 / 256;
inline constexpr double kMaxScale = 256;

struct ViewTransform {
  double scale = 1;
  double offsetX = 0;
  double offsetY = 0;

  Point toScreen(Point graph) const {
    return {graph.x * scale + offsetX, graph.y * scale + offsetY};
  }
  Point toGraph(Point screen) const {
    return {(screen.x - offsetX) / scale, (screen.y - offsetY) / scale};
  }
  // Multiplies the scale by factor (kept within the limits, or at a fitted
  // scale below kMinScale) so that the graph point under `screen` stays under it.
  void zoomAbout(Point screen, double factor);
  void panBy(double dx, double dy) {
    offsetX += dx;
    offsetY += dy;
  }
  // The drawing procedures' own picture: scale 1, offset 0.
  bool isIdentity() const { return scale == 1 && offsetX == 0 && offsetY == 0; }
  // The part of the drawing a view of this size shows, in drawing units.
  Rect visibleGraphRect(double viewWidth, double viewHeight) const;
  friend bool operator==(const ViewTransform&, const ViewTransform&) = default;
};

// The blank margin a fitted drawing keeps to the view's edges.
inline constexpr double kFitMarginPx = 20;

// The largest scale (at most kMaxScale, however small it must be) that shows
// all of `drawing` inside the view with marginPx free on every side, centred.
// An empty drawing gives the identity.
ViewTransform FitTransform(const Bounds& drawing, double viewWidth, double viewHeight,
                           double marginPx);

}  // namespace quillon::grapher
