// The keyword search of the load against the plain keyword test it replaces.
#include "grapher/catalogue/keyword_matcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_compare.h"

namespace quillon::grapher {
namespace {

std::int32_t FirstContained(std::string_view title, const std::vector<std::string>& keywords) {
  for (std::size_t k = 0; k < keywords.size(); ++k)
    if (ContainsText(title, keywords[k])) return static_cast<std::int32_t>(k);
  return -1;
}

// Texts where folding changes lengths, composes kana with sound marks, or maps
// several forms onto one.
const std::vector<std::string> kTexts = {
    "",
    "camera",
    "ＣＡＭＥＲＡ ｶﾒﾗ",
    "デジタルカメラ",
    "ｶﾞｲﾄﾞ",
    "ガイド",
    "が",
    "か\u3099",
    "ﾞ",
    "\u309B",
    "\u3099",
    "ﾊﾟﾝ",
    "ｶｯﾌﾟ",
    "かっぷ and cup",
    "ぱん",
    "\u212A elvin",
    "ΣΑΣ σας",
    "Straße",
    "\u3000全角スペース",
    "A\u30FCB",
    "bad \xff\xfe bytes",
    "\xE3\x82",
};

TEST(KeyWordMatcherTest, AgreesWithTheKeyWordTestForEveryPair) {
  for (const std::string& keyword : kTexts) {
    const KeyWordMatcher matcher({keyword});
    for (const std::string& title : kTexts)
      EXPECT_EQ(matcher.find(title), FirstContained(title, {keyword}))
          << "title \"" << title << "\", keyword \"" << keyword << "\"";
  }
}

TEST(KeyWordMatcherTest, LowestIndexWinsAcrossTheWholeList) {
  const KeyWordMatcher matcher(kTexts);
  for (const std::string& title : kTexts)
    EXPECT_EQ(matcher.find(title), FirstContained(title, kTexts)) << title;
}

}  // namespace
}  // namespace quillon::grapher
