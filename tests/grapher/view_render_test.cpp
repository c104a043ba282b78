// The view's renderer: the drawing procedures' picture at 1:1, and what zoom,
// selection, colour modes and cancelling change.
#include "grapher/view/view_render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <tuple>

#include "grapher/render/render_graph.h"
#include "grapher/view/neighbourhood.h"
#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using testing::Drawing;
using Kind = testing::RecordingSurface::Kind;
using Op = testing::RecordingSurface::Op;

// Every field, exactly, so that two call sequences compare as a whole.
std::string Exact(const Op& op) {
  std::string s = std::to_string(static_cast<int>(op.kind));
  for (const float v : {op.x1, op.y1, op.x2, op.y2, op.radius}) s += " " + std::to_string(v);
  return s + " " + std::to_string(op.color.r) + "." + std::to_string(op.color.g) + "." +
         std::to_string(op.color.b) + " " + op.text;
}

std::vector<std::string> Exact(const std::vector<Op>& ops) {
  std::vector<std::string> out;
  for (const Op& op : ops) out.push_back(Exact(op));
  return out;
}

struct ViewRenderTest : ::testing::Test {
  // A laid-out catalogue larger than the picture: twelve products in a ring of
  // links, keywords "cam" and "bag", some titles without a keyword.
  ViewRenderTest() : d("", 200, 150) {
    auto& c = d.catalogue();
    testing::AddKeyWords(c, {"cam", "bag"});
    for (int i = 0; i < 12; ++i)
      testing::AddProduct(c, i % 3 == 0 ? "cam " + std::to_string(i) : "bag" + std::to_string(i),
                          i * 1000, {(i + 1) % 12, (i + 5) % 12});
    testing::Link(c);
    d.drawSimilarityGraph();
    members = KeyWordMembership(c);
  }
  std::vector<Op> render(const ViewTransform& t, const ViewStyle& style) {
    d.surface.ops.clear();
    EXPECT_TRUE(RenderView(d.catalogue(), members, t, style, d.surface));
    return d.surface.ops;
  }
  Drawing d;
  KeyWordMembership members;
};

TEST_F(ViewRenderTest, AtOneToOneTheCallsAreThoseOfTheDrawing) {
  for (const bool names : {false, true}) {
    d.surface.ops.clear();
    RenderGraph(d.catalogue(), members, names, d.surface, d.host);
    const std::vector<Op> drawing = d.surface.ops;
    ViewStyle style;
    style.drawProductName = names;
    EXPECT_EQ(Exact(render({}, style)), Exact(drawing)) << "names " << names;
  }
}

TEST_F(ViewRenderTest, ZoomMovesPositionsButKeepsPixelSizesAndCullsTheRest) {
  const Product& first = d.product(0);
  ViewTransform t{8, 0, 0};
  t.panBy(100 - first.X * 8, 75 - first.Y * 8);  // product 0 in the middle
  const std::vector<Op> ops = render(t, {});
  int circles = 0, titles = 0;
  bool firstSeen = false;
  for (const Op& op : ops) {
    if (op.kind == Kind::Circle) {
      ++circles;
      EXPECT_EQ(op.radius, kProductMarkerRadius);
      EXPECT_TRUE(op.x1 >= -kSelectedRingRadius && op.x1 <= 200 + kSelectedRingRadius);
      firstSeen = firstSeen || (std::abs(op.x1 - 100) < 1e-3 && std::abs(op.y1 - 75) < 1e-3);
    }
    titles += op.kind == Kind::Print ? 1 : 0;
  }
  EXPECT_TRUE(firstSeen);
  EXPECT_LT(circles, 12);
  EXPECT_GT(titles, 0);  // readable at 8x even without the title setting
}

TEST_F(ViewRenderTest, SelectionStandsOutAndTheRestFades) {
  ViewStyle style;
  style.selected = 0;
  style.highlighted = LinkedProducts(d.catalogue(), 0);
  const std::vector<Op> ops = render({}, style);
  int rings = 0, faded = 0, selectionLines = 0;
  for (const Op& op : ops) {
    if (op.kind == Kind::Circle && op.color == kSelectionColour) ++rings;
    if (op.kind == Kind::Circle && op.color == Faded(kProductMarkerColor)) ++faded;
    if (op.kind == Kind::Line && op.color == kSelectionColour) ++selectionLines;
  }
  EXPECT_EQ(rings, 5);  // the product, its two similar products and its two referrers
  EXPECT_EQ(faded, 12 - 5);
  EXPECT_EQ(selectionLines, 4);
}

