#include "grapher/catalogue/keyword_membership.h"

#include <gtest/gtest.h>

#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

// Membership is worked out by a faster route; it must agree with the keyword
// test on every pair, including width, kana, case and broken UTF-8.
using testing::AddKeyWords;
using testing::AddProduct;

TEST(KeyWordMembershipTest, AgreesWithTheKeywordTestOnEveryPair) {
  Catalogue c;
  AddKeyWords(c, {"tea", "ＴＥＡ", "カップ", "ｶｯﾌﾟ", "", "\xE3\x81", "ß", "a\xFF"});
  for (const char* title : {"Green TEA", "ｔｅａ set", "かっぷ and cup", "カップ", "",
                            "broken \xE3\x81 bytes", "STRASSE ß", "la\xFF", "\xFF", "nothing"})
    AddProduct(c, title);
  const KeyWordMembership members(c);
  for (std::size_t k = 0; k < c.KeyWordTable.size(); ++k) {
    std::vector<std::int32_t> expected;
    for (std::size_t p = 0; p < c.ProductTable.size(); ++p)
      if (ContainsText(c.ProductTable[p].Title, c.KeyWordTable[k].Text))
        expected.push_back(static_cast<std::int32_t>(p));
    EXPECT_EQ(members.productsOf(k), expected) << "keyword " << k;
  }
  EXPECT_EQ(members.keyWordsOf(0), (std::vector<std::int32_t>{0, 1, 4}));
}

}  // namespace
}  // namespace quillon::grapher
