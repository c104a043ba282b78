// What the interactive view says (menu, find bar, details panel, tooltip),
// worded once and in Japanese like the rest of the window.
#pragma once

#include <QString>

namespace quillon::grapher::view_texts {

inline constexpr const char* kZoomIn = "拡大";
inline constexpr const char* kZoomOut = "縮小";
inline constexpr const char* kPanLeft = "左へ移動";
inline constexpr const char* kPanRight = "右へ移動";
inline constexpr const char* kPanUp = "上へ移動";
inline constexpr const char* kPanDown = "下へ移動";
inline constexpr const char* kMoveMenu = "移動";
inline constexpr const char* kFit = "全体を表示";
inline constexpr const char* kActualSize = "等倍で表示";
inline constexpr const char* kFind = "検索";
inline constexpr const char* kFindNext = "次を検索";
inline constexpr const char* kFindPrevious = "前を検索";
inline constexpr const char* kColourMenu = "色分け";
inline constexpr const char* kColourByParts = "標準";
inline constexpr const char* kColourByKeyWord = "キーワード別";
inline constexpr const char* kColourByRank = "売上順位別";
inline constexpr const char* kSaveView = "表示を画像として保存";
inline constexpr const char* kSaveFilter = "PNG 画像 (*.png);;SVG 画像 (*.svg)";
inline constexpr const char* kClearOrCancel = "選択解除・描画中止";
inline constexpr const char* kKeyWordGraph = "キーワード関連グラフ";

inline constexpr const char* kFindPlaceholder = "ASIN またはタイトルの一部";
inline constexpr const char* kFindClose = "閉じる";
inline constexpr const char* kNoMatches = "該当なし";
inline constexpr const char* kMatchCount = "%1 件";          // matches, none visited yet
inline constexpr const char* kMatchPosition = "%2 / %1 件";  // matches, the one shown

inline constexpr const char* kAsin = "ASIN";
inline constexpr const char* kTitle = "タイトル";
inline constexpr const char* kSalesRank = "売上順位";
inline constexpr const char* kKeyWord = "キーワード";
inline constexpr const char* kSimilar = "類似商品";
inline constexpr const char* kReferrers = "参照元";
inline constexpr const char* kNone = "なし";

inline QString Text(const char* text) {
  return QString::fromUtf8(text);
}

}  // namespace quillon::grapher::view_texts