// Every mode: each marker in its mode's colour, keyword lines in the keyword's
// colour when colouring by keyword, the mode's legend (none for the drawing's
// own colours), and a cancel seen at once.
TEST_F(ViewRenderTest, ColourModesColourEveryMarkerDrawTheirLegendAndCancelStopsEarly) {
  struct Case {
    const char* name;
    ColourBy mode;
    std::vector<std::string> legend;  // title first; empty: no legend
  };
  for (const Case& c :
       {Case{"Drawing", ColourBy::Drawing, {}},
        Case{"KeyWord", ColourBy::KeyWord, {"キーワード", "cam", "bag", "キーワードなし"}},
        Case{
            "Rank", ColourBy::Rank, {"売上順位", "1", "100", "10,000", "1,000,000", "順位不明"}}}) {
    ViewStyle style;
    style.colourBy = c.mode;
    const std::vector<Op> ops = render({}, style);
    std::vector<Rgb> markers, expected;
    std::vector<std::string> legend;
    bool legendStarted = false;
    for (const Op& op : ops) {
      if (op.kind == Kind::Circle && !legendStarted) markers.push_back(op.color);
      if (op.kind == Kind::Print)
        legendStarted = legendStarted || op.text == (c.legend.empty() ? "" : c.legend.front());
      if (op.kind == Kind::Print && legendStarted) legend.push_back(op.text);
      if (op.kind == Kind::Line && c.mode == ColourBy::KeyWord && op.color == kKeyWordLineColor)
        ADD_FAILURE() << c.name << ": a keyword line in the drawing's colour";
    }
    for (const Product& p : d.products()) expected.push_back(ProductColour(c.mode, p));
    EXPECT_EQ(markers, expected) << c.name;
    EXPECT_EQ(legend, c.legend) << c.name;
    EXPECT_EQ(ops.back().kind, Kind::Present) << c.name;

    const std::atomic<bool> cancel{true};
    d.surface.ops.clear();
    EXPECT_FALSE(RenderView(d.catalogue(), members, {}, style, d.surface, &cancel)) << c.name;
    EXPECT_LE(d.surface.ops.size(), 1u) << c.name;  // the clear only
  }
}

TEST_F(ViewRenderTest, HiddenPartsAreLeftOutAndTheRestStays) {
  const auto counts = [&](bool ViewStyle::*hidden) {
    ViewStyle style;
    if (hidden != nullptr) style.*hidden = false;
    std::map<Kind, int> n;
    int keyWordLines = 0;
    for (const Op& op : render({}, style)) {
      ++n[op.kind];
      keyWordLines += op.kind == Kind::Line && op.color == kKeyWordLineColor;
    }
    return std::tuple{n[Kind::Line] - keyWordLines, keyWordLines, n[Kind::Rectangle],
                      n[Kind::Circle]};
  };
  const auto [similar, keyWordLines, labels, markers] = counts(nullptr);
  ASSERT_GT(similar * keyWordLines * labels * markers, 0);
  EXPECT_EQ(counts(&ViewStyle::showSimilarityLines), std::tuple(0, keyWordLines, labels, markers));
  EXPECT_EQ(counts(&ViewStyle::showKeyWordLines), std::tuple(similar, 0, labels, markers));
  EXPECT_EQ(counts(&ViewStyle::showLabels), std::tuple(similar, keyWordLines, 0, markers));
}

// Enough products for a view to gather its shapes on two threads: every link
// once and in product order, and every marker, as one pass would give them.
TEST(ViewRenderManyTest, ManyProductsGiveEveryLinkInOrderAndEveryMarker) {
  constexpr int kProducts = 24000, kAcross = 160;
  Catalogue c;
  for (int i = 0; i < kProducts; ++i)
    testing::AddProduct(c, "p", 1, {(i + 1) % kProducts, (i * 7 + 3) % kProducts});
  testing::Link(c);
  const auto at = [](int i) {  // on a grid, half a pixel off (not the drawing's own picture)
    return Point{(i % kAcross) * 5 + 0.5, (i / kAcross) * 5 + 0.5};
  };
  for (int i = 0; i < kProducts; ++i) {
    c.ProductTable[static_cast<std::size_t>(i)].X = static_cast<float>((i % kAcross) * 5);
    c.ProductTable[static_cast<std::size_t>(i)].Y = static_cast<float>((i / kAcross) * 5);
  }
  testing::RecordingSurface surface(1000, 1000);
  ASSERT_TRUE(RenderView(c, KeyWordMembership(c), {1, 0.5, 0.5}, ViewStyle{}, surface));

  using Shape = std::array<double, 4>;
  std::vector<Shape> lines, expectedLines, markers, expectedMarkers;
  for (const Op& op : surface.ops) {
    if (op.kind == Kind::Line) lines.push_back({op.x1, op.y1, op.x2, op.y2});
    if (op.kind == Kind::Circle) markers.push_back({op.x1, op.y1, 0, 0});
  }
  for (int i = 0; i < kProducts; ++i) {
    const Point p = at(i);
    for (const std::int32_t s : c.ProductTable[static_cast<std::size_t>(i)].SimilarIndex)
      expectedLines.push_back({p.x, p.y, at(s).x, at(s).y});
    expectedMarkers.push_back({std::round(p.x), std::round(p.y), 0, 0});
  }
  EXPECT_EQ(lines, expectedLines);
  std::sort(markers.begin(), markers.end());
  std::sort(expectedMarkers.begin(), expectedMarkers.end());
  EXPECT_EQ(markers, expectedMarkers);
}

TEST(ColourByTest, ScaleEndsAndDistinctKeyWords) {
  EXPECT_EQ(RankColour(0), kUnknownRankColour);
  EXPECT_EQ(RankColour(-5), kUnknownRankColour);
  EXPECT_EQ(RankColour(kWorstRank * 10), RankColour(kWorstRank));
  const Rgb best = RankColour(kBestRank), worst = RankColour(kWorstRank);
  EXPECT_GT(best.r, best.b);    // warm
  EXPECT_GT(worst.b, worst.r);  // cool
  EXPECT_NE(RankColour(100), RankColour(10000));
  for (std::int32_t k = 0; k < 24; ++k) {
    const Rgb a = KeyWordColour(k), b = KeyWordColour(k + 1);
    EXPECT_FALSE(a == b) << k;
    EXPECT_LT(std::min({a.r, a.g, a.b}), 200) << k;  // never close to white
  }
  EXPECT_EQ(ParseColourBy("keyword"), ColourBy::KeyWord);
  EXPECT_EQ(ParseColourBy("Rank"), std::nullopt);
}

}  // namespace
}  // namespace quillon::grapher
