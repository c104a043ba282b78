// What the window says about the measures and the filter, in Japanese like
// the rest of the window.
#pragma once

#include "common/texts.h"

namespace quillon::grapher::analysis_texts {

// Progress while the measures are computed: %1 the step, %2 its number, %3 the steps.
inline constexpr const char* kMeasuring = QUILLON_TEXT("quillon", "指標を計算中: %1（%2/%3）");
inline constexpr const char* kMeasureFailed = QUILLON_TEXT("quillon", "指標を計算できません: %1");
inline constexpr const char* kStepDegrees = QUILLON_TEXT("quillon", "次数");
inline constexpr const char* kStepPageRank = QUILLON_TEXT("quillon", "PageRank");
inline constexpr const char* kStepComponents = QUILLON_TEXT("quillon", "連結成分");
inline constexpr const char* kStepCommunities = QUILLON_TEXT("quillon", "コミュニティ");

// Details panel.
inline constexpr const char* kMeasures = QUILLON_TEXT("quillon", "指標");
inline constexpr const char* kInDegree = QUILLON_TEXT("quillon", "被リンク数");
inline constexpr const char* kOutDegree = QUILLON_TEXT("quillon", "リンク数");
inline constexpr const char* kCommunity = QUILLON_TEXT("quillon", "コミュニティ");
inline constexpr const char* kComponent = QUILLON_TEXT("quillon", "連結成分");
inline constexpr const char* kNotYet = QUILLON_TEXT("quillon", "計算中");

// Actions.
inline constexpr const char* kColourByCommunity = QUILLON_TEXT("quillon", "コミュニティ別");
inline constexpr const char* kColourByComponent = QUILLON_TEXT("quillon", "連結成分別");
inline constexpr const char* kSizeMenu = QUILLON_TEXT("quillon", "大きさ");
inline constexpr const char* kSizeFixed = QUILLON_TEXT("quillon", "一定");
inline constexpr const char* kSizeByPageRank = QUILLON_TEXT("quillon", "PageRank 順");
inline constexpr const char* kSizeByDegree = QUILLON_TEXT("quillon", "被リンク数順");
inline constexpr const char* kSizeByRank = QUILLON_TEXT("quillon", "売上順位順");
inline constexpr const char* kFilters = QUILLON_TEXT("quillon", "絞り込み");

// Filter panel.
inline constexpr const char* kAll = QUILLON_TEXT("quillon", "すべて");
inline constexpr const char* kFilterKeyWord = QUILLON_TEXT("quillon", "キーワード");
inline constexpr const char* kFilterRank = QUILLON_TEXT("quillon", "売上順位");
inline constexpr const char* kFilterInDegree = QUILLON_TEXT("quillon", "被リンク数");
inline constexpr const char* kFilterCommunity = QUILLON_TEXT("quillon", "コミュニティ");
inline constexpr const char* kFilterComponent = QUILLON_TEXT("quillon", "連結成分");
inline constexpr const char* kFilterAround = QUILLON_TEXT("quillon", "選択商品の近傍のみ");
inline constexpr const char* kFilterHops = QUILLON_TEXT("quillon", "リンク数以内");
inline constexpr const char* kFilterHide = QUILLON_TEXT("quillon", "薄くせず隠す");
inline constexpr const char* kFilterReset = QUILLON_TEXT("quillon", "解除");
// %1 products shown of %2.
inline constexpr const char* kFilterCount = QUILLON_TEXT("quillon", "表示 %1 / %2 件");

}  // namespace quillon::grapher::analysis_texts
