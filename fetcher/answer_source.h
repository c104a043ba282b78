// Where the crawl gets a product's answer: its stored record when that is
// allowed and still good, otherwise the service at its pace. Both give the same
// text, so a crawl that takes stored records walks the same order and queue as
// one that asks for everything.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "fetcher/crawl_progress.h"
#include "fetcher/crawl_settings.h"
#include "fetcher/product_request.h"

namespace quillon::fetcher {

struct SourcedAnswer {
  std::string text;
  bool stored = false;  // taken from the product's record file
};

// Whether a stored record leads the crawl where its answer did: it ends where
// a complete answer ends (the closing tag of its first element), and neither
// its title nor a similar product's ASIN holds "?", which the code page writes
// for characters it cannot hold. Other stored records are asked for again.
bool GivesTheAnswersDecisions(std::string_view text);

class AnswerSource {
 public:
  AnswerSource(ProductRequester& requester, StoredRecordPolicy policy);

  // The valid answer for asin: the stored record (no request, no pause) or the
  // service's, asked again until one is valid. Throws EndProgram as the
  // requests and prompts do.
  SourcedAnswer answerFor(const std::string& asin);

  // Requested, stored and retried so far (the crawl counts answers without a product).
  CrawlTally tally() const;

 private:
  // The stored answer when reuse is allowed, the record is valid, young enough
  // and gives the answer's decisions.
  std::string storedAnswer(const std::string& asin) const;
  std::string requestUntilValid(const std::string& asin);

  ProductRequester& requester_;
  StoredRecordPolicy policy_;
  std::string recordFolder_;     // looked up once: one settings read per crawl, not per product
  std::int64_t requestsBefore_;  // the requester outlives crawls
  std::int64_t requested_ = 0;
  std::int64_t stored_ = 0;
};

}  // namespace quillon::fetcher
