#include "grapher/catalogue/keyword_matcher.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quillon::grapher {
namespace {

TEST(KeyWordMatcherTest, TheFirstKeywordTheTitleContainsWins) {
  const KeyWordMatcher matcher({"ガイド", "camera", "\xE3\x82", "ｶﾒﾗ", ""});
  const std::vector<std::pair<std::string, std::int32_t>> cases = {
      {"", -1},                   // an empty title contains no keyword, not even ""
      {"ｶﾞｲﾄﾞ", 0},               // width, kana and sound marks ignored
      {"ＣＡＭＥＲＡ ｶﾒﾗ", 1},    // two keywords: the lower index
      {"かめら", 3},              // hiragana against half-width katakana
      {"\xE3\x82\xAB", 4},        // カ: a broken keyword never matches inside a character
      {"bad \xE3\x82 bytes", 2},  // broken bytes match themselves
      {"other", 4},               // the empty keyword is in every other title
  };
  for (const auto& [title, expected] : cases) EXPECT_EQ(matcher.find(title), expected) << title;
}

}  // namespace
}  // namespace quillon::grapher
