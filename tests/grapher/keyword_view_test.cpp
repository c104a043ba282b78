// The keyword relation graph as a view: lines between related keywords,
// labels, the bounds a fit uses and the relation under the pointer.
#include "grapher/view/keyword_view.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using Kind = testing::RecordingSurface::Kind;

// Four keywords: a at (0, 0), b at (100, 0), c at (0, 100) related to a only
// backwards, d related to a but never placed.
Catalogue Sample() {
  Catalogue c;
  testing::AddKeyWords(c, {"a", "b", "c", "d"});
  const float at[][2] = {{0, 0}, {100, 0}, {0, 100}, {500, 500}};
  for (std::size_t k = 0; k < 4; ++k) {
    c.KeyWordTable[k].X = at[k][0];
    c.KeyWordTable[k].Y = at[k][1];
    c.KeyWordTable[k].Placed = k < 3;
  }
  c.KeyWordTable[0].Relation[1] = 0.25f;
  c.KeyWordTable[1].Relation[0] = 0.5f;
  c.KeyWordTable[2].Relation[0] = 0.125f;
  c.KeyWordTable[0].Relation[3] = 1;
  return c;
}

TEST(KeyWordViewTest, OneLinePerRelatedPairOfPlacedKeyWordsUnderTheLabels) {
  testing::RecordingSurface surface(400, 300);
  ASSERT_TRUE(RenderKeyWordView(Sample(), {2, 10, 20}, surface));
  std::vector<std::string> labels;
  int lines = 0;
  bool labelSeen = false;
  for (const auto& op : surface.ops) {
    if (op.kind == Kind::Line) {
      ++lines;
      EXPECT_FALSE(labelSeen);  // lines first, labels on top
      EXPECT_EQ(op.color, kKeyWordRelationColour);
      EXPECT_EQ(op.x1, 10);  // from a, moved with the transform
      EXPECT_EQ(op.y1, 20);
    }
    if (op.kind == Kind::Print) {
      labelSeen = true;
      labels.push_back(op.text);
    }
  }
  EXPECT_EQ(lines, 2);  // a-b (both ways, once) and a-c; none to the unplaced d
  EXPECT_EQ(labels, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(surface.ops.back().kind, Kind::Present);

  surface.ops.clear();
  ASSERT_TRUE(RenderKeyWordView(Sample(), {}, surface));
  EXPECT_EQ(std::count_if(surface.ops.begin(), surface.ops.end(),
                          [](const auto& op) { return op.kind == Kind::Line; }),
            0);  // at 1:1 the command's own picture: labels only

  const std::atomic<bool> cancel{true};
  EXPECT_FALSE(RenderKeyWordView(Sample(), {}, surface, &cancel));
}

TEST(KeyWordViewTest, BoundsCoverThePlacedLabelsOnly) {
  const testing::RecordingSurface measuring;
  const Bounds b = KeyWordGraphBounds(Sample(), measuring);
  EXPECT_EQ(b.graph, (Rect{0, 0, 100, 100}));
  EXPECT_EQ(b.padRight, testing::kFixedCharWidth / 2);
  EXPECT_TRUE(KeyWordGraphBounds(Catalogue{}, measuring).empty);
}

TEST(KeyWordViewTest, TheRelationUnderThePointerGivesBothWeights) {
  const Catalogue c = Sample();
  const ViewTransform t{2, 10, 20};
  struct Case {
    const char* name;
    Point at;
    std::optional<std::int32_t> to;  // the keyword related to a, none: no line there
  };
  for (const Case& row : {Case{"OnAB", {110, 21}, 1}, Case{"OnAC", {9, 120}, 2},
                          Case{"Beside", {110, 30}, std::nullopt},
                          Case{"TowardTheUnplaced", {200, 200}, std::nullopt}}) {
    const auto hit = RelationAt(c, t, row.at, 3);
    ASSERT_EQ(hit.has_value(), row.to.has_value()) << row.name;
    if (!hit) continue;
    EXPECT_EQ(hit->from, 0) << row.name;
    EXPECT_EQ(hit->to, *row.to) << row.name;
    EXPECT_EQ(hit->weight, c.KeyWordTable[0].Relation[*row.to]) << row.name;
    EXPECT_EQ(hit->backWeight, c.KeyWordTable[*row.to].Relation[0]) << row.name;
  }
}

}  // namespace
}  // namespace quillon::grapher
