// Drawing many shapes at once on the image surface: the drawing's own picture
// stays the same pixel for pixel, and the batched shapes land where the
// one-by-one ones would.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <random>

#include "grapher/render/render_graph.h"
#include "grapher/ui/graph_painting.h"
#include "grapher/ui/image_surface.h"
#include "grapher/view/drawing_bounds.h"
#include "grapher/view/view_render.h"
#include "tests/grapher/drawing_fixture.h"
#include "tests/grapher/qt_test_support.h"
#include "tests/support/grouped_products.h"

namespace quillon::grapher {
namespace {

using testing::Application;

const QSize kSize(400, 300);

// A laid-out catalogue of 300 products with keywords and cross links.
struct Laid {
  Laid() : d("", 400, 300) {
    auto& c = d.catalogue();
    testing::AddKeyWords(c, {"cam", "bag", "lens"});
    const char* words[] = {"cam", "bag", "lens", "plain"};
    for (int i = 0; i < 300; ++i)
      testing::AddProduct(c, std::string(words[i % 4]) + " " + std::to_string(i), i + 1,
                          {(i * 7 + 1) % 300, (i * 13 + 5) % 300, i / 2});
    testing::Link(c);
    d.drawSimilarityGraph();
    members = KeyWordMembership(c);
  }
  testing::Drawing d;
  KeyWordMembership members;
  quillon::testing::FakeHost host;
};

QImage Picture(const std::function<void(ImageSurface&)>& draw) {
  ImageSurface surface(kSize);
  draw(surface);
  return surface.picture();
}

TEST(BatchDrawing, AtOneToOneTheViewIsTheDrawingsPicturePixelForPixel) {
  Application();
  Laid laid;
  for (const bool names : {false, true}) {
    const QImage drawing = Picture([&](ImageSurface& s) {
      RenderGraph(laid.d.catalogue(), laid.members, names, s, laid.host);
    });
    ViewStyle style;
    style.drawProductName = names;
    const QImage view = Picture(
        [&](ImageSurface& s) { RenderView(laid.d.catalogue(), laid.members, {}, style, s); });
    EXPECT_EQ(view, drawing) << names;
  }
}

// Everything through a painter, one call per shape: the reference for the
// image surface, which writes opaque lines itself.
class PainterSurface final : public Surface {
 public:
  explicit PainterSurface(QSize size) : image_(size, QImage::Format_RGB32), font_(GraphFont()) {
    image_.fill(Qt::white);
    painter_.begin(&image_);
    PreparePainter(painter_, font_);
  }
  QImage picture() {
    painter_.end();
    return image_;
  }
  void clear() override { painter_.fillRect(image_.rect(), Qt::white); }
  void setForeColor(Rgb color) override { fore_ = ToQColor(color); }
  float textWidth(std::string_view text) const override {
    return static_cast<float>(QFontMetricsF(font_, &image_).horizontalAdvance(ToQString(text)));
  }
  float textHeight(std::string_view) const override {
    return static_cast<float>(QFontMetricsF(font_, &image_).height());
  }
  void setCurrentPosition(float x, float y) override { x_ = x, y_ = y; }
  void print(std::string_view text) override {
    PaintText(painter_, x_, y_, static_cast<float>(QFontMetricsF(font_, &image_).ascent()),
              ToQString(text), fore_);
  }
  void line(float x1, float y1, float x2, float y2) override {
    PaintLine(painter_, x1, y1, x2, y2, fore_);
  }
  void coloredLine(float x1, float y1, float x2, float y2, Rgb color) override {
    PaintLine(painter_, x1, y1, x2, y2, ToQColor(color));
  }
  void rectangle(float x1, float y1, float x2, float y2, Rgb color) override {
    PaintRectangle(painter_, x1, y1, x2, y2, ToQColor(color));
  }
  void circle(float x, float y, float radius, Rgb color) override {
    PaintCircle(painter_, x, y, radius, ToQColor(color));
  }
  float width() const override { return static_cast<float>(image_.width()); }
  float height() const override { return static_cast<float>(image_.height()); }
  void present() override {}

