// Drawing many shapes at once on the image surface: the drawing's own picture
// stays the same pixel for pixel, and the batched shapes land where the
// one-by-one ones would.
#include <gtest/gtest.h>

#include <QImage>

#include "grapher/render/render_graph.h"
#include "grapher/ui/image_surface.h"
#include "grapher/view/drawing_bounds.h"
#include "grapher/view/view_render.h"
#include "tests/grapher/drawing_fixture.h"
#include "tests/grapher/qt_test_support.h"

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

TEST(BatchDrawing, ManyLinesAreDrawnInBandsWithoutGaps) {
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

}  // namespace
}  // namespace quillon::grapher
