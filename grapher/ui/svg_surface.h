// A picture surface that keeps the operations drawn since the last clear() and
// replays them into an SVG file (or a PNG) when asked.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <string>
#include <vector>

#include "common/expected.h"
#include "grapher/render/surface.h"

namespace quillon::grapher {

class SvgSurface final : public Surface {
 public:
  explicit SvgSurface(QSize size = QSize(844, 564));

  // Writes the picture as SVG, replacing the file atomically.
  Status saveSvg(const std::string& path) const;
  // The same picture as PNG, painted exactly as the window paints it.
  Status savePng(const std::string& path) const;
  QImage toImage() const;
  std::size_t operationCount() const { return ops_.size(); }

  void clear() override { ops_.clear(); }
  void setForeColor(Rgb color) override { fore_ = QColor(color.r, color.g, color.b); }
  float textWidth(std::string_view text) const override;
  float textHeight(std::string_view text) const override;
  void setCurrentPosition(float x, float y) override {
    currentX_ = x;
    currentY_ = y;
  }
  void print(std::string_view text) override;
  void line(float x1, float y1, float x2, float y2) override;
  void coloredLine(float x1, float y1, float x2, float y2, Rgb color) override;
  void rectangle(float x1, float y1, float x2, float y2, Rgb color) override;
  void circle(float x, float y, float radius, Rgb color) override;
  float width() const override { return static_cast<float>(size_.width()); }
  float height() const override { return static_cast<float>(size_.height()); }
  void present() override {}

 private:
  enum class Kind { Text, Line, Rectangle, Circle };
  struct Op {
    Kind kind;
    float x1, y1, x2, y2;  // text position, line ends, corners, or centre and radius
    QColor color;
    QString text;
  };
  void replay(QPainter& painter) const;

  QSize size_;
  QImage metricDevice_;  // text is measured and painted at this device's resolution
  QFont font_;
  float ascent_ = 0;
  float lineHeight_ = 0;
  QColor fore_ = Qt::black;
  float currentX_ = 0;
  float currentY_ = 0;
  std::vector<Op> ops_;
};

}  // namespace quillon::grapher