 private:
  QImage image_;
  QFont font_;
  QPainter painter_;
  QColor fore_ = Qt::black;
  float x_ = 0, y_ = 0;
};

TEST(BatchDrawing, LinesWrittenStraightIntoTheImageAreThePaintersPixelForPixel) {
  Application();
  const QSize size(40, 30);
  std::mt19937 gen(11);
  const auto within = [&gen](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(gen);
  };
  struct Row {
    const char* name;
    std::function<LineSegment()> make;
  };
  const auto f = [](double v) { return static_cast<float>(v); };
  const std::vector<Row> rows{
      {"inside",
       [&] {
         return LineSegment{f(within(0, 40)), f(within(0, 30)), f(within(0, 40)), f(within(0, 30))};
       }},
      {"through the edges",
       [&] {
         return LineSegment{f(within(-80, 120)), f(within(-60, 90)), f(within(-80, 120)),
                            f(within(-60, 90))};
       }},
      {"shorter than a pixel",
       [&] {
         const double x = within(-2, 42), y = within(-2, 32);
         return LineSegment{f(x), f(y), f(x + within(-1, 1)), f(y + within(-1, 1))};
       }},
      {"on half pixels",
       [&] {
         const auto half = [&](double n) { return f(std::floor(within(-3, n + 3)) + 0.5); };
         return LineSegment{half(40), half(30), half(40), half(30)};
       }},
      {"a point",
       [&] {
         const float x = f(within(-2, 42)), y = f(within(-2, 32));
         return LineSegment{x, y, x, y};
       }},
  };
  for (const Row& row : rows) {
    for (int i = 0; i < 400; ++i) {
      const LineSegment l = row.make();
      ImageSurface direct(size);
      direct.line(l.x1, l.y1, l.x2, l.y2);
      PainterSurface painted(size);
      painted.line(l.x1, l.y1, l.x2, l.y2);
      ASSERT_EQ(direct.picture(), painted.picture())
          << row.name << ": " << l.x1 << "," << l.y1 << " to " << l.x2 << "," << l.y2;
    }
  }
}

// The drawing's own picture of a grouped catalogue, as the view draws it at
// 1:1 in the default style, against every shape painted one by one.
TEST(BatchDrawing, AtOneToOneAGroupedCatalogueIsThePaintersPictureOneShapeAtATime) {
  Application();
  testing::Drawing d("", 400, 300);
  d.catalogue() = quillon::testing::LoadGroupedProducts(600, 2).catalogue;
  d.drawSimilarityGraph();
  const KeyWordMembership members(d.catalogue());
  for (const bool names : {false, true}) {
    PainterSurface painted(kSize);
    RenderGraph(d.catalogue(), members, names, painted, d.host);
    ViewStyle style;
    style.drawProductName = names;
    const QImage view =
        Picture([&](ImageSurface& s) { RenderView(d.catalogue(), members, {}, style, s); });
    EXPECT_EQ(view, painted.picture()) << names;
  }
}

TEST(BatchDrawing, CirclesOnWholePixelsAreThoseDrawnOneByOne) {
  Application();
  const std::vector<Centre> centres{{10, 10}, {11, 10}, {200, 150}, {0, 0}, {399, 299}, {50, 3}};
  for (const float radius : {2.0f, 5.0f}) {
    const QImage oneByOne = Picture([&](ImageSurface& s) {
      for (const Centre& c : centres) s.circle(c.x, c.y, radius, {255, 0, 0});
    });
    const QImage together = Picture([&](ImageSurface& s) {
      s.circles(centres, radius, {255, 0, 0});
    });
    EXPECT_EQ(together, oneByOne) << radius;
  }
}

// Pixels of a colour in the picture.
int Count(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
  return n;
}

TEST(BatchDrawing, LinesCoverTheirPixelsAndAreClippedToThePicture) {
  Application();
  // Horizontal and vertical lines are the same whichever way they are drawn.
  const std::vector<LineSegment> straight{{5, 5, 100, 5}, {20, 10, 20, 290}, {-50, 100, 500, 100}};
  const QImage oneByOne = Picture([&](ImageSurface& s) {
    for (const LineSegment& l : straight) s.coloredLine(l.x1, l.y1, l.x2, l.y2, kBlack);
  });
  const QImage together = Picture([&](ImageSurface& s) { s.coloredLines(straight, kBlack); });
  EXPECT_EQ(together, oneByOne);

  // A diagonal: one pixel per column, ends included; what lies outside is left out.
  const QImage diagonal = Picture([](ImageSurface& s) {
    const std::vector<LineSegment> lines{{0, 0, 99, 49}, {-100, -100, -1, -1}, {1e9f, 0, 2e9f, 5}};
    s.coloredLines(lines, kBlack);
  });
  EXPECT_EQ(Count(diagonal, qRgb(0, 0, 0)), 100);
  EXPECT_EQ(diagonal.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(diagonal.pixel(99, 49), qRgb(0, 0, 0));
}

TEST(BatchDrawing, ManyLinesAreDrawnOnTwoThreadsWithoutGaps) {
  Application();
  // Enough lines for two threads; each vertical line crosses the middle row.
  std::vector<LineSegment> lines;
  for (int i = 0; i < 20000; ++i) {
    const auto x = static_cast<float>(i % 400);
    lines.push_back({x, 0, x, 299});
  }
  const QImage picture = Picture([&](ImageSurface& s) { s.coloredLines(lines, kBlack); });
  EXPECT_EQ(Count(picture, qRgb(0, 0, 0)), 400 * 300);
}

// Faded, so that the number of lines through a pixel shows: which thread
// marks a line, and whether there is a second one, leave the picture as it is.
TEST(BatchDrawing, ManyFadedLinesGiveOnePictureWhicheverThreadMarksThem) {
  Application();
  const auto faded = [](const std::vector<LineSegment>& lines) {
    return Picture([&](ImageSurface& s) {
      s.setLineOpacity(0.02f);
      s.coloredLines(lines, kBlack);
    });
  };
  std::mt19937 gen(5);
  std::uniform_real_distribution<float> x(-20, 420), y(-20, 320);
  std::vector<LineSegment> lines(30000);
  for (LineSegment& l : lines) l = {x(gen), y(gen), x(gen), y(gen)};
  const QImage picture = faded(lines);
  std::vector<LineSegment> reordered(lines.rbegin(), lines.rend());
  std::rotate(reordered.begin(), reordered.begin() + 10000, reordered.end());
  EXPECT_EQ(faded(reordered), picture);

  // A few lines alone (one thread), and with enough lines outside the picture
  // for two: the same pixels, with no seam where the threads' work meets.
  const std::vector<LineSegment> few(lines.begin(), lines.begin() + 200);
  std::vector<LineSegment> padded = few;
  padded.resize(25000, LineSegment{-50, -50, -40, -60});
  EXPECT_EQ(faded(padded), faded(few));
}

}  // namespace
}  // namespace quillon::grapher
