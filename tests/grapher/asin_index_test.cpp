// The ASIN index against the table it indexes, through many growths.
#include "grapher/catalogue/asin_index.h"

#include <gtest/gtest.h>

#include <string>

namespace quillon::grapher {
namespace {

TEST(AsinIndexTest, FindsEveryIndexedProductAndNothingElse) {
  std::vector<Product> table;
  AsinIndex index(table);
  for (int i = 0; i < 50000; ++i) {
    Product p;
    p.ASIN = std::string("B").append(std::to_string(i * 7919));
    table.push_back(std::move(p));
    index.add(table.back().ASIN, i);
  }
  for (int i = 0; i < 50000; ++i)
    ASSERT_EQ(index.find(std::string("B").append(std::to_string(i * 7919))), i);
  EXPECT_FALSE(index.find("B1"));
  EXPECT_FALSE(index.find("b0"));  // letter case matters
  EXPECT_FALSE(index.find(""));
}

TEST(AsinIndexTest, EmptyAsinIsAnAsinLikeAnyOther) {
  std::vector<Product> table(2);
  table[1].ASIN = std::string("X");  // not = "X": GCC 12 warns falsely at -O3
  AsinIndex index(table);
  index.add("", 0);
  index.add("X", 1);
  EXPECT_EQ(index.find(""), 0);
  EXPECT_EQ(index.find("X"), 1);
}

}  // namespace
}  // namespace quillon::grapher
