// The breadth-first crawl of the similar-products relation from a start product.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/expected.h"
#include "common/texts.h"
#include "fetcher/crawl_settings.h"
#include "fetcher/product_request.h"

namespace quillon::fetcher {

inline constexpr std::string_view kFetchedPrefix = QUILLON_TEXT("quillon", "取得済 : ");
inline constexpr std::string_view kFinishedMessage = QUILLON_TEXT("quillon", "終了");
// Invalid answers in a row for one product after which the user is asked whether
// to go on trying it, and what the question says after the URL (with that number).
inline constexpr int kInvalidAnswersBeforeAsking = 10;
inline constexpr std::string_view kInvalidAnswersPromptTail =
    QUILLON_TEXT("quillon", "の応答が10回続けて無効だったわけだが。続ける？");
// Lines of the waiting list that LabelStatus3 can show; the rest is never seen.
inline constexpr std::size_t kWaitingListLines = 100;

// Runs one crawl from startAsin through requester. Returns after "終了" has been
// shown, or with the reason (unreadable keywords.txt, no Prefix setting, unwritable record folder,
// unusable start ASIN, a start ASIN the service names no product for) that
// stopped the crawl; throws EndProgram when the program must end. Record files
// already written stay; StartProductASIN.txt is replaced only once the start
// product's answer has come. A record whose file name the file system refuses
// (too long) is shown as a failure and the crawl goes on. Stale temporary files
// of killed writers are removed from the record folder first.
// Stored records are taken as the settings ReuseStoredRecords and
// StoredRecordMaxAgeDays say.
Status CrawlSimilarProducts(ProductRequester& requester, const std::string& startAsin);
// The same with the stored records taken as policy says.
Status CrawlSimilarProducts(ProductRequester& requester, const std::string& startAsin,
                            const StoredRecordPolicy& policy);

// The waiting list from queue entry `first` on, one "k : ASIN title" line per
// entry with CR LF, at most maxLines lines.
std::string WaitingList(const std::vector<std::string>& queue,
                        const std::vector<std::string>& titles, std::size_t first,
                        std::size_t maxLines);

}  // namespace quillon::fetcher
