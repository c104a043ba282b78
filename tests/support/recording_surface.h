// Surfaces without a screen: one that records every operation (tests) and one
// that only counts (benchmarks). Text metrics are fixed so results are exact.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "grapher/render/surface.h"

namespace quillon::grapher::testing {

// Width of a text on the headless surfaces: this many units per code point.
inline constexpr float kFixedCharWidth = 8;
inline constexpr float kFixedTextHeight = 16;

// Fixed-metric width of a UTF-8 text.
float FixedTextWidth(std::string_view text);

class RecordingSurface final : public Surface {
 public:
  enum class Kind { Clear, ForeColor, Position, Print, Line, Rectangle, Circle, Present };
  struct Op {
    Kind kind = Kind::Clear;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // position, line ends, corners or centre
    float radius = 0;
    Rgb color;  // colour given with the shape, or the foreground colour in force
    std::string text;
  };

  explicit RecordingSurface(float width = 844, float height = 564)
      : width_(width), height_(height) {}

  void clear() override;
  void setForeColor(Rgb color) override;
  float textWidth(std::string_view text) const override { return FixedTextWidth(text); }
  float textHeight(std::string_view) const override { return kFixedTextHeight; }
  void setCurrentPosition(float x, float y) override;
  void print(std::string_view text) override;
  void line(float x1, float y1, float x2, float y2) override;
  void coloredLine(float x1, float y1, float x2, float y2, Rgb color) override;
  void rectangle(float x1, float y1, float x2, float y2, Rgb color) override;
  void circle(float x, float y, float radius, Rgb color) override;
  float width() const override { return width_; }
  float height() const override { return height_; }
  void present() override;

  void resize(float width, float height) {
    width_ = width;
    height_ = height;
  }
  Rgb foreColor() const { return fore_; }
  int count(Kind kind) const;
  std::vector<Op> ops;

 private:
  void record(Kind kind, float x1 = 0, float y1 = 0, float x2 = 0, float y2 = 0, float radius = 0,
              Rgb color = kBlack, std::string_view text = {});

  float width_;
  float height_;
  Rgb fore_ = kBlack;
  float curX_ = 0;
  float curY_ = 0;
};

// Draws nothing and keeps only counters: the cost of the drawing code itself.
class NullSurface final : public Surface {
 public:
  explicit NullSurface(float width = 844, float height = 564) : width_(width), height_(height) {}
  void clear() override { ++operations; }
  void setForeColor(Rgb) override { ++operations; }
  float textWidth(std::string_view text) const override { return FixedTextWidth(text); }
  float textHeight(std::string_view) const override { return kFixedTextHeight; }
  void setCurrentPosition(float, float) override { ++operations; }
  void print(std::string_view) override { ++operations; }
  void line(float, float, float, float) override { ++operations; }
  void coloredLine(float, float, float, float, Rgb) override { ++operations; }
  void rectangle(float, float, float, float, Rgb) override { ++operations; }
  void circle(float, float, float, Rgb) override { ++operations; }
  float width() const override { return width_; }
  float height() const override { return height_; }
  void present() override { ++presents; }

  std::int64_t operations = 0;
  std::int64_t presents = 0;

 private:
  float width_;
  float height_;
};

}  // namespace quillon::grapher::testing
