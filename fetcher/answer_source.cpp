#include "fetcher/answer_source.h"

#include <chrono>
#include <filesystem>
#include <string_view>

#include "common/tag_scanner.h"
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

// The name of the document's first element, after any declaration, comment or
// document type; "" when the text does not begin with an element.
std::string_view rootName(std::string_view text) {
  std::size_t at = text.find_first_not_of(" \t\r\n");
  while (at != std::string_view::npos && text.substr(at, 1) == "<") {
    const std::string_view rest = text.substr(at);
    std::string_view closer;
    if (rest.starts_with("<?"))
      closer = "?>";
    else if (rest.starts_with("<!--"))
      closer = "-->";
    else if (rest.starts_with("<!"))
      closer = ">";
    else
      return rest.substr(1, rest.find_first_of(" \t\r\n/>") - 1);
    const std::size_t end = text.find(closer, at);
    if (end == std::string_view::npos) return {};
    at = text.find_first_not_of(" \t\r\n", end + closer.size());
  }
  return {};
}

}  // namespace

bool GivesTheAnswersDecisions(std::string_view text) {
  // Cut short (a record written before writes were atomic, or damaged): the
  // similar products after the cut would be lost.
  const std::string_view root = rootName(text);
  std::string_view body = text.substr(0, text.find_last_not_of(" \t\r\n") + 1);
  if (root.empty() || !body.ends_with('>')) return false;
  body.remove_suffix(1);
  body = body.substr(0, body.find_last_not_of(" \t\r\n") + 1);
  if (!body.ends_with(root) || !body.substr(0, body.size() - root.size()).ends_with("</"))
    return false;
  // The code page writes "?" for what it cannot hold: such a title can fail the
  // keyword test its answer passed, such an ASIN names another product.
  if (RecordTitle(text).find('?') != std::string_view::npos) return false;
  const std::string list = GetTagText(text, "SimilarProducts", 1);
  for (TagWalker entries(list, "SimilarProduct"); entries.next();)
    if (GetTagText(entries.text(), "ASIN", 1).find('?') != std::string::npos) return false;
  return true;
}

std::string GoOnQuestion(const Host& host, const RequestOutcome& last) {
  if (last.kind == OutcomeKind::Failure)
    return ContinueQuestion(host, last.url, FailureReason(last.result, host));
  return ContinueQuestion(host, last.url, {}, kInvalidAnswersPromptTail);
}

GoOn AskUser::decide(const RequestOutcome& last, const ProductTries&) {
  if (!host_.askYesNo(GoOnQuestion(host_, last))) throw EndProgram{};
  return GoOn::KeepTrying;
}

AnswerSource::AnswerSource(Host& host, ProductRequester& requester, std::string recordFolder,
                           StoredRecordPolicy policy, GoOnPolicy& goOn, const CrawlControl* control)
    : host_(host),
      requester_(requester),
      recordFolder_(std::move(recordFolder)),
      policy_(policy),
      goOn_(goOn),
      control_(control),
      requestsBefore_(requester.requestsMade()) {}

std::string AnswerSource::storedAnswer(const std::string& asin) const {
  if (!policy_.reuse) return {};
  if (policy_.maxAgeMs > 0 && olderThan(recordFolder_ + "/" + asin + ".xml", policy_.maxAgeMs))
    return {};
  std::string text = LoadStoredAnswerFrom(recordFolder_, asin);
  if (!GivesTheAnswersDecisions(text)) return {};
  return text;
}

SourcedAnswer AnswerSource::answerFor(const std::string& asin) {
  if (std::string text = storedAnswer(asin); !text.empty()) {
    ++stored_;
    host_.setLabel(Label::Status, host_.text(kStoredRecordPrefix) + asin);
    return {std::move(text), true, false, false, recordFolder_};
  }
  const std::int64_t requestsBefore = requester_.requestsMade();
  SourcedAnswer answer = requestUntilValid(asin);
  // A product stopped before its first request was not asked for.
  if (!answer.stopped || requester_.requestsMade() != requestsBefore) ++requested_;
  return answer;
}

SourcedAnswer AnswerSource::requestUntilValid(const std::string& asin) {
  ProductTries tries;
  int invalidInARow = 0;
  GoOn decision = GoOn::KeepTrying;
  const FailureJudge onFailure = [&](const RequestOutcome& failure) {
    tries.requests += failure.requests;
    ++tries.decisions;
    decision = goOn_.decide(failure, tries);
  };
  const auto stopped = [this] { return control_ != nullptr && control_->stopRequested(); };
  SourcedAnswer none;
  none.recordFolder = recordFolder_;
  for (;;) {
    RequestOutcome outcome = requester_.RequestProduct(asin, onFailure);
    host_.checkQuit();
    if (outcome.kind == OutcomeKind::Answer)
      return {std::move(outcome.text), false, false, false,
              std::move(outcome.settings.recordFolder)};
    if (outcome.kind == OutcomeKind::InvalidAnswer) {
      tries.requests += outcome.requests;
      if (++invalidInARow >= kInvalidAnswersBeforeAsking) {
        invalidInARow = 0;
        ++tries.decisions;
        decision = goOn_.decide(outcome, tries);
      }
    }
    if (decision == GoOn::GiveUp) {
      none.givenUp = true;
      return none;
    }
    if (stopped()) {
      none.stopped = true;
      return none;
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
