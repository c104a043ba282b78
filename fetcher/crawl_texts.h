// The texts of long crawls (resume, retries, progress), all in one place so that
// a translation finds every one of them.
#pragma once

#include <string_view>

#include "common/texts.h"

namespace quillon::fetcher {

// Status label while a product is taken from its stored record instead of the service.
inline constexpr std::string_view kStoredRecordPrefix = QUILLON_TEXT("quillon", "保存済み : ");
// Status label while a retry waits: %1 the seconds, %2 the ASIN.
inline constexpr std::string_view kRetryWaitPattern =
    QUILLON_TEXT("quillon", "再試行まで %1 秒 : %2");
// The reason given in the failure prompt for a busy answer: %1 its HTTP status.
inline constexpr std::string_view kBusyReasonPattern =
    QUILLON_TEXT("quillon", "サービスが混み合っている (HTTP %1) わけだが。");
// The progress line: products done, queued, requests in the last minute, time left.
inline constexpr std::string_view kProgressPattern =
    QUILLON_TEXT("quillon", "完了 %1 / 待ち %2 · 毎分 %3 件 · 残り %4");
// The summary at the end: requested, taken from stored records, retries, answers
// without a product, time taken.
inline constexpr std::string_view kSummaryPattern = QUILLON_TEXT(
    "quillon", "要求 %1 件 · 保存済みから %2 件 · 再試行 %3 回 · 商品なし %4 件 · 所要 %5");

}  // namespace quillon::fetcher
