// The filter's conditions one by one and together, and what the view does
// with the products it leaves out; colours and sizes by measure.
#include "grapher/view/product_filter.h"

#include <gtest/gtest.h>

#include "grapher/render/render_graph.h"
#include "grapher/view/view_render.h"
#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using Kind = testing::RecordingSurface::Kind;

// 0 -> 1 -> 2 -> 3 in a chain; 4 <-> 5 apart; 6 alone. Titles hold "tea" (0, 2, 4) or "cup" (1, 5).
struct FilterTest : ::testing::Test {
  FilterTest() {
    testing::AddKeyWords(c, {"tea", "cup"});
    const char* titles[] = {"tea 0", "cup 1", "tea 2", "plain 3", "tea 4", "cup 5", ""};
    const std::vector<std::vector<std::int32_t>> links{{1}, {2}, {3}, {}, {5}, {4}, {}};
    for (int i = 0; i < 7; ++i)
      testing::AddProduct(c, titles[i], (i + 1) * 100, links[static_cast<std::size_t>(i)]);
    testing::Link(c);
    members = KeyWordMembership(c);
    measures = analysis::ComputeMeasures(analysis::LinksOf(c)).value();
  }
  std::vector<int> shown(const ProductFilter& f, bool withMeasures = true) const {
    const std::vector<bool> marks =
        ShownProducts(f, c, members, withMeasures ? &measures : nullptr);
    std::vector<int> out;
    for (std::size_t i = 0; i < marks.size(); ++i)
      if (marks[i]) out.push_back(static_cast<int>(i));
    return out;
  }
  Catalogue c;
  KeyWordMembership members;
  analysis::GraphMeasures measures;
};

TEST_F(FilterTest, EachConditionAndTheirConjunction) {
  struct Row {
    const char* name;
    ProductFilter filter;
    std::vector<int> expected;
  };
  const auto with = [](auto change) {
    ProductFilter f;
    change(f);
    return f;
  };
  const Row rows[] = {
      {"nothing", {}, {0, 1, 2, 3, 4, 5, 6}},
      {"keyword tea", with([](auto& f) { f.keyWords = {0}; }), {0, 2, 4}},
      {"either keyword",
       with([](auto& f) {
         f.keyWords = {0, 1};
       }),
       {0, 1, 2, 4, 5}},
      {"rank 200 to 400",
       with([](auto& f) {
         f.salesRank = IntRange{200, 400};
       }),
       {1, 2, 3}},
      {"listed by none",
       with([](auto& f) {
         f.inDegree = IntRange{0, 0};
       }),
       {0, 6}},
      {"largest component", with([](auto& f) { f.component = 0; }), {0, 1, 2, 3}},
      {"two hops from 1", with([](auto& f) { f.around = 1, f.hops = 2; }), {0, 1, 2, 3}},
      {"zero hops", with([](auto& f) { f.around = 5, f.hops = 0; }), {5}},
      {"tea and the chain",
       with([](auto& f) {
         f.keyWords = {0};
         f.component = 0;
       }),
       {0, 2}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(shown(row.filter), row.expected);
    EXPECT_EQ(row.filter.active(), row.expected.size() != 7 || row.filter.around.has_value());
  }
}

TEST_F(FilterTest, MeasureConditionsWaitForTheMeasures) {
  ProductFilter f;
  f.community = 0;
  f.salesRank = IntRange{100, 300};
  EXPECT_EQ(shown(f, false), (std::vector<int>{0, 1, 2}));
}

TEST(ParseRangeTest, Texts) {
  EXPECT_EQ(ParseRange("1:100"), (IntRange{1, 100}));
  EXPECT_EQ(ParseRange("-5:-5"), (IntRange{-5, -5}));
  for (const char* bad : {"", "5", "5:", ":5", "9:1", "a:b", "1:2:3", "1 :2"})
    EXPECT_FALSE(ParseRange(bad).has_value()) << bad;
}

TEST_F(FilterTest, TheViewFadesOrHidesWhatIsLeftOut) {
  testing::RecordingSurface surface(300, 300);
  ViewStyle style;
  ProductFilter f;
  f.keyWords = {1};  // products 1 and 5
  style.shown = ShownProducts(f, c, members, &measures);
  const auto circles = [&surface] {
    std::vector<Rgb> colours;
    for (const auto& op : surface.ops)
      if (op.kind == Kind::Circle) colours.push_back(op.color);
    return colours;
  };
  RenderView(c, members, {}, style, surface);
  ASSERT_EQ(circles().size(), 7u);
  EXPECT_EQ(circles()[1], kProductMarkerColor);
  EXPECT_EQ(circles()[0], Faded(kProductMarkerColor));

  style.hideFiltered = true;
  surface.ops.clear();
  RenderView(c, members, {}, style, surface);
  EXPECT_EQ(circles(), (std::vector<Rgb>{kProductMarkerColor, kProductMarkerColor}));
  // Every link of 1 and 5 ends at a hidden product.
  EXPECT_EQ(surface.count(Kind::Line), 0);
}

TEST_F(FilterTest, CommunityColoursAndSizesFollowTheMeasures) {
  testing::RecordingSurface surface(300, 300);
  ViewStyle style;
  style.colourBy = ColourBy::Component;
  style.sizeBy = SizeBy::Degree;
  style.measures = std::make_shared<const analysis::GraphMeasures>(measures);
  RenderView(c, members, {}, style, surface);
  std::vector<testing::RecordingSurface::Op> markers;
  for (const auto& op : surface.ops)
    if (op.kind == Kind::Circle && markers.size() < 7) markers.push_back(op);
  ASSERT_EQ(markers.size(), 7u);
  EXPECT_EQ(markers[0].color, GroupColour(0));
  EXPECT_EQ(markers[4].color, GroupColour(1));
  EXPECT_EQ(markers[0].radius, kProductMarkerRadius);  // listed by none
  EXPECT_EQ(markers[1].radius, kLargestMarkerRadius);  // listed once, the most here
  // The legend names the components with their sizes.
  const Legend legend = GroupLegend(ColourBy::Component, style.measures.get());
  ASSERT_EQ(legend.entries.size(), 3u);
  EXPECT_EQ(legend.entries[0].text, "0（4件）");
}

TEST(GroupColourTest, TheLargestGroupsDifferAndTheRestAreGrey) {
  for (std::int32_t a = 0; a < kColouredGroups; ++a)
    for (std::int32_t b = a + 1; b < kColouredGroups; ++b)
      EXPECT_NE(GroupColour(a), GroupColour(b));
  EXPECT_EQ(GroupColour(kColouredGroups), kOtherGroupColour);
}

}  // namespace
}  // namespace quillon::grapher
