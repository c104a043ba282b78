// Where the crawl gets a product's answer: its stored record when that is
// allowed and still good, otherwise the service at its pace. Both give the same
// text, so a crawl that takes stored records walks the same order and queue as
// one that asks for everything.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/host.h"
#include "fetcher/crawl_progress.h"
#include "fetcher/fetcher_settings.h"
#include "fetcher/product_request.h"

namespace quillon::fetcher {

// Invalid answers in a row for one product after which the crawl decides
// whether to go on trying it, and what the question says after the URL.
inline constexpr int kInvalidAnswersBeforeAsking = 10;
inline constexpr std::string_view kInvalidAnswersPromptTail =
    QUILLON_TEXT("quillon", "の応答が10回続けて無効だったわけだが。続ける？");

// The tries for one product so far, the present decision included.
struct ProductTries {
  int decisions = 0;          // failures with their retries spent, and runs of invalid answers
  std::int64_t requests = 0;  // every request, retries and invalid answers included
};

// What becomes of a product that gives no valid answer.
enum class GoOn {
  KeepTrying,
  GiveUp,  // the crawl moves on without its record and names it at the end
};

// Decides whether the crawl keeps trying a product that gives no valid answer:
// after a failed retrieval whose retries are spent, and after
// kInvalidAnswersBeforeAsking invalid answers in a row. Throws EndProgram to
// end the program.
class GoOnPolicy {
 public:
  virtual ~GoOnPolicy() = default;
  virtual GoOn decide(const RequestOutcome& last, const ProductTries& tries) = 0;
};

// The question put to the user about a product whose last request gave no valid answer.
std::string GoOnQuestion(const Host& host, const RequestOutcome& last);

// The plain question: the user is asked, naming the URL and the reason; Yes
// keeps trying, No ends the program.
class AskUser : public GoOnPolicy {
 public:
  explicit AskUser(Host& host) : host_(host) {}
  GoOn decide(const RequestOutcome& last, const ProductTries& tries) override;

 private:
  Host& host_;
};

struct SourcedAnswer {
  std::string text;     // "" when given up on or stopped
  bool stored = false;  // taken from the product's record file
  bool givenUp = false;
  bool stopped = false;  // the user stopped the crawl before an answer came
  // Where the record goes: the record folder as the settings read for the
  // request named it (the crawl's own for a stored answer).
  std::string recordFolder;
};

// Whether a stored record leads the crawl where its answer did: it ends where
// a complete answer ends (the closing tag of its first element), and neither
// its title nor a similar product's ASIN holds "?", which the code page writes
// for characters it cannot hold. Other stored records are asked for again.
bool GivesTheAnswersDecisions(std::string_view text);

class AnswerSource {
 public:
  // recordFolder is where stored records are looked for.
  AnswerSource(Host& host, ProductRequester& requester, std::string recordFolder,
               StoredRecordPolicy policy, GoOnPolicy& goOn, const CrawlControl* control = nullptr);

  // The valid answer for asin: the stored record (no request, no pause) or the
  // service's, asked again until one is valid, the policy gives up on it or a
  // stop ends the crawl. Throws EndProgram as the requests and decisions do.
  SourcedAnswer answerFor(const std::string& asin);

  // Requested, stored and retried so far (the crawl counts answers without a product).
  CrawlTally tally() const;

 private:
  // The stored answer when reuse is allowed, the record is valid, young enough
  // and gives the answer's decisions.
  std::string storedAnswer(const std::string& asin) const;
  SourcedAnswer requestUntilValid(const std::string& asin);

  Host& host_;
  ProductRequester& requester_;
  std::string recordFolder_;
  StoredRecordPolicy policy_;
  GoOnPolicy& goOn_;
  const CrawlControl* control_;
  std::int64_t requestsBefore_;  // the requester outlives crawls
  std::int64_t requested_ = 0;
  std::int64_t stored_ = 0;
};

}  // namespace quillon::fetcher
