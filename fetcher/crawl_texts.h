// The texts of long crawls (resume, retries, progress), all in one place so that
// a translation finds every one of them.
#pragma once

#include <string_view>

namespace quillon::fetcher {

// Status label while a product is taken from its stored record instead of the service.
inline constexpr std::string_view kStoredRecordPrefix = "保存済み : ";
// Status label while a retry waits: the prefix, the seconds, the unit, the ASIN.
inline constexpr std::string_view kRetryWaitPrefix = "再試行まで ";
inline constexpr std::string_view kRetryWaitUnit = " 秒 : ";
// The reason given in the failure prompt for a busy answer, around its status.
inline constexpr std::string_view kBusyReasonHead = "サービスが混み合っている (HTTP ";
inline constexpr std::string_view kBusyReasonTail = ") わけだが。";

// The progress line: "完了 12 / 待ち 40 · 毎分 58 件 · 残り 0:00:41".
inline constexpr std::string_view kProgressDone = "完了 ";
inline constexpr std::string_view kProgressQueued = " / 待ち ";
inline constexpr std::string_view kProgressRate = " · 毎分 ";
inline constexpr std::string_view kProgressRateUnit = " 件";
inline constexpr std::string_view kProgressLeft = " · 残り ";

// The summary at the end: "要求 120 件 · 保存済みから 2380 件 · 再試行 5 回 ·
// 商品なし 3 件 · 所要 0:43:12".
inline constexpr std::string_view kSummaryRequested = "要求 ";
inline constexpr std::string_view kSummaryStored = " 件 · 保存済みから ";
inline constexpr std::string_view kSummaryRetried = " 件 · 再試行 ";
inline constexpr std::string_view kSummaryWithoutProduct = " 回 · 商品なし ";
inline constexpr std::string_view kSummaryTime = " 件 · 所要 ";

}  // namespace quillon::fetcher
