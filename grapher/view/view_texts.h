// Texts the view shows to users.
#pragma once

#include <string_view>

#include "common/texts.h"

namespace quillon::grapher {

inline constexpr std::string_view kLegendKeyWordTitle = QUILLON_TEXT("quillon", "キーワード");
inline constexpr std::string_view kLegendRankTitle = QUILLON_TEXT("quillon", "売上順位");
inline constexpr std::string_view kLegendNoKeyWord = QUILLON_TEXT("quillon", "キーワードなし");
inline constexpr std::string_view kLegendUnknownRank = QUILLON_TEXT("quillon", "順位不明");
inline constexpr std::string_view kLegendCommunityTitle = QUILLON_TEXT("quillon", "コミュニティ");
inline constexpr std::string_view kLegendComponentTitle = QUILLON_TEXT("quillon", "連結成分");
// Every group beyond the coloured ones.
inline constexpr std::string_view kLegendOtherGroups = QUILLON_TEXT("quillon", "その他");
// A group's row: %1 its number, %2 its products.
inline constexpr std::string_view kLegendGroupPattern = QUILLON_TEXT("quillon", "%1（%2件）");
inline constexpr std::string_view kLegendPageRankTitle = QUILLON_TEXT("quillon", "PageRank");
inline constexpr std::string_view kLegendInDegreeTitle = QUILLON_TEXT("quillon", "被リンク数");
// The last legend row when %1 entries did not fit.
inline constexpr std::string_view kLegendMorePattern = QUILLON_TEXT("quillon", "ほか%1件");

}  // namespace quillon::grapher
