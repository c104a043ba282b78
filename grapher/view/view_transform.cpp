#include "grapher/view/view_transform.h"

#include <algorithm>
#include <cmath>

namespace quillon::grapher {

void ViewTransform::zoomAbout(Point screen, double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  const Point anchor = toGraph(screen);
  // A fit may go below the limit to show a very large drawing; zooming never
  // goes further out than where it is, but comes back in from there.
  scale = std::clamp(scale * factor, std::min(kMinScale, scale), kMaxScale);
  offsetX = screen.x - anchor.x * scale;
  offsetY = screen.y - anchor.y * scale;
}

Rect ViewTransform::visibleGraphRect(double viewWidth, double viewHeight) const {
  const Point a = toGraph({0, 0});
  const Point b = toGraph({viewWidth, viewHeight});
  return {a.x, a.y, b.x, b.y};
}

ViewTransform FitTransform(const Bounds& drawing, double viewWidth, double viewHeight,
                           double marginPx) {
  if (drawing.empty) return {};
  // Room left for the anchors once the margins and the fixed-size parts are taken.
  const double roomX = std::max(1.0, viewWidth - 2 * marginPx - drawing.padLeft - drawing.padRight);
  const double roomY =
      std::max(1.0, viewHeight - 2 * marginPx - drawing.padTop - drawing.padBottom);
  const Rect& g = drawing.graph;
  // A single point has no size to fit: show it at 1:1.
  double scale = g.width() > 0 || g.height() > 0 ? kMaxScale : 1;
  if (g.width() > 0) scale = std::min(scale, roomX / g.width());
  if (g.height() > 0) scale = std::min(scale, roomY / g.height());
  // No lower limit: a fit that left markers outside would not be a fit.
  scale = std::min(scale, kMaxScale);
  // Centre the whole drawing, fixed-size parts included.
  const double spanX = g.width() * scale + drawing.padLeft + drawing.padRight;
  const double spanY = g.height() * scale + drawing.padTop + drawing.padBottom;
  ViewTransform t;
  t.scale = scale;
  t.offsetX = (viewWidth - spanX) / 2 + drawing.padLeft - g.left * scale;
  t.offsetY = (viewHeight - spanY) / 2 + drawing.padTop - g.top * scale;
  return t;
}

}  // namespace quillon::grapher
