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

// Moves end (a, b) along the line to (edge, b'), the other end staying where
// it is. Called with the ends either way round, it gives the same slope to the
// last bit: both differences change sign exactly.
void CutAt(double& a, double& b, double otherA, double otherB, double edge) {
  b += (otherB - b) / (otherA - a) * (edge - a);
  a = edge;
}

// Cuts the line to low <= a <= high along one axis, (a, b) being each end's
// coordinates along it and across it. False when nothing is left.
bool ClipAxis(double& a1, double& b1, double& a2, double& b2, double low, double high) {
  if (a1 < low) {
    if (a2 <= low) return false;
    CutAt(a1, b1, a2, b2, low);
  } else if (a1 > high) {
    if (a2 >= high) return false;
    CutAt(a1, b1, a2, b2, high);
  }
  if (a2 < low || a2 > high) CutAt(a2, b2, a1, b1, a2 < low ? low : high);
  return true;
}

// The painter cuts a line to the picture widened by a pixel, in floating point,
// before it goes to fixed point: along x first, then along y. False when
// nothing is left.
bool ClipToWidenedPicture(double& x1, double& y1, double& x2, double& y2, int width, int height) {
  return ClipAxis(x1, y1, x2, y2, -1, width + 1) && ClipAxis(y1, x1, y2, x2, -1, height + 1);
}

}  // namespace

void WritePainterLine(std::uint32_t* pixels, std::ptrdiff_t stride, int width, int height,
                      double x1, double y1, double x2, double y2, std::uint32_t value) {
  const auto plot = [&](std::int64_t x, std::int64_t y) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[y * stride + x] = value;
  };
  if (x1 == x2 && y1 == y2) {  // a point: its nearest pixel
    plot(RoundHalfAway(x1), RoundHalfAway(y1));
    return;
  }
  if (!ClipToWidenedPicture(x1, y1, x2, y2, width, height)) return;
  // 26.6 fixed point, cut toward zero; steps in 16.16.
  std::int64_t ax = static_cast<int>(x1 * 64.), ay = static_cast<int>(y1 * 64.);
  std::int64_t bx = static_cast<int>(x2 * 64.), by = static_cast<int>(y2 * 64.);
  // Along the longer axis one pixel per row (or column); the ends reach half a
  // pixel further (square caps).
  const bool alongY = std::abs(bx - ax) < std::abs(by - ay);
  if (!alongY && ax == bx) return;
  if (alongY) {
    std::swap(ax, ay);
    std::swap(bx, by);
  }
  if (ax > bx) {
    std::swap(ax, bx);
    std::swap(ay, by);
  }
  const std::int64_t step = ((by - ay) * 65536) / (bx - ax);
  std::int64_t across = ay * 1024 - (step >> 1);
  ax -= 32;
  bx += 32;
  std::int64_t at = (ax + 32) >> 6;
  const std::int64_t end = (bx + 32) >> 6;
  if (at == end) return;
  across += ((at * 64) + (step > 0 ? 32 : 0) - ax) * step >> 6;
  if (alongY)
    for (; at < end; ++at, across += step) plot(across >> 16, at);
  else
    for (; at < end; ++at, across += step) plot(at, across >> 16);
}

void LineMask::reset(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  marks_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
}

std::optional<PixelLine> LineMask::clip(float x1, float y1, float x2, float y2) const {
  if (width_ <= 0 || height_ <= 0) return std::nullopt;
  // The box of the pixel centres, widened by half a pixel so that rounding stays inside.
  const double right = width_ - 0.5, bottom = height_ - 0.5;
  const auto clampX = [this](double v) {
    return static_cast<int>(std::clamp<std::int64_t>(RoundHalfAway(v), 0, width_ - 1));
  };
  const auto clampY = [this](double v) {
    return static_cast<int>(std::clamp<std::int64_t>(RoundHalfAway(v), 0, height_ - 1));
  };
  const auto inside = [&](double x, double y) {
    return x >= -0.5 && x <= right && y >= -0.5 && y <= bottom;  // false for NaN too
  };
  // Most lines of a fitted view lie wholly inside: nothing to cut.
  if (inside(x1, y1) && inside(x2, y2))
    return PixelLine{clampX(x1), clampY(y1), clampX(x2), clampY(y2)};
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
    return std::nullopt;
  const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
  double t0 = 0, t1 = 1;
  if (!Narrow(-dx, x1 + 0.5, t0, t1) || !Narrow(dx, right - x1, t0, t1) ||
      !Narrow(-dy, y1 + 0.5, t0, t1) || !Narrow(dy, bottom - y1, t0, t1))
    return std::nullopt;
  return PixelLine{clampX(x1 + t0 * dx), clampY(y1 + t0 * dy), clampX(x1 + t1 * dx),
                   clampY(y1 + t1 * dy)};
}

void LineMask::line(float x1, float y1, float x2, float y2) {
  const std::optional<PixelLine> l = clip(x1, y1, x2, y2);
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

void LineMask::add(const LineMask& other) {
  const std::size_t n = std::min(marks_.size(), other.marks_.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned sum = unsigned{marks_[i]} + other.marks_[i];
    marks_[i] = static_cast<std::uint8_t>(std::min(sum, 255u));
  }
}

}  // namespace quillon::grapher
