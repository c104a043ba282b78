#include "grapher/ui/image_surface.h"

#include <QFontMetricsF>
#include <QSaveFile>
#include <algorithm>

#include "grapher/ui/graph_painting.h"

namespace quillon::grapher {
namespace {

QSize NonNegative(QSize size) {
  return QSize(std::max(0, size.width()), std::max(0, size.height()));
}

// QPainter cannot work on a null image, so the backing image is at least 1x1.
QImage BlankImage(QSize size) {
  QImage image(QSize(std::max(1, size.width()), std::max(1, size.height())), QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

}  // namespace

ImageSurface::ImageSurface(QSize size)
    : size_(NonNegative(size)), image_(BlankImage(size_)), font_(GraphFont()) {
  const QFontMetricsF metrics(font_, &image_);
  ascent_ = static_cast<float>(metrics.ascent());
  lineHeight_ = static_cast<float>(metrics.height());
}

ImageSurface::~ImageSurface() = default;

QPainter& ImageSurface::painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    PreparePainter(*painter_, font_);
  }
  return *painter_;
}

void ImageSurface::endPainting() {
  painter_.reset();
}

void ImageSurface::resize(QSize size) {
  size_ = NonNegative(size);
  if (size_.width() <= image_.width() && size_.height() <= image_.height()) return;
  endPainting();
  QImage grown = BlankImage(size_.expandedTo(image_.size()));
  {
    QPainter copy(&grown);
    copy.drawImage(0, 0, image_);
  }
  image_ = std::move(grown);
}

const QImage& ImageSurface::image() {
  endPainting();
  return image_;
}

QImage ImageSurface::picture() {
  endPainting();
  if (size_.isEmpty()) return QImage();
  return image_.copy(0, 0, size_.width(), size_.height());
}

Status ImageSurface::savePng(const std::string& path) {
  const QImage content = picture();
  if (content.isNull())
    return Failure{FailureKind::CannotWriteFile, path, 0, "the picture is empty"};
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly) || !content.save(&file, "PNG") || !file.commit())
    return Failure{FailureKind::CannotWriteFile, path, 0, file.errorString().toStdString()};
  return Success();
}

void ImageSurface::clear() {
  endPainting();
  image_.fill(Qt::white);
}

float ImageSurface::textWidth(std::string_view text) const {
  return static_cast<float>(QFontMetricsF(font_, &image_).horizontalAdvance(ToQString(text)));
}

float ImageSurface::textHeight(std::string_view) const {
  return lineHeight_;
}

void ImageSurface::print(std::string_view text) {
  PaintText(painter(), currentX_, currentY_, ascent_, ToQString(text), fore_);
}

void ImageSurface::line(float x1, float y1, float x2, float y2) {
  QColor color = fore_;
  if (lineOpacity_ < 1) color.setAlphaF(lineOpacity_);
  PaintLine(painter(), x1, y1, x2, y2, color);
}

void ImageSurface::coloredLine(float x1, float y1, float x2, float y2, Rgb rgb) {
  QColor color = ToColor(rgb);
  if (lineOpacity_ < 1) color.setAlphaF(lineOpacity_);
  PaintLine(painter(), x1, y1, x2, y2, color);
}

void ImageSurface::rectangle(float x1, float y1, float x2, float y2, Rgb color) {
  PaintRectangle(painter(), x1, y1, x2, y2, ToColor(color));
}

void ImageSurface::circle(float x, float y, float radius, Rgb color) {
  PaintCircle(painter(), x, y, radius, ToColor(color));
}

void ImageSurface::present() {
  if (onPresent_) onPresent_();
}

}  // namespace quillon::grapher
