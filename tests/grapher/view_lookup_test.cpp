// Finding products by text, and the neighbourhood --focus shows.
#include <gtest/gtest.h>

#include "grapher/view/neighbourhood.h"
#include "grapher/view/product_finder.h"
#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using Indices = std::vector<std::int32_t>;

TEST(ProductFinderTest, AsinOrPartOfTheTitleIgnoringCaseWidthAndKana) {
  Catalogue c;
  testing::AddProduct(c, "旅行ガイド 京都");  // A0
  testing::AddProduct(c, "Digital CAMERA");   // A1
  testing::AddProduct(c, "かめらのほん");     // A2
  testing::AddProduct(c, "");                 // A3, no record
  c.ProductTable[1].ASIN = "B00CAMERA1";
  const ProductFinder finder(c);
  struct Case {
    const char* name;
    const char* query;
    Indices found;
  };
  for (const Case& q :
       {Case{"HalfWidthKana", "ｶﾞｲﾄﾞ", {0}}, Case{"Hiragana", "がいど", {0}},
        Case{"FullWidthLatin", "ｃａｍｅｒａ", {1}}, Case{"KatakanaFindsHiragana", "カメラ", {2}},
        Case{"AsinAnyCase", "a3", {3}}, Case{"AsinIsWhole", "B00CAMERA", {}},
        Case{"Blanks", "  京都 ", {0}}, Case{"BlankQuery", "  ", {}},
        Case{"Camera", "camera", {1}}}) {
    EXPECT_EQ(finder.Find(q.query), q.found) << q.name;
  }
}

TEST(NeighbourhoodTest, FollowsLinksBothWaysHopByHop) {
  // 0 -> 1 -> 2 -> 3, 4 -> 2; the load left 2 without its referrer 1.
  Catalogue c;
  testing::AddProduct(c, "", 1, {1});
  testing::AddProduct(c, "", 1, {2});
  testing::AddProduct(c, "", 1, {3});
  testing::AddProduct(c, "");
  testing::AddProduct(c, "", 1, {2});
  testing::Link(c);
  ASSERT_EQ(c.ProductTable[2].ReferrerIndex, Indices{4});
  struct Case {
    const char* name;
    std::int32_t start;
    int hops;
    Indices found;
  };
  for (const Case& n : {Case{"NoHops", 2, 0, {2}}, Case{"OneHop", 2, 1, {1, 2, 3, 4}},
                        Case{"TwoHops", 2, 2, {0, 1, 2, 3, 4}}, Case{"FromTheEnd", 3, 1, {2, 3}},
                        Case{"FromTheStart", 0, 2, {0, 1, 2}}}) {
    EXPECT_EQ(Neighbourhood(c, n.start, n.hops), n.found) << n.name;
  }
  EXPECT_EQ(ProductsListing(c, 2), (Indices{1, 4}));
  EXPECT_EQ(LinkedProducts(c, 2), (std::vector<bool>{false, true, false, true, true}));
}

}  // namespace
}  // namespace quillon::grapher
