// The breadth-first crawl of the similar-products relation from a start product.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/expected.h"
#include "common/host.h"
#include "common/texts.h"
#include "fetcher/answer_source.h"
#include "fetcher/fetcher_settings.h"
#include "fetcher/product_request.h"

namespace quillon::fetcher {

inline constexpr std::string_view kFetchedPrefix = QUILLON_TEXT("quillon", "取得済 : ");
inline constexpr std::string_view kFinishedMessage = QUILLON_TEXT("quillon", "終了");
// Lines of the waiting list that LabelStatus3 can show; the rest is never seen.
inline constexpr std::size_t kWaitingListLines = 100;

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
};

// Runs one crawl from startAsin, asking requester for the answers. Returns
// after "終了" has been shown, or with the reason (unreadable keywords.txt, no
// Prefix setting, unwritable record folder, unusable start ASIN, a start ASIN
// the service names no product for) that stopped the crawl; throws EndProgram
// when the program must end. Record files already written stay;
// StartProductASIN.txt is replaced only once the start product's answer has come.
// A record whose file name the file system refuses (too long) is shown as a
// failure and the crawl goes on. Stale temporary files of killed writers are
// removed from the record folder first.
Status CrawlSimilarProducts(const CrawlPlace& place, ProductRequester& requester,
                            const std::string& startAsin);

// The waiting list from queue entry `first` on, one "k : ASIN title" line per
// entry with CR LF, at most maxLines lines.
std::string WaitingList(const std::vector<std::string>& queue,
                        const std::vector<std::string>& titles, std::size_t first,
                        std::size_t maxLines);

}  // namespace quillon::fetcher
