// A picture surface in memory: what is drawn stays in a QImage until clear().
// Backs the window's Graph and the PNG output.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QSize>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/expected.h"
#include "grapher/render/surface.h"
#include "grapher/ui/pixel_lines.h"

namespace quillon::grapher {

class ImageSurface final : public Surface {
 public:
  explicit ImageSurface(QSize size = QSize(844, 564));
  ~ImageSurface() override;
  ImageSurface(const ImageSurface&) = delete;
  ImageSurface& operator=(const ImageSurface&) = delete;

  // Sets the drawable size (negative parts count as 0). The image only grows,
  // so what is drawn survives a window that shrinks and grows again.
  void resize(QSize size);
  // Called by present(); the window repaints from the image there.
  void setPresentHandler(std::function<void()> handler) { onPresent_ = std::move(handler); }

  // The whole backing image (may be larger than the drawable size).
  const QImage& image();
  // The drawable part only, as the PNG output holds it.
  QImage picture();
  // Writes picture() as PNG, replacing the file atomically.
  Status savePng(const std::string& path);

  void clear() override;
  void setForeColor(Rgb color) override { fore_ = ToColor(color); }
  float textWidth(std::string_view text) const override;
  float textHeight(std::string_view text) const override;
  void setCurrentPosition(float x, float y) override {
    currentX_ = x;
    currentY_ = y;
  }
  void print(std::string_view text) override;
  void line(float x1, float y1, float x2, float y2) override;
  void setLineOpacity(float opacity) override { lineOpacity_ = opacity; }
  void coloredLine(float x1, float y1, float x2, float y2, Rgb color) override;
  void rectangle(float x1, float y1, float x2, float y2, Rgb color) override;
  void circle(float x, float y, float radius, Rgb color) override;
  // Written straight into the image (ends on whole pixels).
  void coloredLines(std::span<const LineSegment> lines, Rgb color) override;
  // Circles on whole pixels are copied from one drawn circle: the same pixels
  // as drawing each, without the cost of stroking each outline.
  void circles(std::span<const Centre> centres, float radius, Rgb color) override;
  float width() const override { return static_cast<float>(size_.width()); }
  float height() const override { return static_cast<float>(size_.height()); }
  void present() override;

 private:
  static QColor ToColor(Rgb color) { return QColor(color.r, color.g, color.b); }
  QPainter& painter();
  void endPainting();
  // Faded lines go through the painter, opaque ones straight into the image.
  void strokeLine(float x1, float y1, float x2, float y2, QColor color);
  void writeLine(float x1, float y1, float x2, float y2, QRgb value);

  QSize size_;
  QImage image_;
  QFont font_;
  float ascent_ = 0;
  float lineHeight_ = 0;
  QColor fore_ = Qt::black;
  float lineOpacity_ = 1;
  float currentX_ = 0;
  float currentY_ = 0;
  static constexpr int kMaxStampRadius = 16;
  static constexpr std::size_t kLinesForTwoThreads = 20000;
  // Kept open between operations: opening a painter per line is the main cost.
  std::unique_ptr<QPainter> painter_;
  std::function<void()> onPresent_;
  // Kept to save the allocations per picture; the second takes the lines of a
  // second thread.
  LineMask lineMask_;
  LineMask secondMask_;
  // The pixels (offsets from the centre) of the last stamped circle outline.
  float stampRadius_ = -1;
  std::vector<QPoint> stamp_;
};

}  // namespace quillon::grapher
