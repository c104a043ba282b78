#include "grapher/ui/svg_surface.h"

#include <QFontMetricsF>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

#include "grapher/ui/graph_painting.h"
#include "grapher/ui/picture_files.h"

namespace quillon::grapher {
namespace {

// The text with U+FFFD for each character an XML document cannot hold (control
// characters from raw record bytes), which would make the whole SVG unreadable.
QString XmlSafe(QString text) {
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    const bool control = u < 0x20 && u != '\t' && u != '\n' && u != '\r';
    if (control || u == 0xFFFE || u == 0xFFFF) c = QChar(QChar::ReplacementCharacter);
  }
  return text;
}

}  // namespace

SvgSurface::SvgSurface(QSize size)
    : size_(std::max(0, size.width()), std::max(0, size.height())),
      metricDevice_(1, 1, QImage::Format_RGB32),
      font_(GraphFont()) {
  const QFontMetricsF metrics(font_, &metricDevice_);
  ascent_ = static_cast<float>(metrics.ascent());
  lineHeight_ = static_cast<float>(metrics.height());
}

float SvgSurface::textWidth(std::string_view text) const {
  return static_cast<float>(
      QFontMetricsF(font_, &metricDevice_).horizontalAdvance(ToQString(text)));
}

float SvgSurface::textHeight(std::string_view) const {
  return lineHeight_;
}

void SvgSurface::print(std::string_view text) {
  ops_.push_back({Kind::Text, currentX_, currentY_, 0, 0, fore_, XmlSafe(ToQString(text))});
}

void SvgSurface::line(float x1, float y1, float x2, float y2) {
  ops_.push_back({Kind::Line, x1, y1, x2, y2, fore_, {}});
}

void SvgSurface::coloredLine(float x1, float y1, float x2, float y2, Rgb color) {
  ops_.push_back({Kind::Line, x1, y1, x2, y2, ToQColor(color), {}});
}

void SvgSurface::rectangle(float x1, float y1, float x2, float y2, Rgb color) {
  ops_.push_back({Kind::Rectangle, x1, y1, x2, y2, ToQColor(color), {}});
}

void SvgSurface::circle(float x, float y, float radius, Rgb color) {
  ops_.push_back({Kind::Circle, x, y, radius, 0, ToQColor(color), {}});
}

void SvgSurface::replay(QPainter& painter) const {
  PreparePainter(painter, font_);
  painter.fillRect(QRectF(0, 0, size_.width(), size_.height()), Qt::white);
  for (const Op& op : ops_) {
    switch (op.kind) {
      case Kind::Text:
        PaintText(painter, op.x1, op.y1, ascent_, op.text, op.color);
        break;
      case Kind::Line:
        PaintLine(painter, op.x1, op.y1, op.x2, op.y2, op.color);
        break;
      case Kind::Rectangle:
        PaintRectangle(painter, op.x1, op.y1, op.x2, op.y2, op.color);
        break;
      case Kind::Circle:
        PaintCircle(painter, op.x1, op.y1, op.x2, op.color);
        break;
    }
  }
}

Status SvgSurface::saveSvg(const std::string& path) const {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return PictureWriteFailure(path, file.errorString());
  {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(size_);
    generator.setViewBox(QRect(QPoint(0, 0), size_));
    generator.setResolution(metricDevice_.logicalDpiX());
    generator.setTitle(QStringLiteral("Quillon"));
    QPainter painter;
    if (!painter.begin(&generator))
      return PictureWriteFailure(path, QStringLiteral("cannot paint"));
    replay(painter);
    painter.end();
  }
  if (!file.commit()) return PictureWriteFailure(path, file.errorString());
  return Success();
}

QImage SvgSurface::toImage() const {
  QImage image(QSize(std::max(1, size_.width()), std::max(1, size_.height())),
               QImage::Format_RGB32);
  image.setDotsPerMeterX(metricDevice_.dotsPerMeterX());
  image.setDotsPerMeterY(metricDevice_.dotsPerMeterY());
  QPainter painter(&image);
  replay(painter);
  return image;
}

Status SvgSurface::savePng(const std::string& path) const {
  // An empty size gives a null image without painting on it.
  return SavePng(size_.isEmpty() ? QImage() : toImage(), path);
}

}  // namespace quillon::grapher
