// The view's geometry: transform and inverse, zoom about the cursor, fitting,
// and hit tests on the product grid.
#include <gtest/gtest.h>

#include "grapher/render/render_graph.h"
#include "grapher/view/product_grid.h"
#include "grapher/view/view_legend.h"
#include "grapher/view/view_transform.h"
#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

struct TransformCase {
  const char* name;
  ViewTransform t;
  Point graph;
  Point screen;
};

class TransformTest : public ::testing::TestWithParam<TransformCase> {};

TEST_P(TransformTest, MapsBothWays) {
  const TransformCase& c = GetParam();
  EXPECT_EQ(c.t.toScreen(c.graph), c.screen);
  EXPECT_EQ(c.t.toGraph(c.screen), c.graph);
}

INSTANTIATE_TEST_SUITE_P(
    Views, TransformTest,
    ::testing::Values(TransformCase{"Identity", {}, {12.5, -3}, {12.5, -3}},
                      TransformCase{"Panned", {1, 10, -20}, {5, 5}, {15, -15}},
                      TransformCase{"Zoomed", {4, 0, 0}, {-2.5, 8}, {-10, 32}},
                      TransformCase{"ZoomedOutAndPanned", {0.25, 100, 50}, {-400, 200}, {0, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewTransformTest, ZoomKeepsThePointUnderTheCursorAndStaysWithinLimits) {
  struct Case {
    const char* name;
    double factor;
    double scale;
  };
  for (const Case& c : {Case{"In", 2, 3}, Case{"Out", 0.5, 0.75}, Case{"TooFarIn", 1e9, kMaxScale},
                        Case{"TooFarOut", 1e-9, kMinScale}}) {
    ViewTransform t{1.5, -40, 25};
    const Point cursor{300, 200};
    const Point under = t.toGraph(cursor);
    t.zoomAbout(cursor, c.factor);
    EXPECT_DOUBLE_EQ(t.scale, c.scale) << c.name;
    EXPECT_NEAR(t.toScreen(under).x, cursor.x, 1e-9) << c.name;
    EXPECT_NEAR(t.toScreen(under).y, cursor.y, 1e-9) << c.name;
  }
}

TEST(FitTransformTest, WholeDrawingInsideTheMarginAndCentred) {
  Bounds b;
  b.includeWithPixels(-100, 0, 2, 2, 2, 2);
  b.includeWithPixels(300, 50, 30, 8, 30, 8);  // a label keeps its pixel size
  const ViewTransform t = FitTransform(b, 800, 600, 20);
  const Point topLeft = t.toScreen({b.graph.left, b.graph.top});
  const Point bottomRight = t.toScreen({b.graph.right, b.graph.bottom});
  EXPECT_NEAR(topLeft.x - b.padLeft, 20, 1e-9);  // the wider axis fills the room
  EXPECT_NEAR(bottomRight.x + b.padRight, 780, 1e-9);
  EXPECT_NEAR((topLeft.y - b.padTop) + (bottomRight.y + b.padBottom), 600, 1e-9);  // centred
  EXPECT_GE(topLeft.y - b.padTop, 20);
}

// Every anchor and its pixels inside the view less the margin.
void ExpectInside(const ViewTransform& t, const Bounds& b, double left, double top, double right,
                  double bottom, const char* name) {
  const Point a = t.toScreen({b.graph.left, b.graph.top});
  const Point z = t.toScreen({b.graph.right, b.graph.bottom});
  EXPECT_GE(a.x - b.padLeft, left - 1e-6) << name;
  EXPECT_GE(a.y - b.padTop, top - 1e-6) << name;
  EXPECT_LE(z.x + b.padRight, right + 1e-6) << name;
  EXPECT_LE(z.y + b.padBottom, bottom + 1e-6) << name;
}

TEST(FitTransformTest, FitsAtAndBeyondTheZoomLimits) {
  struct Case {
    const char* name;
    double width;
    double height;
    double scale;  // 0: only below kMinScale is asked
  };
  // In 844x564 with a margin of 20 and 2-pixel markers: 844 - 40 - 4 = 800 pixels across.
  for (const Case& c : {Case{"MillionProductChain", 1e6, 0, 0},
                        Case{"FarApartTwoProducts", 1e5 * 400, 1e5 * 300, 0},
                        Case{"JustAtTheLowerLimit", 800.0 * 256, 0, kMinScale},
                        Case{"TinyClusterStopsAtTheUpperLimit", 0.01, 0.01, kMaxScale}}) {
    Bounds b;
    b.includeWithPixels(-c.width / 2, 0, 2, 2, 2, 2);
    b.includeWithPixels(c.width / 2, c.height, 2, 2, 2, 2);
    const ViewTransform t = FitTransform(b, 844, 564, 20);
    if (c.scale > 0)
      EXPECT_DOUBLE_EQ(t.scale, c.scale) << c.name;
    else
      EXPECT_LT(t.scale, kMinScale) << c.name;
    ExpectInside(t, b, 20, 20, 824, 544, c.name);
    if (t.scale > kMinScale) continue;
    // Zooming out from a fit at or beyond the limit stays there; zooming in works.
    ViewTransform zoomed = t;
    zoomed.zoomAbout({100, 100}, 0.5);
    EXPECT_DOUBLE_EQ(zoomed.scale, t.scale) << c.name;
    zoomed.zoomAbout({100, 100}, 2);
    EXPECT_DOUBLE_EQ(zoomed.scale, t.scale * 2) << c.name;
  }
}

TEST(FitTransformTest, LeavesTheLegendFree) {
  const testing::RecordingSurface measuring;
  Legend legend;
  legend.title = "legend title";
  legend.entries = {{"first", kBlack}, {"second", kBlack}};
  struct Case {
    const char* name;
    double width;
    double height;
  };
  // A wide drawing goes below the legend, a tall one beside it.
  for (const Case& c : {Case{"Wide", 1000, 10}, Case{"Tall", 10, 1000}, Case{"Square", 500, 500}}) {
    Bounds b;
    b.includeWithPixels(0, 0, 2, 2, 2, 2);
    b.includeWithPixels(c.width, c.height, 2, 2, 2, 2);
    const std::optional<Rect> box = LegendBox(legend, measuring, 844, 564);
    ASSERT_TRUE(box);
    const ViewTransform t = FitBesideLegend(b, legend, measuring, 844, 564, 20);
    const Point a = t.toScreen({b.graph.left, b.graph.top});
    const Point z = t.toScreen({b.graph.right, b.graph.bottom});
    const bool beside = z.x + b.padRight <= box->left;
    const bool below = a.y - b.padTop >= box->bottom;
    EXPECT_TRUE(beside || below) << c.name;
    ExpectInside(t, b, 20, 20, 824, 544, c.name);
  }
  // Without a legend it is the plain fit.
  EXPECT_EQ(FitBesideLegend(Bounds{}, Legend{}, measuring, 844, 564, 20), ViewTransform{});
}

TEST(FitTransformTest, DegenerateDrawings) {
  EXPECT_EQ(FitTransform(Bounds{}, 800, 600, 20), ViewTransform{});
  Bounds point;
  point.include(10, 10);
  const ViewTransform t = FitTransform(point, 800, 600, 20);
  EXPECT_EQ(t.scale, 1);
  EXPECT_EQ(t.toScreen({10, 10}), (Point{400, 300}));
}

TEST(DrawingBoundsTest, CoversMarkersAndShownLabelsOnly) {
  Catalogue c;
  testing::AddKeyWords(c, {"abcd", "hidden"});
  testing::AddProduct(c, "a");
  testing::AddProduct(c, "b");
  c.ProductTable[0].X = -10;
  c.ProductTable[1].X = 40;
  c.ProductTable[1].Y = 30;
  c.KeyWordTable[0].HasProduct = true;
  c.KeyWordTable[0].X = 100;
  c.KeyWordTable[1].X = 1000;  // not drawn
  const testing::RecordingSurface measuring;
  const Bounds b = DrawingBounds(c, measuring);
  EXPECT_EQ(b.graph, (Rect{-10, 0, 100, 30}));
  EXPECT_EQ(b.padRight, 2 * testing::kFixedCharWidth);  // half of "abcd"
  EXPECT_EQ(b.padTop, testing::kFixedTextHeight / 2 + 1);
}

TEST(ProductGridTest, HitsTheNearestMarkerWithinItsPixelRadius) {
  std::vector<Product> products(3);
  products[0].X = 100, products[0].Y = 100;
  products[1].X = 110, products[1].Y = 100;
  products[2].X = -500, products[2].Y = 900;
  const ProductGrid grid(products);
  const double scale = 2;
  const double edge = (kProductMarkerRadius + kHitTolerancePx) / scale;  // graph units
  struct Case {
    const char* name;
    double x, y;
    std::optional<std::int32_t> hit;
  };
  for (const Case& c : {Case{"Centre", 100, 100, 0}, Case{"InsideEdge", 100, 100 + edge * 0.99, 0},
                        Case{"OutsideEdge", 100, 100 + edge * 1.01, std::nullopt},
                        Case{"NearerTheSecond", 108.5, 100, 1}, Case{"FarCorner", -500, 901, 2},
                        Case{"Between", 105, 100, std::nullopt}}) {
    EXPECT_EQ(grid.HitTest(c.x, c.y, HitRadius(scale)), c.hit) << c.name;
  }
  // Both markers within reach: the nearer wins, a tie goes to the lower index.
  EXPECT_EQ(grid.HitTest(106, 100, 10), 1);
  EXPECT_EQ(grid.HitTest(105, 100, 10), 0);
  EXPECT_EQ(ProductGrid().HitTest(0, 0, 10), std::nullopt);
  EXPECT_EQ(grid.productsIn({99, 0, 200, 100}), (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(grid.productsIn({-1000, -1000, 1000, 1000}), (std::vector<std::int32_t>{0, 1, 2}));
}

}  // namespace
}  // namespace quillon::grapher
