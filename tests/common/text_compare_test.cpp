#include "common/text_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillon {
namespace {

struct ContainsCase {
  const char* name;
  const char* text;
  const char* keyword;
  bool expected;
};

class ContainsTextTest : public ::testing::TestWithParam<ContainsCase> {};

TEST_P(ContainsTextTest, Matches) {
  EXPECT_EQ(ContainsText(GetParam().text, GetParam().keyword), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContainsTextTest,
    ::testing::Values(
        ContainsCase{"ascii_case", "ABC Book", "abc", true},
        ContainsCase{"absent", "ABC Book", "xyz", false},
        ContainsCase{"full_width_vs_ascii", "\xEF\xBC\xA1\xEF\xBC\xA2\xEF\xBC\xA3", "abc", true},
        ContainsCase{"ascii_vs_full_width", "abc", "\xEF\xBC\xA1\xEF\xBC\xA2\xEF\xBC\xA3", true},
        // ｶﾒﾗ, カメラ and かめら are one word.
        ContainsCase{"half_kana_vs_katakana", "\xEF\xBD\xB6\xEF\xBE\x92\xEF\xBE\x97",
                     "\xE3\x82\xAB\xE3\x83\xA1\xE3\x83\xA9", true},
        ContainsCase{"katakana_vs_hiragana", "\xE3\x82\xAB\xE3\x83\xA1\xE3\x83\xA9\xE3\x81\xAE",
                     "\xE3\x81\x8B\xE3\x82\x81\xE3\x82\x89", true},
        ContainsCase{"hiragana_vs_half_kana", "\xE3\x81\x8B\xE3\x82\x81\xE3\x82\x89",
                     "\xEF\xBD\xB6\xEF\xBE\x92\xEF\xBE\x97", true},
        // ｶﾞｲﾄﾞ, ガイド and がいど: a half-width sound mark joins its kana.
        ContainsCase{"half_kana_with_sound_marks",
                     "\xEF\xBD\xB6\xEF\xBE\x9E\xEF\xBD\xB2\xEF\xBE\x84\xEF\xBE\x9E",
                     "\xE3\x82\xAC\xE3\x82\xA4\xE3\x83\x89", true},
        ContainsCase{"hiragana_vs_half_kana_with_marks", "\xE3\x81\x8C\xE3\x81\x84\xE3\x81\xA9",
                     "\xEF\xBD\xB6\xEF\xBE\x9E\xEF\xBD\xB2\xEF\xBE\x84\xEF\xBE\x9E", true},
        // ﾊﾟﾝ is パン, not バン.
        ContainsCase{"semi_voiced_mark", "\xEF\xBE\x8A\xEF\xBE\x9F\xEF\xBE\x9D",
                     "\xE3\x83\x91\xE3\x83\xB3", true},
        ContainsCase{"semi_voiced_is_not_voiced", "\xEF\xBE\x8A\xEF\xBE\x9F\xEF\xBE\x9D",
                     "\xE3\x83\x90\xE3\x83\xB3", false},
        // か + combining voiced mark is が.
        ContainsCase{"combining_mark", "\xE3\x81\x8B\xE3\x82\x99", "\xE3\x82\xAC", true},
        ContainsCase{"voiced_kana_is_not_its_plain_kana", "\xE3\x82\xAC", "\xE3\x82\xAB", false},
        ContainsCase{"greek_case", "\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x99\xCE\x91",
                     "\xCF\x83\xCE\xBF\xCF\x86", true},
        ContainsCase{"long_s_folds_to_s",
                     "\xC5\xBF"
                     "ale",
                     "sale", true},
        ContainsCase{"kanji_differs", "\xE6\x9C\xAC", "\xE6\x9D\xB1", false},
        ContainsCase{"empty_keyword_in_non_empty_title", "x", "", true},
        ContainsCase{"empty_title_contains_nothing", "", "", false},
        ContainsCase{"keyword_longer_than_title", "ab", "abc", false},
        ContainsCase{"invalid_bytes_match_only_themselves",
                     "a\xFF"
                     "b",
                     "\xFF", true},
        ContainsCase{"invalid_byte_is_not_a_letter",
                     "a\xFF"
                     "b",
                     "ab", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Texts where folding changes lengths, composes kana with sound marks, maps
// several forms onto one, or meets bytes that are not UTF-8.
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
    "\xE3\x81",
    "broken \xE3\x81 bytes",
    "a\xFF",
    "\x81\x8B",
};

TEST(FoldedText, AnswersTheKeywordTestForEveryPair) {
  for (const std::string& keyword : kTexts) {
    const FoldedNeedle needle(keyword);
    for (const std::string& text : kTexts)
      EXPECT_EQ(ContainsText(FoldedText(text), needle), ContainsText(text, keyword))
          << "text \"" << text << "\", keyword \"" << keyword << "\"";
  }
}

TEST(FoldText, AgreesWithTheSearchOnComposedKana) {
  // ｶﾞ folds to the one character が.
  EXPECT_EQ(FoldText("\xEF\xBD\xB6\xEF\xBE\x9E"), "\xE3\x81\x8C");
  EXPECT_EQ(FoldText("A\xEF\xBC\xA2"), "ab");
}

TEST(FindFolded, ReportsByteRangeOfTheOriginalText) {
  // "xＡＢ": the match covers the two three-byte full-width letters.
  const std::string text = "x\xEF\xBC\xA1\xEF\xBC\xA2";
  const FoldedMatch match = FindFolded(text, "ab");
  EXPECT_EQ(match.begin, 1u);
  EXPECT_EQ(match.end, 7u);
  EXPECT_FALSE(FindFolded(text, "ab", 2).found());
}

}  // namespace
}  // namespace quillon
