#include "fetcher/answer_source.h"

#include <chrono>
#include <filesystem>

#include "common/working_folder.h"
#include "fetcher/crawl.h"
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

AnswerSource::AnswerSource(ProductRequester& requester, StoredRecordPolicy policy)
    : requester_(requester),
      policy_(policy),
      recordFolder_(policy.reuse ? RecordFolder(requester.programFolder()) : std::string()),
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
    requester_.host().setLabel(Label::Status, requester_.host().text(kStoredRecordPrefix) + asin);
    return {std::move(text), true};
  }
  ++requested_;
  return {requestUntilValid(asin), false};
}

std::string AnswerSource::requestUntilValid(const std::string& asin) {
  Host& host = requester_.host();
  int invalidInARow = 0;
  for (;;) {
    std::string text = requester_.RequestProduct(asin);
    host.checkQuit();
    if (!text.empty()) return text;
    if (requester_.lastRequestAnswered() && ++invalidInARow >= kInvalidAnswersBeforeAsking) {
      invalidInARow = 0;
      AskToContinue(host, requester_.requestUrl(asin), {}, kInvalidAnswersPromptTail);
    }
    // Between attempts the window stays responsive, so closing it ends a hopeless retry.
    host.processEvents();
    host.checkQuit();
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
