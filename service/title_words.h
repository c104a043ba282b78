// The words generated titles are made of, and the draws that pick them; shared
// by every catalogue shape so that all of them spell their subjects alike.
#pragma once

#include <array>
#include <cstddef>
#include <random>
#include <string_view>

namespace quillon::service {

// One subject of titles: the ways a title may spell it (widths, scripts, cases).
// The first spelling is the suggested keyword; every spelling contains it when
// compared without regard to case, width and kana.
struct Topic {
  std::array<std::string_view, 4> spellings;
};

inline constexpr std::array<Topic, 6> kTopics = {{
    {{"ねこ", "ネコ", "ﾈｺ", "ねこ"}},
    {{"cat", "Cat", "ＣＡＴ", "CAT"}},
    {{"料理", "料理", "料理", "料理"}},
    {{"guide", "Guide", "ＧＵＩＤＥ", "ｇｕｉｄｅ"}},
    {{"音楽", "音楽", "音楽", "音楽"}},
    {{"ガイド", "ｶﾞｲﾄﾞ", "がいど", "ガイド"}},
}};

inline constexpr std::array<std::string_view, 16> kWords = {
    "入門",        "写真集", "旅行",  "の本",     "歴史",   "完全版", "ABC",    "ＡＢＣ",
    "Tom & Jerry", "Deluxe", "Vol.2", "\"Best\"", "ﾃﾞﾗｯｸｽ", "東京",   "Garden", "数学",
};

// Words that contain no keyword, for titles the crawl must not follow.
inline constexpr std::array<std::string_view, 6> kPlainWords = {
    "Notebook", "文房具", "Pencil <HB>", "ﾍﾟﾝ", "カレンダー", "Ｄｉａｒｙ",
};

// Uniform in [0, 1) from the top 53 bits: the same on every standard library.
inline double unitDraw(std::mt19937_64& engine) {
  return static_cast<double>(engine() >> 11) * (1.0 / 9007199254740992.0);
}

inline std::size_t pick(std::mt19937_64& engine, std::size_t size) {
  return static_cast<std::size_t>(unitDraw(engine) * static_cast<double>(size));
}

}  // namespace quillon::service
