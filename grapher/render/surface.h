// The picture surface the drawings go to. What is drawn stays until clear();
// present() shows what has been drawn so far. One unit is one pixel.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quillon::grapher {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct LineSegment {
  float x1, y1, x2, y2;
};
struct Centre {
  float x, y;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

class Surface {
 public:
  virtual ~Surface() = default;

  // Fills the surface with its background (white).
  virtual void clear() = 0;
  // Colour of printed text and of lines drawn without a colour of their own.
  virtual void setForeColor(Rgb color) = 0;
  virtual float textWidth(std::string_view text) const = 0;
  virtual float textHeight(std::string_view text) const = 0;
  virtual void setCurrentPosition(float x, float y) = 0;
  // Prints text (glyphs only) with its top-left corner at the current position.
  virtual void print(std::string_view text) = 0;
  // A line in the foreground colour.
  virtual void line(float x1, float y1, float x2, float y2) = 0;
  virtual void coloredLine(float x1, float y1, float x2, float y2, Rgb color) = 0;
  // Outline of the axis-parallel rectangle the two corners span.
  virtual void rectangle(float x1, float y1, float x2, float y2, Rgb color) = 0;
  virtual void circle(float x, float y, float radius, Rgb color) = 0;
  // Many shapes of one colour at once, for pictures that need not match the
  // one-by-one drawing pixel for pixel: a surface that draws them faster
  // together may round their ends and centres to whole pixels.
  virtual void coloredLines(std::span<const LineSegment> lines, Rgb color) {
    for (const LineSegment& l : lines) coloredLine(l.x1, l.y1, l.x2, l.y2, color);
  }
  virtual void circles(std::span<const Centre> centres, float radius, Rgb color) {
    for (const Centre& c : centres) circle(c.x, c.y, radius, color);
  }
  // Drawable size in surface units.
  virtual float width() const = 0;
  virtual float height() const = 0;
  virtual void present() = 0;
  // Lines drawn from now on take this opacity (1: opaque), so that many lines
  // read as shade; a surface that cannot blend draws them opaque.
  virtual void setLineOpacity([[maybe_unused]] float opacity) {}
};

}  // namespace quillon::grapher
