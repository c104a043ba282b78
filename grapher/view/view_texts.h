// Texts the view shows to users.
#pragma once

#include <string_view>

#include "common/texts.h"

namespace quillon::grapher {

inline constexpr std::string_view kLegendKeyWordTitle = QUILLON_TEXT("quillon", "キーワード");
inline constexpr std::string_view kLegendRankTitle = QUILLON_TEXT("quillon", "売上順位");
inline constexpr std::string_view kLegendNoKeyWord = QUILLON_TEXT("quillon", "キーワードなし");
inline constexpr std::string_view kLegendUnknownRank = QUILLON_TEXT("quillon", "順位不明");
// The last legend row when %1 entries did not fit.
inline constexpr std::string_view kLegendMorePattern = QUILLON_TEXT("quillon", "ほか%1件");

}  // namespace quillon::grapher
