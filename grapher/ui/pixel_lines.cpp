#include "grapher/ui/pixel_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quillon::grapher {
namespace {

// Liang–Barsky: narrows [t0, t1] to where p*t <= q holds.
bool Narrow(double p, double q, double& t0, double& t1) {
  if (p == 0) return q >= 0;
  const double t = q / p;
  if (p < 0) {
    if (t > t1) return false;
    if (t > t0) t0 = t;
  } else {
    if (t < t0) return false;
    if (t < t1) t1 = t;
  }
  return true;
}

}  // namespace

void LineMask::reset(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  marks_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
}

std::optional<PixelLine> LineMask::clip(float x1, float y1, float x2, float y2, int rowBegin,
                                        int rowEnd) const {
  rowBegin = std::max(0, rowBegin);
  rowEnd = std::min(height_, rowEnd);
  if (width_ <= 0 || rowBegin >= rowEnd) return std::nullopt;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
    return std::nullopt;
  // The box of the pixel centres, widened by half a pixel so that rounding stays inside.
  const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
  double t0 = 0, t1 = 1;
  if (!Narrow(-dx, x1 + 0.5, t0, t1) || !Narrow(dx, width_ - 0.5 - x1, t0, t1) ||
      !Narrow(-dy, y1 - rowBegin + 0.5, t0, t1) || !Narrow(dy, rowEnd - 0.5 - y1, t0, t1))
    return std::nullopt;
  const auto clampX = [this](double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, width_ - 1);
  };
  const auto clampY = [rowBegin, rowEnd](double v) {
    return std::clamp(static_cast<int>(std::lround(v)), rowBegin, rowEnd - 1);
  };
  return PixelLine{clampX(x1 + t0 * dx), clampY(y1 + t0 * dy), clampX(x1 + t1 * dx),
                   clampY(y1 + t1 * dy)};
}

void LineMask::line(float x1, float y1, float x2, float y2, int rowBegin, int rowEnd) {
  const std::optional<PixelLine> l = clip(x1, y1, x2, y2, rowBegin, rowEnd);
  if (!l) return;
  // Bresenham along the longer axis; the step across it is taken without a branch.
  const int lengthX = std::abs(l->x2 - l->x1), lengthY = std::abs(l->y2 - l->y1);
  const std::ptrdiff_t stepX = l->x1 < l->x2 ? 1 : -1;
  const std::ptrdiff_t stepY = (l->y1 < l->y2 ? 1 : -1) * static_cast<std::ptrdiff_t>(width_);
  const bool alongX = lengthX >= lengthY;
  const int along = alongX ? lengthX : lengthY, across = alongX ? lengthY : lengthX;
  const std::ptrdiff_t mainStep = alongX ? stepX : stepY, sideStep = alongX ? stepY : stepX;
  std::uint8_t* at = marks_.data() +
                     static_cast<std::ptrdiff_t>(l->y1) * static_cast<std::ptrdiff_t>(width_) +
                     l->x1;
  int decision = 2 * across - along;
  // Each mark counts the lines through its pixel (up to 255), so that faded
  // lines can darken where they crowd.
  const auto mark = [](std::uint8_t& m) { m = static_cast<std::uint8_t>(m + (m != 255)); };
  for (int i = 0; i < along; ++i) {
    mark(*at);
    const bool side = decision > 0;
    at += mainStep + (side ? sideStep : 0);
    decision += 2 * across - (side ? 2 * along : 0);
  }
  mark(*at);
}

}  // namespace quillon::grapher
