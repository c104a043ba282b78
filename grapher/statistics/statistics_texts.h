// What the statistics plots and the report say, in Japanese like the rest of
// the program; the window and the report translate them the same way.
#pragma once

#include "common/texts.h"

namespace quillon::grapher::statistics_texts {

// Plots: titles and axes.
inline constexpr const char* kDegreeTitle = QUILLON_TEXT("quillon", "次数分布");
inline constexpr const char* kDegreeAxis = QUILLON_TEXT("quillon", "次数");
inline constexpr const char* kProductCountAxis = QUILLON_TEXT("quillon", "商品数");
inline constexpr const char* kInDegreeSeries = QUILLON_TEXT("quillon", "被リンク数");
inline constexpr const char* kOutDegreeSeries = QUILLON_TEXT("quillon", "リンク数");
// A series with the products a log-log plot cannot show: %1 the series, %2 those of degree 0.
inline constexpr const char* kZeroDegrees =
    QUILLON_TEXT("quillon", "%1（次数 0 の %2 件は表示せず）");
inline constexpr const char* kRanksTitle = QUILLON_TEXT("quillon", "キーワード別の売上順位");
inline constexpr const char* kRankAxis = QUILLON_TEXT("quillon", "売上順位");
inline constexpr const char* kKeyWordAxis = QUILLON_TEXT("quillon", "キーワード");
inline constexpr const char* kCommunitiesTitle = QUILLON_TEXT("quillon", "コミュニティの大きさ");
// %1 the plot's title, %2 communities plotted of %3, each named by its number and leading keyword.
inline constexpr const char* kLargestCommunities =
    QUILLON_TEXT("quillon", "%1（大きい順に %2 / %3 個、番号と主なキーワード）");
inline constexpr const char* kMixTitle = QUILLON_TEXT("quillon", "選択商品の近傍のキーワード");
// %1 the plot's title, %2 the product's ASIN, %3 the hops, %4 the products around it.
inline constexpr const char* kMixAround =
    QUILLON_TEXT("quillon", "%1（%2 から %3 リンク以内の %4 件）");
inline constexpr const char* kMixNoSelection =
    QUILLON_TEXT("quillon", "商品を選択すると近傍のキーワードを表示します");
// In place of a keyword or product that there is none of.
inline constexpr const char* kNone = QUILLON_TEXT("quillon", "—");
inline constexpr const char* kNoKeyWord = QUILLON_TEXT("quillon", "キーワードなし");
inline constexpr const char* kNoMeasures = QUILLON_TEXT("quillon", "指標の計算を待っています");

// The panel.
inline constexpr const char* kPanelTitle = QUILLON_TEXT("quillon", "統計");
inline constexpr const char* kDegreeTab = QUILLON_TEXT("quillon", "次数分布");
inline constexpr const char* kRanksTab = QUILLON_TEXT("quillon", "売上順位");
inline constexpr const char* kCommunitiesTab = QUILLON_TEXT("quillon", "コミュニティ");
inline constexpr const char* kMixTab = QUILLON_TEXT("quillon", "近傍のキーワード");
inline constexpr const char* kSavePlot = QUILLON_TEXT("quillon", "グラフを保存");

// The report page.
inline constexpr const char* kReportTitle = QUILLON_TEXT("quillon", "類似商品グラフの統計");
inline constexpr const char* kCounts = QUILLON_TEXT("quillon", "件数");
inline constexpr const char* kProducts = QUILLON_TEXT("quillon", "商品の数");
inline constexpr const char* kLinks = QUILLON_TEXT("quillon", "リンクの数");
inline constexpr const char* kKeyWords = QUILLON_TEXT("quillon", "キーワードの数");
inline constexpr const char* kCommunities = QUILLON_TEXT("quillon", "コミュニティの数");
inline constexpr const char* kComponents = QUILLON_TEXT("quillon", "連結成分の数");
inline constexpr const char* kCommunityTable = QUILLON_TEXT("quillon", "コミュニティ一覧");
inline constexpr const char* kCommunityColumn = QUILLON_TEXT("quillon", "コミュニティ");
inline constexpr const char* kModularity = QUILLON_TEXT("quillon", "モジュラリティ");
// %1 the number of products listed.
inline constexpr const char* kTopPageRank = QUILLON_TEXT("quillon", "PageRank 上位 %1 商品");
inline constexpr const char* kTopInDegree = QUILLON_TEXT("quillon", "被リンク数 上位 %1 商品");
inline constexpr const char* kRankColumn = QUILLON_TEXT("quillon", "順位");
inline constexpr const char* kTitleColumn = QUILLON_TEXT("quillon", "タイトル");
inline constexpr const char* kSalesRankColumn = QUILLON_TEXT("quillon", "売上順位");
inline constexpr const char* kSizeColumn = QUILLON_TEXT("quillon", "商品数");
inline constexpr const char* kLeadingKeyWordsColumn = QUILLON_TEXT("quillon", "主なキーワード");
inline constexpr const char* kBestRankedColumn = QUILLON_TEXT("quillon", "売上順位が最も高い商品");
inline constexpr const char* kPlots = QUILLON_TEXT("quillon", "グラフ");
inline constexpr const char* kUnknownRank = QUILLON_TEXT("quillon", "順位不明");
inline constexpr const char* kUntitled = QUILLON_TEXT("quillon", "（タイトル不明）");

}  // namespace quillon::grapher::statistics_texts
