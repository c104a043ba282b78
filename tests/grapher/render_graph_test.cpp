#include "grapher/render/render_graph.h"

#include <gtest/gtest.h>

#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using testing::AddKeyWords;
using testing::AddProduct;
using testing::Drawing;
using testing::Link;
using Kind = testing::RecordingSurface::Kind;
using Op = testing::RecordingSurface::Op;

// A compact view of one operation, for comparing whole sequences.
std::string Describe(const Op& op) {
  const auto xy = [](float x, float y) {
    return "(" + std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)) +
           ")";
  };
  const auto rgb = [](Rgb c) {
    return "#" + std::to_string(c.r) + "." + std::to_string(c.g) + "." + std::to_string(c.b);
  };
  switch (op.kind) {
    case Kind::Clear:
      return "clear";
    case Kind::ForeColor:
      return "fore" + rgb(op.color);
    case Kind::Position:
      return "at" + xy(op.x1, op.y1);
    case Kind::Print:
      return "print:" + op.text + rgb(op.color);
    case Kind::Line:
      return "line" + xy(op.x1, op.y1) + xy(op.x2, op.y2) + rgb(op.color);
    case Kind::Rectangle:
      return "rect" + xy(op.x1, op.y1) + xy(op.x2, op.y2) + rgb(op.color);
    case Kind::Circle:
      return "circle" + xy(op.x1, op.y1) + rgb(op.color);
    case Kind::Present:
      return "present";
  }
  return "?";
}

std::vector<std::string> Describe(const std::vector<Op>& ops) {
  std::vector<std::string> out;
  for (const Op& op : ops) out.push_back(Describe(op));
  return out;
}

struct RenderGraphTest : ::testing::Test {
  // Products: 0 "red apple" at (10,20) lists 1 twice; 1 "Apple pie" at (30,40)
  // lists 0; 2 without a record at (50,60). Keywords: apple (shown), pie (not
  // shown), red (shown).
  RenderGraphTest() {
    auto& c = d.catalogue();
    AddKeyWords(c, {"apple", "pie", "red"});
    AddProduct(c, "red apple", 1, {1, 1});
    AddProduct(c, "Apple pie", 1, {0});
    AddProduct(c, "", 0);
    Link(c);
    const float positions[3][2] = {{10, 20}, {30, 40}, {50, 60}};
    for (int i = 0; i < 3; ++i) {
      d.product(i).X = positions[i][0];
      d.product(i).Y = positions[i][1];
    }
    d.keyWord(0).HasProduct = true;
    d.keyWord(0).X = 100;
    d.keyWord(0).Y = 100;
    d.keyWord(2).HasProduct = true;
    d.keyWord(2).X = 200;
    d.keyWord(2).Y = 200;
  }
  Drawing d;
};

TEST_F(RenderGraphTest, DrawsThePassesInOrderWithTheirColours) {
  RenderGraph(d.catalogue(), d.settings.DrawProductName, d.surface, d.host);
  const std::vector<std::string> expected{
      "clear",
      // products: marker, similarity lines in the foreground colour
      "circle(10,20)#255.0.0", "line(10,20)(30,40)#0.0.0", "line(10,20)(30,40)#0.0.0", "present",
      "circle(30,40)#255.0.0", "line(30,40)(10,20)#0.0.0", "present", "circle(50,60)#255.0.0",
      "present",
      // keyword lines: every product whose title contains the text
      "fore#131.255.121", "line(100,100)(10,20)#131.255.121", "line(100,100)(30,40)#131.255.121",
      "present", "present", "line(200,200)(10,20)#131.255.121", "present",
      // labels: "apple" is 40 x 16 with the fixed metrics, "red" 24 x 16
      "fore#0.0.0", "at(80,92)", "print:apple#0.0.0", "rect(79,91)(120,108)#0.0.0", "present",
      "present", "at(188,192)", "print:red#0.0.0", "rect(187,191)(212,208)#0.0.0", "present",
      "present"};
  EXPECT_EQ(Describe(d.surface.ops), expected);
  EXPECT_EQ(d.surface.foreColor(), kBlack);
}

TEST_F(RenderGraphTest, PresentsOncePerProductTwicePerKeyWordAndOnceMore) {
  RenderGraph(d.catalogue(), d.settings.DrawProductName, d.surface, d.host);
  const int n = 3, keyWords = 3;
  EXPECT_EQ(d.surface.count(Kind::Present), n + 2 * keyWords + 1);
  EXPECT_EQ(d.host.eventPumps, n + 2 * keyWords);
}

TEST_F(RenderGraphTest, CloseRequestEndsAfterTheCurrentStep) {
  d.host.quitAfterPumps = 4;  // the first keyword step
  EXPECT_THROW(RenderGraph(d.catalogue(), d.settings.DrawProductName, d.surface, d.host),
               EndProgram);
  EXPECT_EQ(d.surface.count(Kind::Present), 4);
  EXPECT_EQ(d.surface.count(Kind::Rectangle), 0);
}

TEST(DrawKeyWordLabelTest, FrameStandsOffOnTheLeftAndTopOnly) {
  testing::RecordingSurface surface;
  surface.setForeColor(Rgb{1, 2, 3});
  DrawKeyWordLabel(surface, "日本語", 50.5f, 20);  // 24 x 16
  ASSERT_EQ(surface.ops.size(), 4u);
  const Op& at = surface.ops[1];
  EXPECT_FLOAT_EQ(at.x1, 38.5f);
  EXPECT_FLOAT_EQ(at.y1, 12);
  EXPECT_EQ(surface.ops[2].color, (Rgb{1, 2, 3}));  // text keeps the foreground colour
  const Op& frame = surface.ops[3];
  EXPECT_EQ(frame.kind, Kind::Rectangle);
  EXPECT_FLOAT_EQ(frame.x1, 37.5f);
  EXPECT_FLOAT_EQ(frame.y1, 11);
  EXPECT_FLOAT_EQ(frame.x2, 62.5f);
  EXPECT_FLOAT_EQ(frame.y2, 28);
  EXPECT_EQ(frame.color, kBlack);
}

}  // namespace
}  // namespace quillon::grapher
