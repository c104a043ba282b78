// What the interactive view says (menu, find bar, details panel, tooltip),
// worded once and in Japanese like the rest of the window.
#pragma once

#include <QString>

#include "common/texts.h"
#include "common/ui/translation.h"

namespace quillon::grapher::view_texts {

inline constexpr const char* kZoomIn = QUILLON_TEXT("quillon", "拡大");
inline constexpr const char* kZoomOut = QUILLON_TEXT("quillon", "縮小");
inline constexpr const char* kPanLeft = QUILLON_TEXT("quillon", "左へ移動");
inline constexpr const char* kPanRight = QUILLON_TEXT("quillon", "右へ移動");
inline constexpr const char* kPanUp = QUILLON_TEXT("quillon", "上へ移動");
inline constexpr const char* kPanDown = QUILLON_TEXT("quillon", "下へ移動");
inline constexpr const char* kMoveMenu = QUILLON_TEXT("quillon", "移動");
inline constexpr const char* kFit = QUILLON_TEXT("quillon", "全体を表示");
inline constexpr const char* kActualSize = QUILLON_TEXT("quillon", "等倍で表示");
inline constexpr const char* kFind = QUILLON_TEXT("quillon", "検索");
inline constexpr const char* kFindNext = QUILLON_TEXT("quillon", "次を検索");
inline constexpr const char* kFindPrevious = QUILLON_TEXT("quillon", "前を検索");
inline constexpr const char* kColourMenu = QUILLON_TEXT("quillon", "色分け");
inline constexpr const char* kColourByDrawing = QUILLON_TEXT("quillon", "標準");
inline constexpr const char* kColourByKeyWord = QUILLON_TEXT("quillon", "キーワード別");
inline constexpr const char* kColourByRank = QUILLON_TEXT("quillon", "売上順位別");
inline constexpr const char* kSaveView = QUILLON_TEXT("quillon", "表示を画像として保存");
inline constexpr const char* kSaveFilter =
    QUILLON_TEXT("quillon", "PNG 画像 (*.png);;SVG 画像 (*.svg)");
inline constexpr const char* kClearOrCancel = QUILLON_TEXT("quillon", "選択解除・描画中止");
inline constexpr const char* kKeyWordGraph = QUILLON_TEXT("quillon", "キーワード関連グラフ");
inline constexpr const char* kForceLayout = QUILLON_TEXT("quillon", "力学モデルで配置");
inline constexpr const char* kShowMenu = QUILLON_TEXT("quillon", "表示する線");
inline constexpr const char* kShowSimilarityLines = QUILLON_TEXT("quillon", "類似商品の線");
inline constexpr const char* kShowKeyWordLines = QUILLON_TEXT("quillon", "キーワードの線");
inline constexpr const char* kShowLabels = QUILLON_TEXT("quillon", "キーワードのラベル");
inline constexpr const char* kSeedUsed = QUILLON_TEXT("quillon", "乱数の種: %1");
// Shown over the view when a picture of it could not be drawn: %1 the reason.
inline constexpr const char* kRenderFailed =
    QUILLON_TEXT("quillon", "表示の描画に失敗したわけだが。(%1)");

inline constexpr const char* kFindPlaceholder =
    QUILLON_TEXT("quillon", "ASIN またはタイトルの一部");
inline constexpr const char* kFindClose = QUILLON_TEXT("quillon", "閉じる");
inline constexpr const char* kNoMatches = QUILLON_TEXT("quillon", "該当なし");
inline constexpr const char* kMatchCount =
    QUILLON_TEXT("quillon", "%1 件");  // matches, none visited yet
inline constexpr const char* kMatchPosition =
    QUILLON_TEXT("quillon", "%2 / %1 件");  // matches, the one shown

inline constexpr const char* kAsin = "ASIN";
inline constexpr const char* kTitle = QUILLON_TEXT("quillon", "タイトル");
inline constexpr const char* kSalesRank = QUILLON_TEXT("quillon", "売上順位");
inline constexpr const char* kKeyWord = QUILLON_TEXT("quillon", "キーワード");
inline constexpr const char* kSimilar = QUILLON_TEXT("quillon", "類似商品");
inline constexpr const char* kReferrers = QUILLON_TEXT("quillon", "参照元");
inline constexpr const char* kNone = QUILLON_TEXT("quillon", "なし");
// For a product without a record (the service did not know it) or without these fields.
inline constexpr const char* kUnknownTitle = QUILLON_TEXT("quillon", "（タイトル不明）");
inline constexpr const char* kUnknownRank = QUILLON_TEXT("quillon", "順位不明");

inline QString Text(const char* text) {
  return UiText(text);
}

}  // namespace quillon::grapher::view_texts
