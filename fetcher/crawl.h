// The breadth-first crawl of the similar-products relation from a start product.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/expected.h"
#include "common/host.h"
#include "common/texts.h"
#include "fetcher/answer_source.h"
#include "fetcher/crawl_control.h"
#include "fetcher/fetcher_settings.h"
#include "fetcher/product_request.h"

namespace quillon::fetcher {

inline constexpr std::string_view kFetchedPrefix = QUILLON_TEXT("quillon", "取得済 : ");
inline constexpr std::string_view kFinishedMessage = QUILLON_TEXT("quillon", "終了");
// Lines of the waiting list that LabelStatus3 can show; the rest is never seen.
inline constexpr std::size_t kWaitingListLines = 100;

// Why a crawl ended, the first that applies in this order.
enum class CrawlEnding {
  Stopped,       // the user stopped it
  ProductLimit,  // MaxProducts products were done and more were queued
  DepthLimit,    // every product was done, but MaxDepth kept similar products out
  Finished,      // every product it met was done
};

// How a crawl ended, for its summary and the front ends.
struct CrawlEnd {
  CrawlEnding ending = CrawlEnding::Finished;
  // Stopped, ProductLimit: products queued and not done. DepthLimit: similar
  // products the depth limit kept out of the queue.
  std::int64_t left = 0;
  CrawlLimits limits;                // the limits the crawl ran with
  std::vector<std::string> givenUp;  // products left without a record, in crawl order
};

inline constexpr std::string_view kStoppedPattern = QUILLON_TEXT("quillon", "停止 (残り %1 件)");
inline constexpr std::string_view kProductLimitPattern =
    QUILLON_TEXT("quillon", "上限 %1 件で打ち切り (残り %2 件)");
inline constexpr std::string_view kDepthLimitPattern =
    QUILLON_TEXT("quillon", "深さ %1 で打ち切り (辿らなかった商品 %2 件)");
// The summary line (%1) with how the crawl ended (%2) after it.
inline constexpr std::string_view kSummaryNotePattern = QUILLON_TEXT("quillon", "%1 · %2");
inline constexpr std::string_view kGivenUpPattern = QUILLON_TEXT("quillon", "諦めた商品 %1 件: %2");

// The ASINs joined with ", ", the first twenty only.
std::string GivenUpList(const std::vector<std::string>& asins);

// Where a crawl works and what it decides with.
struct CrawlPlace {
  Host& host;
  Clock& clock;               // for the pace the progress line shows
  std::string programFolder;  // keywords.txt
  // The settings as read at the start of the crawl: the record folder, the
  // stored-record policy and the Prefix that must be there.
  FetcherSettings settings;
  // Whether to go on with a product that gives no valid answer; nullptr: ask
  // the user through host.
  GoOnPolicy* goOn = nullptr;
  // The user's stop and pause; nullptr: a crawl nobody stops.
  const CrawlControl* control = nullptr;
  // Whether the summary line also words how the crawl ended (the limit or stop,
  // the products given up on); the command line tells it on a line of its own.
  bool endInSummary = true;
};

// Runs one crawl from startAsin, asking requester for the answers, within the
// settings' limits. Returns how it ended after "終了" has been shown (a stopped
// crawl shows only its summary), or the reason (unreadable keywords.txt, no
// Prefix setting, unwritable record folder, unusable start ASIN, a start ASIN
// the service names no product for) that stopped the crawl; throws EndProgram
// when the program must end. Record files already written stay;
// StartProductASIN.txt is replaced only once the start product's answer has come.
// A record whose file name the file system refuses (too long) is shown as a
// failure and the crawl goes on. Stale temporary files of killed writers are
// removed from the record folder first. Every request is appended to the crawl
// log in the record folder; a log that cannot be written is reported once.
Expected<CrawlEnd> CrawlSimilarProducts(const CrawlPlace& place, ProductRequester& requester,
                                        const std::string& startAsin);

// The waiting list from queue entry `first` on, one "k : ASIN title" line per
// entry with CR LF, at most maxLines lines.
std::string WaitingList(const std::vector<std::string>& queue,
                        const std::vector<std::string>& titles, std::size_t first,
                        std::size_t maxLines);

}  // namespace quillon::fetcher
