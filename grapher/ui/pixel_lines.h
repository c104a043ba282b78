// One-pixel lines marked in a byte per pixel: for pictures of many thousands
// of lines, where a painter's per-line work is the cost. A byte mask the size
// of a window stays in the processor's cache while lines cross it at random.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quillon::grapher {

// As std::lround, without its library call (which a loop over every pixel
// feels): halves go away from zero.
inline std::int64_t RoundHalfAway(double v) {
  const auto whole = static_cast<std::int64_t>(v);     // toward zero
  const double rest = v - static_cast<double>(whole);  // exact
  return whole + (rest >= 0.5) - (rest <= -0.5);
}

// A line between two pixels, both drawn.
struct PixelLine {
  int x1, y1, x2, y2;
};

class LineMask {
 public:
  // Cleared, for a picture of this size.
  void reset(int width, int height);
  // The part of the line inside the picture, ends rounded to whole pixels.
  void line(float x1, float y1, float x2, float y2);
  // Adds another mask of the same size, pixel by pixel (at most 255): lines
  // marked apart, on several threads, give the same counts as marked together.
  void add(const LineMask& other);
  int width() const { return width_; }
  int height() const { return height_; }
  bool marked(int x, int y) const {
    return marks_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                  static_cast<std::size_t>(x)] != 0;
  }
  // Per pixel, how many lines cross it (at most 255).
  const std::uint8_t* row(int y) const {
    return marks_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }

 private:
  std::optional<PixelLine> clip(float x1, float y1, float x2, float y2) const;
  std::vector<std::uint8_t> marks_;
  int width_ = 0;
  int height_ = 0;
};

// Writes `value` into the pixels that Qt's raster painter covers for one
// aliased line of a cosmetic one-pixel pen with square caps (QPainter::drawLine
// on an image of width x height, no transformation), pixel for pixel the same,
// so that a picture drawn line by line can skip the painter's per-line cost.
// `pixels` holds rows of `stride` values.
void WritePainterLine(std::uint32_t* pixels, std::ptrdiff_t stride, int width, int height,
                      double x1, double y1, double x2, double y2, std::uint32_t value);

}  // namespace quillon::grapher
