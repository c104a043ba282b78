#include "grapher/ui/image_surface.h"

#include <array>

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <functional>
#include <thread>

#include "grapher/ui/graph_painting.h"
#include "grapher/ui/picture_files.h"
#include "grapher/ui/pixel_lines.h"

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
  return SavePng(picture(), path);
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
  strokeLine(x1, y1, x2, y2, fore_);
}

void ImageSurface::coloredLine(float x1, float y1, float x2, float y2, Rgb rgb) {
  strokeLine(x1, y1, x2, y2, ToColor(rgb));
}

void ImageSurface::strokeLine(float x1, float y1, float x2, float y2, QColor color) {
  if (lineOpacity_ < 1) {
    color.setAlphaF(lineOpacity_);
    PaintLine(painter(), x1, y1, x2, y2, color);
  } else {
    writeLine(x1, y1, x2, y2, color.rgb());
  }
}

// An opaque line goes straight into the image: the painter's own pixels
// without its cost per line, which a drawing of many thousand lines feels.
// The painter may stay open: it draws into the same pixels and keeps nothing
// back, unless the image is shared and bits() is about to copy it.
void ImageSurface::writeLine(float x1, float y1, float x2, float y2, QRgb value) {
  if (!image_.isDetached()) endPainting();
  auto* pixels = reinterpret_cast<std::uint32_t*>(image_.bits());
  WritePainterLine(pixels, image_.bytesPerLine() / 4, image_.width(), image_.height(), x1, y1, x2,
                   y2, value);
}

void ImageSurface::rectangle(float x1, float y1, float x2, float y2, Rgb color) {
  PaintRectangle(painter(), x1, y1, x2, y2, ToColor(color));
}

void ImageSurface::circle(float x, float y, float radius, Rgb color) {
  PaintCircle(painter(), x, y, radius, ToColor(color));
}

void ImageSurface::coloredLines(std::span<const LineSegment> lines, Rgb color) {
  if (lines.empty()) return;
  endPainting();  // the pixels are written directly
  lineMask_.reset(image_.width(), image_.height());
  const auto mark = [](LineMask& mask, std::span<const LineSegment> part) {
    for (const LineSegment& l : part) mask.line(l.x1, l.y1, l.x2, l.y2);
  };
  // Many lines: the second half marked on a second thread into a mask of its
  // own, then added. Every line is cut and rounded alike on either thread.
  if (lines.size() >= kLinesForTwoThreads && std::thread::hardware_concurrency() > 1) {
    secondMask_.reset(image_.width(), image_.height());
    const std::size_t half = lines.size() / 2;
    {
      std::jthread second(mark, std::ref(secondMask_), lines.subspan(half));
      mark(lineMask_, lines.first(half));
    }
    lineMask_.add(secondMask_);
  } else {
    mark(lineMask_, lines);
  }
  const QRgb value = qRgb(color.r, color.g, color.b);
  if (lineOpacity_ >= 1) {
    for (int y = 0; y < image_.height(); ++y) {
      const std::uint8_t* marks = lineMask_.row(y);
      auto* pixels = reinterpret_cast<QRgb*>(image_.scanLine(y));
      for (int x = 0; x < image_.width(); ++x)
        if (marks[x] != 0) pixels[x] = value;
    }
    return;
  }
  // Faded lines: each line through a pixel lays its share of ink over what is
  // there, as a painter's translucent lines do, so crowded pixels read darker.
  std::array<double, 256> left{};  // what stays of the background under n lines
  left[0] = 1;
  for (std::size_t n = 1; n < left.size(); ++n) left[n] = left[n - 1] * (1 - lineOpacity_);
  const auto blend = [&](int under, int ink, std::uint8_t n) {
    return static_cast<int>(RoundHalfAway(ink + (under - ink) * left[n]));
  };
  for (int y = 0; y < image_.height(); ++y) {
    const std::uint8_t* marks = lineMask_.row(y);
    auto* pixels = reinterpret_cast<QRgb*>(image_.scanLine(y));
    for (int x = 0; x < image_.width(); ++x) {
      if (marks[x] == 0) continue;
      const QRgb under = pixels[x];
      pixels[x] =
          qRgb(blend(qRed(under), color.r, marks[x]), blend(qGreen(under), color.g, marks[x]),
               blend(qBlue(under), color.b, marks[x]));
    }
  }
}

void ImageSurface::circles(std::span<const Centre> centres, float radius, Rgb color) {
  const bool wholePixels = std::all_of(centres.begin(), centres.end(), [](const Centre& c) {
    return c.x == std::floor(c.x) && c.y == std::floor(c.y);
  });
  if (!wholePixels || radius > kMaxStampRadius) {
    for (const Centre& c : centres) circle(c.x, c.y, radius, color);
    return;
  }
  if (radius != stampRadius_) {
    // Drawn once, the same way as circle(), in the middle of a scratch image.
    const int side = 2 * kMaxStampRadius + 5, middle = side / 2;
    QImage scratch(side, side, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
      QPainter painter(&scratch);
      PreparePainter(painter, font_);
      PaintCircle(painter, static_cast<float>(middle), static_cast<float>(middle), radius,
                  Qt::black);
    }
    stamp_.clear();
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x)
        if (scratch.pixel(x, y) != qRgb(255, 255, 255)) stamp_.emplace_back(x - middle, y - middle);
    stampRadius_ = radius;
  }
  endPainting();  // the pixels are written directly
  const QRgb value = qRgb(color.r, color.g, color.b);
  const int w = image_.width(), h = image_.height();
  const auto stride = static_cast<std::size_t>(image_.bytesPerLine() / 4);
  auto* pixels = reinterpret_cast<QRgb*>(image_.bits());
  for (const Centre& c : centres) {
    const int cx = static_cast<int>(c.x), cy = static_cast<int>(c.y);
    for (const QPoint& d : stamp_) {
      const int x = cx + d.x(), y = cy + d.y();
      if (x >= 0 && y >= 0 && x < w && y < h)
        pixels[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)] = value;
    }
  }
}

void ImageSurface::present() {
  if (onPresent_) onPresent_();
}

}  // namespace quillon::grapher
