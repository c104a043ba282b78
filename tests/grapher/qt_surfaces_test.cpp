// The Qt picture surfaces: what lands in the pixels and in the SVG file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <functional>

#include "grapher/ui/image_surface.h"
#include "grapher/ui/svg_surface.h"
#include "tests/grapher/qt_test_support.h"
#include "tests/grapher/xml_check.h"

namespace quillon::grapher {
namespace {

using ::testing::HasSubstr;
using namespace quillon::grapher::testing;
using quillon::testing::TempFolder;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{131, 255, 121};

// A little of everything the drawings do.
void DrawSample(Surface& s) {
  s.clear();
  s.circle(20, 20, 2, kRed);
  s.line(30, 30, 60, 30);
  s.coloredLine(30, 40, 60, 40, kGreen);
  s.rectangle(70, 10, 90, 25, kBlack);
  s.setCurrentPosition(100, 10);
  s.print("カメラ Abc");
  s.present();
}

int CountColor(const QImage& image, QColor color) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == color;
  return count;
}

class SurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override { Application(); }
  TempFolder folder;
};

TEST_F(SurfaceTest, ImageSurfaceDrawsOnePixelOutlinesInTheirColours) {
  ImageSurface s(QSize(200, 60));
  DrawSample(s);
  const QImage& image = s.image();
  EXPECT_EQ(image.pixelColor(22, 20), QColor(255, 0, 0));  // on the circle
  EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::white));  // outline only
  EXPECT_EQ(image.pixelColor(45, 30), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(45, 31), QColor(Qt::white));  // one pixel wide
  EXPECT_EQ(image.pixelColor(45, 40), QColor(131, 255, 121));
  EXPECT_EQ(image.pixelColor(80, 10), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(80, 17), QColor(Qt::white));  // not filled
  int ink = 0;
  for (int y = 10; y < 10 + static_cast<int>(s.textHeight("x")); ++y)
    for (int x = 100; x < 100 + static_cast<int>(s.textWidth("カメラ Abc")); ++x)
      ink += image.pixelColor(x, y) != QColor(Qt::white);
  EXPECT_GT(ink, 20);

  s.clear();
  EXPECT_EQ(CountColor(s.image(), Qt::white), 200 * 60);
}

TEST_F(SurfaceTest, ForeColourAppliesToTextAndPlainLines) {
  ImageSurface s(QSize(100, 40));
  s.setForeColor(kGreen);
  s.line(0, 5, 99, 5);
  EXPECT_EQ(s.image().pixelColor(50, 5), QColor(131, 255, 121));
  s.setForeColor(kBlack);
  s.line(0, 9, 99, 9);
  EXPECT_EQ(s.image().pixelColor(50, 9), QColor(Qt::black));
}

TEST_F(SurfaceTest, TextIsMeasuredInTheGraphFont) {
  ImageSurface s;
  EXPECT_EQ(s.textWidth(""), 0);
  EXPECT_GT(s.textWidth("カメラ"), s.textWidth("カ"));
  EXPECT_GT(s.textHeight(""), 8);
  EXPECT_EQ(s.textHeight("カメラ"), s.textHeight("x"));
  EXPECT_LT(s.textHeight("x"), 30);  // about 8 points, not a default large font
}

TEST_F(SurfaceTest, ImageGrowsKeepingItsContentAndNeverGoesNegative) {
  ImageSurface s(QSize(50, 50));
  s.circle(40, 40, 2, kRed);
  s.resize(QSize(20, -5));
  EXPECT_EQ(s.width(), 20);
  EXPECT_EQ(s.height(), 0);
  s.line(0, 0, 5, 5);  // drawing on an empty surface is harmless
  s.resize(QSize(300, 200));
  EXPECT_EQ(s.width(), 300);
  EXPECT_EQ(s.image().pixelColor(42, 40), QColor(255, 0, 0));
  EXPECT_EQ(s.image().pixelColor(250, 150), QColor(Qt::white));
}

TEST_F(SurfaceTest, PngHoldsTheDrawableSize) {
  ImageSurface s(QSize(120, 80));
  DrawSample(s);
  ASSERT_TRUE(s.savePng(folder.file("out.png")));
  const QImage png(QString::fromStdString(folder.file("out.png")));
  EXPECT_EQ(png.size(), QSize(120, 80));
  EXPECT_EQ(png.pixelColor(22, 20), QColor(255, 0, 0));

  const Status failed = s.savePng(folder.file("missing/out.png"));
  ASSERT_FALSE(failed);
  EXPECT_THAT(failed.error(), HasSubstr("missing/out.png"));
}

