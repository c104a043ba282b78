// Texts the view shows to users.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon::grapher {

inline constexpr std::string_view kLegendKeyWordTitle = "キーワード";
inline constexpr std::string_view kLegendRankTitle = "売上順位";
inline constexpr std::string_view kLegendNoKeyWord = "キーワードなし";
inline constexpr std::string_view kLegendUnknownRank = "順位不明";

// The last legend row when n entries did not fit.
inline std::string LegendMoreText(std::size_t n) {
  return "ほか" + std::to_string(n) + "件";
}

}  // namespace quillon::grapher
