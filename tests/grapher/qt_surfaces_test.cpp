// The Qt picture surfaces: what lands in the pixels and in the SVG file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <functional>

#include "grapher/ui/image_surface.h"
#include "grapher/ui/svg_surface.h"
#include "tests/grapher/qt_test_support.h"

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

  const Status failed = s.saveSvg(folder.file("missing/out.svg"));
  ASSERT_FALSE(failed);
  EXPECT_THAT(failed.error(), HasSubstr("missing/out.svg"));
}

TEST_F(SurfaceTest, SvgPictureMatchesTheWindowPicturePixelForPixel) {
  ImageSurface image(QSize(200, 60));
  SvgSurface svg(QSize(200, 60));
  DrawSample(image);
  DrawSample(svg);
  EXPECT_EQ(image.textWidth("カメラ"), svg.textWidth("カメラ"));
  EXPECT_EQ(image.picture().convertToFormat(QImage::Format_RGB32),
            svg.toImage().convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace quillon::grapher
