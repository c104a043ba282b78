// What the product table says, in Japanese like the rest of the window.
#pragma once

#include "common/texts.h"

namespace quillon::grapher::table_texts {

inline constexpr const char* kProductTable = QUILLON_TEXT("quillon", "商品一覧");
inline constexpr const char* kCopyRows = QUILLON_TEXT("quillon", "選択した行をコピー");
inline constexpr const char* kSaveRows = QUILLON_TEXT("quillon", "表示中の行を CSV で保存");
inline constexpr const char* kCsvFilter = QUILLON_TEXT("quillon", "CSV ファイル (*.csv)");
// %1 rows shown of %2 products.
inline constexpr const char* kRowCount = QUILLON_TEXT("quillon", "%1 / %2 行");

}  // namespace quillon::grapher::table_texts