TEST_F(SurfaceTest, SvgKeepsOnlyWhatFollowsTheLastClear) {
  SvgSurface s(QSize(200, 60));
  s.line(0, 0, 1, 1);
  DrawSample(s);
  EXPECT_EQ(s.operationCount(), 5u);
  ASSERT_TRUE(s.saveSvg(folder.file("out.svg")));
  const std::string svg = folder.read("out.svg");
  EXPECT_THAT(svg, HasSubstr("viewBox=\"0 0 200 60\""));
  EXPECT_THAT(svg, HasSubstr("#ff0000"));
  EXPECT_THAT(svg, HasSubstr("#83ff79"));
  EXPECT_THAT(svg, HasSubstr(">カメラ"));  // split into runs by script
  EXPECT_THAT(svg, HasSubstr(">Abc<"));
  EXPECT_EQ(ParseXml(svg).error, "");

  const Status failed = s.saveSvg(folder.file("missing/out.svg"));
  ASSERT_FALSE(failed);
  EXPECT_THAT(failed.error(), HasSubstr("missing/out.svg"));
}

// The SVG file itself, rendered as an SVG viewer renders it.
QImage RenderSvgFile(const std::string& path, QSize size) {
  QSvgRenderer renderer(QString::fromStdString(path));
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// Pixels of `a` in `area` that are drawn (not white) with no drawn pixel of
// `b` within one pixel: an SVG renderer smooths edges, so lines may spread to a neighbour.
int DrawnPixelsMissingNearby(const QImage& a, const QImage& b, const QRect& area) {
  int missing = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (a.pixelColor(x, y) == Qt::white) continue;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx)
          near = b.valid(x + dx, y + dy) && b.pixelColor(x + dx, y + dy) != Qt::white;
      missing += near ? 0 : 1;
    }
  }
  return missing;
}

TEST_F(SurfaceTest, SvgFileRendersAsTheWindowPicture) {
  ImageSurface image(QSize(200, 60));
  SvgSurface svg(QSize(200, 60));
  DrawSample(image);
  DrawSample(svg);
  EXPECT_EQ(image.textWidth("カメラ"), svg.textWidth("カメラ"));
  // What the SVG surface paints is the window's picture, pixel for pixel ...
  const QImage window = image.picture().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(svg.toImage().convertToFormat(QImage::Format_RGB32), window);
  // ... and its file, rendered by an SVG renderer, draws the same things in the same places.
  ASSERT_TRUE(svg.saveSvg(folder.file("out.svg")));
  const QImage rendered = RenderSvgFile(folder.file("out.svg"), QSize(200, 60));
  // The shapes lie left of the text, which an SVG renderer lays out run by run.
  const QRect shapes(0, 0, 96, 60), text(96, 0, 104, 60);
  EXPECT_EQ(DrawnPixelsMissingNearby(window, rendered, shapes), 0);
  EXPECT_EQ(DrawnPixelsMissingNearby(rendered, window, shapes), 0);
  EXPECT_LT(CountColor(rendered.copy(text), Qt::white), text.width() * text.height());
  // In their colours: the red marker and the green line.
  const auto tinted = [&](QPoint at, int channel) {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) {
        const QColor c = rendered.pixelColor(at + QPoint(dx, dy));
        const int rgb[] = {c.red(), c.green(), c.blue()};
        if (rgb[channel] > 100 && rgb[channel] > std::max({rgb[0], rgb[1], rgb[2]}) - 1 &&
            c != Qt::white)
          return true;
      }
    return false;
  };
  EXPECT_TRUE(tinted({22, 20}, 0));
  EXPECT_TRUE(tinted({45, 40}, 1));
}

// Texts an XML document cannot hold as they are (from raw record bytes)
// still give an SVG that an XML reader accepts.
TEST_F(SurfaceTest, SvgWithAnyTitleIsWellFormedXml) {
  for (const std::string& text :
       {std::string("bell\x07"), std::string("nul\0x", 5), std::string("esc\x1B[0m"),
        std::string("\xEF\xBF\xBE"), std::string("a < b & \"c\"\r\nd"), std::string("&#1;")}) {
    SvgSurface s(QSize(100, 40));
    s.clear();
    s.setCurrentPosition(2, 2);
    s.print(text);
    ASSERT_TRUE(s.saveSvg(folder.file("t.svg")));
    EXPECT_EQ(ParseXml(folder.read("t.svg")).error, "") << text;
  }
}

}  // namespace
}  // namespace quillon::grapher
