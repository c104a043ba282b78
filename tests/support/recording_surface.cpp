#include "tests/support/recording_surface.h"

#include <algorithm>
#include <utility>

namespace quillon::grapher::testing {

float FixedTextWidth(std::string_view text) {
  // Counts code points: every byte that does not continue a UTF-8 sequence.
  const auto points = std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  return static_cast<float>(points) * kFixedCharWidth;
}

void RecordingSurface::record(Kind kind, float x1, float y1, float x2, float y2, float radius,
                              Rgb color, std::string_view text) {
  Op op;
  op.kind = kind;
  op.x1 = x1;
  op.y1 = y1;
  op.x2 = x2;
  op.y2 = y2;
  op.radius = radius;
  op.color = color;
  op.text = text;
  ops.push_back(std::move(op));
}

void RecordingSurface::clear() {
  record(Kind::Clear);
}

void RecordingSurface::setForeColor(Rgb color) {
  fore_ = color;
  record(Kind::ForeColor, 0, 0, 0, 0, 0, color);
}

void RecordingSurface::setCurrentPosition(float x, float y) {
  curX_ = x;
  curY_ = y;
  record(Kind::Position, x, y);
}

void RecordingSurface::print(std::string_view text) {
  record(Kind::Print, curX_, curY_, 0, 0, 0, fore_, text);
}

void RecordingSurface::line(float x1, float y1, float x2, float y2) {
  record(Kind::Line, x1, y1, x2, y2, 0, fore_);
}

void RecordingSurface::coloredLine(float x1, float y1, float x2, float y2, Rgb color) {
  record(Kind::Line, x1, y1, x2, y2, 0, color);
}

void RecordingSurface::rectangle(float x1, float y1, float x2, float y2, Rgb color) {
  record(Kind::Rectangle, x1, y1, x2, y2, 0, color);
}

void RecordingSurface::circle(float x, float y, float radius, Rgb color) {
  record(Kind::Circle, x, y, 0, 0, radius, color);
}

void RecordingSurface::present() {
  record(Kind::Present);
}

int RecordingSurface::count(Kind kind) const {
  return static_cast<int>(
      std::count_if(ops.begin(), ops.end(), [kind](const Op& op) { return op.kind == kind; }));
}

}  // namespace quillon::grapher::testing
