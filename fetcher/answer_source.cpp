#include "fetcher/answer_source.h"

#include <chrono>
#include <filesystem>

#include "common/working_folder.h"
#include "fetcher/crawl_texts.h"

namespace quillon::fetcher {
namespace {

// A record whose file was last written more than maxAgeMs ago (or cannot be dated).
bool olderThan(const std::string& path, std::int64_t maxAgeMs) {
  std::error_code error;
  const auto written = std::filesystem::last_write_time(path, error);
  if (error) return true;
  const auto age = std::filesystem::file_time_type::clock::now() - written;
  return age > std::chrono::milliseconds(maxAgeMs);
}

}  // namespace

void AskUser::decide(const RequestOutcome& last, const ProductTries&) {
  if (last.kind == OutcomeKind::Failure)
    AskToContinue(host_, last.url, FailureReason(last.result, host_));
  else
    AskToContinue(host_, last.url, {}, kInvalidAnswersPromptTail);
}

AnswerSource::AnswerSource(Host& host, ProductRequester& requester, std::string recordFolder,
                           StoredRecordPolicy policy, GoOnPolicy& goOn)
    : host_(host),
      requester_(requester),
      recordFolder_(std::move(recordFolder)),
      policy_(policy),
      goOn_(goOn),
      requestsBefore_(requester.requestsMade()) {}

std::string AnswerSource::storedAnswer(const std::string& asin) const {
  if (!policy_.reuse) return {};
  if (policy_.maxAgeMs > 0 && olderThan(recordFolder_ + "/" + asin + ".xml", policy_.maxAgeMs))
    return {};
  return LoadStoredAnswerFrom(recordFolder_, asin);
}

SourcedAnswer AnswerSource::answerFor(const std::string& asin) {
  if (std::string text = storedAnswer(asin); !text.empty()) {
    ++stored_;
    host_.setLabel(Label::Status, host_.text(kStoredRecordPrefix) + asin);
    return {std::move(text), true, recordFolder_};
  }
  ++requested_;
  return requestUntilValid(asin);
}

SourcedAnswer AnswerSource::requestUntilValid(const std::string& asin) {
  ProductTries tries;
  int invalidInARow = 0;
  const FailureJudge onFailure = [&](const RequestOutcome& failure) {
    tries.requests += failure.requests;
    ++tries.decisions;
    goOn_.decide(failure, tries);
  };
  for (;;) {
    RequestOutcome outcome = requester_.RequestProduct(asin, onFailure);
    host_.checkQuit();
    if (outcome.kind == OutcomeKind::Answer)
      return {std::move(outcome.text), false, std::move(outcome.settings.recordFolder)};
    if (outcome.kind == OutcomeKind::InvalidAnswer) {
      tries.requests += outcome.requests;
      if (++invalidInARow >= kInvalidAnswersBeforeAsking) {
        invalidInARow = 0;
        ++tries.decisions;
        goOn_.decide(outcome, tries);
      }
    }
    // Between attempts the window stays responsive, so closing it ends a hopeless retry.
    host_.processEvents();
    host_.checkQuit();
  }
}

CrawlTally AnswerSource::tally() const {
  CrawlTally tally;
  tally.requested = requested_;
  tally.stored = stored_;
  tally.retried = requester_.requestsMade() - requestsBefore_ - requested_;
  return tally;
}

}  // namespace quillon::fetcher
