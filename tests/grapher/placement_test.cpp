#include "grapher/layout/placement.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "common/numbers.h"
#include "grapher/render/render_graph.h"
#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using testing::AddKeyWords;
using testing::AddProduct;
using testing::Drawing;
using testing::Link;
using Kind = testing::RecordingSurface::Kind;

double Distance(const Product& a, const Product& b) {
  return std::hypot(static_cast<double>(a.X) - b.X, static_cast<double>(a.Y) - b.Y);
}

// The angles a fresh generator with the test seed gives, in order.
std::vector<int> FirstAngles(int count) {
  RandomSource random(testing::kSeed);
  std::vector<int> angles;
  for (int i = 0; i < count; ++i) {
    const double r = random.nextSingle();
    angles.push_back(static_cast<int>(RoundHalfEven((r + r) * 3.14159265358979)));
  }
  return angles;
}

TEST(PlacementAngleTest, WholeRadiansZeroToSixWithTheirShares) {
  Drawing d;
  std::array<int, 7> histogram{};
  constexpr int kDraws = 70000;
  for (int i = 0; i < kDraws; ++i) {
    const std::int32_t a = NextPlacementAngle(d.directions);
    ASSERT_GE(a, 0);
    ASSERT_LE(a, 6);
    EXPECT_EQ(d.directions.PlacementAngle, a);
    ++histogram[a];
  }
  const double twoPi = 2 * 3.14159265358979;
  EXPECT_NEAR(histogram[0] / double(kDraws), 0.5 / twoPi, 0.01);
  for (int a = 1; a <= 5; ++a) EXPECT_NEAR(histogram[a] / double(kDraws), 1 / twoPi, 0.01);
  EXPECT_NEAR(histogram[6] / double(kDraws), (twoPi - 5.5) / twoPi, 0.01);
}

TEST(PlaceProductsTest, EdgesFollowTheKeyWordsInWholeRadianDirections) {
  Drawing d("DrawLine=True\r\n");
  ReadLayoutSettings(d.folder.path(), d.settings);
  auto& c = d.catalogue();
  AddKeyWords(c, {"alpha", "beta"});
  AddProduct(c, "alpha start", 1, {1, 2, 3, 4});
  AddProduct(c, "ALPHA same");          // 1: 10
  AddProduct(c, "beta other");          // 2: 80
  AddProduct(c, "plain", 1, {5});       // 3: 40; its child has a keyword but it has none
  AddProduct(c, "beta again", 1, {6});  // 4: 80
  AddProduct(c, "alpha under plain");   // 5: 40 from 3
  AddProduct(c, "beta under beta");     // 6: 10 from 4
  Link(c);
  PlaceProducts(d.products(), d.settings, d.directions, d.surface, d.host);

  EXPECT_FLOAT_EQ(d.product(0).X, 200);
  EXPECT_FLOAT_EQ(d.product(0).Y, 150);
  const std::array<std::pair<int, double>, 6> expected{
      {{0, 10}, {0, 80}, {0, 40}, {0, 80}, {3, 40}, {4, 10}}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Product& child = d.product(i + 1);
    const Product& parent = d.product(expected[i].first);
    EXPECT_EQ(child.Placed, 1) << i + 1;
    EXPECT_NEAR(Distance(parent, child), expected[i].second, 1e-3) << i + 1;
    const double angle = std::atan2(parent.Y - child.Y, child.X - parent.X);
    const double turns = angle < -1e-9 ? angle + 2 * M_PI : angle;
    EXPECT_NEAR(turns, std::round(turns), 1e-4) << "not a whole radian: " << i + 1;
  }
  EXPECT_EQ(d.surface.count(Kind::Line), 6);
  EXPECT_EQ(d.surface.count(Kind::Present), 6);
  EXPECT_EQ(d.host.eventPumps, 6);
}

TEST(PlaceProductsTest, StartProductChildrenArePlacedBesideItAgain) {
  Drawing d("DrawLine=True\r\nDrawProductName=True\r\n");
  ReadLayoutSettings(d.folder.path(), d.settings);
  auto& c = d.catalogue();
  AddProduct(c, "start", 4321, {1, 2});
  AddProduct(c, "first", 1, {2, 3});
  AddProduct(c, "second", 1, {});
  AddProduct(c, "grandchild", 1, {});
  Link(c);
  PlaceProducts(d.products(), d.settings, d.directions, d.surface, d.host);
  // 2 was placed from 1 first, then moved beside the start product; 3 stays put.
  EXPECT_NEAR(Distance(d.product(0), d.product(2)), 40, 1e-3);
  EXPECT_NEAR(Distance(d.product(1), d.product(3)), 40, 1e-3);
  const auto angles = FirstAngles(4);
  const Product& s = d.product(0);
  EXPECT_FLOAT_EQ(d.product(2).X, static_cast<float>(s.X + 40 * std::cos(angles[3])));
  EXPECT_FLOAT_EQ(d.product(2).Y, static_cast<float>(s.Y - 40 * std::sin(angles[3])));
  EXPECT_EQ(d.surface.ops[1].text, "4321");  // the start product shows its rank
  EXPECT_EQ(d.surface.ops[4].text, "first");
  const auto& last = d.surface.ops[d.surface.ops.size() - 2];
  EXPECT_EQ(last.kind, Kind::Line);
  EXPECT_FLOAT_EQ(last.x1, s.X);
}

// A plain recursive walk: the explicit stack must visit and draw in its order.
void ReferencePlaceSubtree(Drawing& drawing, std::int32_t p) {
  auto& table = drawing.products();
  for (const std::int32_t c : table[p].SimilarIndex) {
    if (table[c].Placed == 0) {
      table[c].Placed = 1;
      const float d = EdgeLength(drawing.settings, table[p], table[c]);
      const double a = NextPlacementAngle(drawing.directions);
      table[c].X = static_cast<float>(table[p].X + static_cast<double>(d) * std::cos(a));
      table[c].Y = static_cast<float>(table[p].Y - static_cast<double>(d) * std::sin(a));
      ReferencePlaceSubtree(drawing, c);
    }
    drawing.surface.setCurrentPosition(table[c].X, table[c].Y);
    drawing.surface.print(table[c].Title);
    drawing.surface.circle(table[c].X, table[c].Y, 2, kProductMarkerColor);
    drawing.surface.line(table[p].X, table[p].Y, table[c].X, table[c].Y);
    drawing.surface.present();
    drawing.host.processEvents();
  }
}

TEST(PlaceSubtreeTest, VisitsAndDrawsInTheRecursiveOrder) {
  for (std::uint32_t seed = 1; seed <= 5; ++seed) {
    std::mt19937 gen(seed);
    const auto build = [&gen](Catalogue& c) {
      AddKeyWords(c, {"a", "b", "c"});
      const int n = 200;
      for (int i = 0; i < n; ++i) {
        std::vector<std::int32_t> similar;
        const int count = static_cast<int>(gen() % 5);
        for (int k = 0; k < count; ++k) similar.push_back(static_cast<std::int32_t>(gen() % n));
        AddProduct(c, std::string(1, "abcxyz"[gen() % 6]) + " title", 1, similar);
      }
      Link(c);
    };
    Drawing actual("DrawProductName=True\r\nDrawCircle=True\r\nDrawLine=True\r\n");
    Drawing reference;
    build(actual.catalogue());
    gen.seed(seed);
    build(reference.catalogue());
    ReadLayoutSettings(actual.folder.path(), actual.settings);
    reference.settings = actual.settings;
    for (Drawing* d : {&actual, &reference}) d->product(0).Placed = 1;

    PlaceSubtree(actual.products(), 0, actual.settings, actual.directions, actual.surface,
                 actual.host);
    ReferencePlaceSubtree(reference, 0);

    ASSERT_EQ(actual.surface.ops.size(), reference.surface.ops.size()) << seed;
    for (std::size_t i = 0; i < actual.surface.ops.size(); ++i) {
      const auto& a = actual.surface.ops[i];
      const auto& r = reference.surface.ops[i];
      ASSERT_EQ(a.kind, r.kind) << seed << " op " << i;
      ASSERT_EQ(a.text, r.text) << seed << " op " << i;
      ASSERT_EQ(a.x1, r.x1) << seed << " op " << i;
      ASSERT_EQ(a.y2, r.y2) << seed << " op " << i;
    }
    for (std::size_t i = 0; i < 200; ++i) {
      EXPECT_EQ(actual.product(i).X, reference.product(i).X);
      EXPECT_EQ(actual.product(i).Placed, reference.product(i).Placed);
    }
  }
}

TEST(PlaceSubtreeTest, AMillionFirstPlacementsInOneChain) {
  constexpr std::int32_t kLength = 1'000'000;
  testing::FakeHost host;
  testing::NullSurface surface;
  PlacementDirections directions{RandomSource(testing::kSeed)};
  LayoutSettings settings;
  settings.GraphDefaultDistance = 40;
  std::vector<Product> table(kLength);
  for (std::int32_t i = 0; i + 1 < kLength; ++i) table[i].SimilarIndex = {i + 1};
  PlaceProducts(table, settings, directions, surface, host);
  EXPECT_EQ(table.back().Placed, 1);
  EXPECT_NEAR(Distance(table[kLength - 2], table[kLength - 1]), 40, 1e-2);
  EXPECT_EQ(surface.presents, kLength - 1);
}

TEST(CenterProductsTest, MovesTheCentreOfMassToTheMiddle) {
  Drawing d;
  auto& c = d.catalogue();
  AddProduct(c, "a");
  AddProduct(c, "b");
  d.product(1).X = 100;
  d.product(1).Y = 50;
  AddKeyWords(c, {"k"});
  d.keyWord(0).X = 7;
  CenterProducts(d.products(), d.surface, d.host);
  EXPECT_FLOAT_EQ(d.product(0).X, 150);
  EXPECT_FLOAT_EQ(d.product(0).Y, 125);
  EXPECT_FLOAT_EQ(d.product(1).X, 250);
  EXPECT_FLOAT_EQ(d.product(1).Y, 175);
  EXPECT_FLOAT_EQ(d.keyWord(0).X, 7);
  EXPECT_EQ(d.host.label(Label::Status), "商品をセンタリング中");
  EXPECT_EQ(d.host.textsOf(Label::Status2), std::vector<std::string>{""});
}

}  // namespace
}  // namespace quillon::grapher
