#include "fetcher/crawl.h"

#include <algorithm>
#include <cerrno>
#include <unordered_set>
#include <utility>

#include "common/atomic_file.h"
#include "common/tag_scanner.h"
#include "common/text_compare.h"
#include "common/working_folder.h"
#include "common/xml_text.h"
#include "fetcher/answer_source.h"
#include "fetcher/crawl_log.h"
#include "fetcher/crawl_progress.h"

namespace quillon::fetcher {
namespace {

struct FoundProduct {
  std::string asin;
  std::string title;
};

// Products the summary names one by one; the rest are counted.
constexpr std::size_t kNamedGivenUp = 20;

// The queue of products to request, with the titles that found them; entries are
// never removed, and the set beside it answers "already queued?" at once.
class ProductQueue {
 public:
  explicit ProductQueue(const std::string& startAsin) { append({startAsin, ""}, 0); }

  void append(FoundProduct product, int depth) {
    known_.insert(product.asin);
    asins_.push_back(std::move(product.asin));
    titles_.push_back(std::move(product.title));
    depths_.push_back(depth);
  }
  // Links from the start product to entry k.
  int depth(std::size_t k) const { return depths_[k]; }
  bool contains(const std::string& asin) const { return known_.contains(asin); }
  std::size_t size() const { return asins_.size(); }
  const std::string& asin(std::size_t k) const { return asins_[k]; }
  const std::vector<std::string>& asins() const { return asins_; }
  const std::vector<std::string>& titles() const { return titles_; }

 private:
  std::vector<std::string> asins_;
  std::vector<std::string> titles_;
  std::vector<int> depths_;
  std::unordered_set<std::string> known_;
};

// A record whose file name the file system refuses (too long, or bytes it
// cannot hold): no retry can store it.
bool CannotBeNamed(const Failure& failure) {
  return failure.kind == FailureKind::CannotWriteFile &&
         (failure.error == ENAMETOOLONG || failure.error == EILSEQ);
}

bool TitleHasKeyword(std::string_view title, const std::vector<FoldedNeedle>& keywords) {
  const FoldedText folded(title);
  return std::any_of(keywords.begin(), keywords.end(), [&folded](const FoldedNeedle& keyword) {
    return ContainsText(folded, keyword);
  });
}

// The similar products of one answer not yet queued, in the order listed; an
// ASIN listed twice is kept twice, one that could name a path elsewhere never.
std::vector<FoundProduct> NewSimilarProducts(std::string_view text, const ProductQueue& queue) {
  std::vector<FoundProduct> kept;
  const std::string list = GetTagText(text, "SimilarProducts", 1);
  TagWalker entries(list, "SimilarProduct");
  while (entries.next()) {
    const std::string_view element = entries.text();
    std::string asin = GetTagText(element, "ASIN", 1);
    if (queue.contains(asin) || !IsSafeAsin(asin)) continue;
    kept.push_back({std::move(asin), DecodeXmlText(GetTagText(element, "Title", 1))});
  }
  return kept;
}

// Gives the requester the crawl's log and the user's control while a crawl
// runs; the requester outlives the crawl.
class CrawlHooks {
 public:
  CrawlHooks(ProductRequester& requester, CrawlLog& log, const CrawlControl* control)
      : requester_(requester) {
    requester_.setObserver([&log](const RequestRecord& request) { log.record(request); });
    requester_.setControl(control);
  }
  ~CrawlHooks() {
    requester_.setObserver({});
    requester_.setControl(nullptr);
  }
  CrawlHooks(const CrawlHooks&) = delete;
  CrawlHooks& operator=(const CrawlHooks&) = delete;

 private:
  ProductRequester& requester_;
};

// How the crawl ended (the limit or stop, the products given up on), through
// host's translations; "" when there is nothing to add.
std::string WordCrawlEnd(const CrawlEnd& end, const Host& host) {
  std::string note;
  switch (end.ending) {
    case CrawlEnding::Stopped:
      note = FillText(host.text(kStoppedPattern), {std::to_string(end.left)});
      break;
    case CrawlEnding::ProductLimit:
      note = FillText(host.text(kProductLimitPattern),
                      {std::to_string(end.limits.maxProducts), std::to_string(end.left)});
      break;
    case CrawlEnding::DepthLimit:
      note = FillText(host.text(kDepthLimitPattern),
                      {std::to_string(end.limits.maxDepth), std::to_string(end.left)});
      break;
    case CrawlEnding::Finished:
      break;
  }
  if (!end.givenUp.empty()) {
    const std::string givenUp = FillText(
        host.text(kGivenUpPattern), {std::to_string(end.givenUp.size()), GivenUpList(end.givenUp)});
    note = note.empty() ? givenUp : FillText(host.text(kSummaryNotePattern), {note, givenUp});
  }
  return note;
}

}  // namespace

std::string GivenUpList(const std::vector<std::string>& asins) {
  std::string list;
  for (std::size_t k = 0; k < asins.size() && k < kNamedGivenUp; ++k) {
    if (k > 0) list += ", ";
    list += asins[k];
  }
  if (asins.size() > kNamedGivenUp) list += ", ...";
  return list;
}

std::string WaitingList(const std::vector<std::string>& queue,
                        const std::vector<std::string>& titles, std::size_t first,
                        std::size_t maxLines) {
  std::string list;
  const std::size_t end = std::min(queue.size(), first + maxLines);
  for (std::size_t k = first; k < end; ++k) {
    list += std::to_string(k);
    list += " : ";
    list += queue[k];
    list += ' ';
    list += titles[k];
    list += "\r\n";
  }
  return list;
}

Expected<CrawlEnd> CrawlSimilarProducts(const CrawlPlace& place, ProductRequester& requester,
                                        const std::string& startAsin) {
  Host& host = place.host;
  const FetcherSettings& settings = place.settings;
  if (!IsSafeAsin(startAsin)) return Failure{FailureKind::UnsafeAsin, startAsin};

  ProductQueue queue(startAsin);
  const Expected<std::vector<std::string>> keywordLines = ReadKeywords(place.programFolder);
  if (!keywordLines) return keywordLines.failure();
  std::vector<FoldedNeedle> keywords;
  keywords.reserve(keywordLines.value().size());
  for (const std::string& keyword : keywordLines.value()) keywords.emplace_back(keyword);
  // Without a Prefix every request fails; say so before the first one.
  if (settings.prefix.empty())
    return Failure{FailureKind::MissingPrefix, ProgramFilePath(place.programFolder, "setting.ini")};

  // Left by a crawl that was killed mid-write; a living writer's file stays.
  RemoveStaleTemporaryFiles(settings.recordFolder);

  CrawlLog log(settings.recordFolder);
  const CrawlHooks hooks(requester, log, place.control);
  AskUser askUser(host);
  AnswerSource source(host, requester, settings.recordFolder, settings.storedRecords,
                      place.goOn != nullptr ? *place.goOn : askUser, place.control);
  CrawlProgress progress(place.clock);
  // The requester outlives crawls: the pace counts this crawl's requests only.
  const std::int64_t requestsBefore = requester.requestsMade();
  CrawlEnd end;
  end.limits = settings.limits;
  const CrawlLimits& limits = settings.limits;
  // Similar products the depth limit kept out, each once: the queue is in
  // depth order, so none of them is queued later.
  std::unordered_set<std::string> keptOut;
  std::int64_t withoutProduct = 0;
  const std::string progressPattern = host.text(kProgressPattern);  // looked up once a crawl
  // Ended before the product at `next`: the rest of the queue is left.
  const auto endBefore = [&](CrawlEnding ending, std::size_t next) {
    end.ending = ending;
    end.left = static_cast<std::int64_t>(queue.size() - next);
  };
  for (std::size_t cursor = 0; cursor < queue.size(); ++cursor) {
    if (limits.maxProducts > 0 && cursor >= static_cast<std::size_t>(limits.maxProducts)) {
      endBefore(CrawlEnding::ProductLimit, cursor);
      break;
    }
    // Stored records need no request; a paused crawl holds before them as well.
    if (place.control != nullptr && !HoldWhilePaused(host, place.clock, *place.control)) {
      endBefore(CrawlEnding::Stopped, cursor);
      break;
    }
    log.startProduct();
    const SourcedAnswer answer = source.answerFor(queue.asin(cursor));
    if (answer.stopped) {
      endBefore(CrawlEnding::Stopped, cursor);
      break;
    }
    const std::string& text = answer.text;
    if (answer.givenUp) {
      end.givenUp.push_back(queue.asin(cursor));
    } else {
      const bool namesProduct = GetTagEnd(text, "Title", 1) != 0;
      if (!namesProduct) ++withoutProduct;
      if (cursor == 0) {
        // The grapher draws from the start file, so the previous one stays until
        // the service has named a product for the new start ASIN.
        if (!namesProduct) return Failure{FailureKind::UnknownStartProduct, startAsin};
        if (Status written = WriteStartProductAsinIn(answer.recordFolder, startAsin); !written)
          return written.failure();
      }
      // A record taken from its file stays as it is, its date included.
      if (!answer.stored) {
        if (Status stored = WriteProductRecordIn(answer.recordFolder, queue.asin(cursor), text);
            !stored) {
          if (!CannotBeNamed(stored.failure())) return stored.failure();
          host.showFailure(stored.failure());  // this product has no record; the rest can
          end.givenUp.push_back(queue.asin(cursor));
        }
      }
    }

    if (!answer.givenUp && TitleHasKeyword(DecodeXmlText(RecordTitle(text)), keywords)) {
      std::vector<FoundProduct> found = NewSimilarProducts(text, queue);
      const int depth = queue.depth(cursor) + 1;
      if (limits.maxDepth >= 0 && depth > limits.maxDepth) {
        for (FoundProduct& product : found) keptOut.insert(std::move(product.asin));
        found.clear();
      }
      // The first product listed goes last, as the queue has always been filled.
      for (auto it = found.rbegin(); it != found.rend(); ++it) {
        queue.append(std::move(*it), depth);
        host.processEvents();
      }
    }

    host.setLabel(Label::Status2, host.text(kFetchedPrefix) + std::to_string(cursor) + "/" +
                                      std::to_string(queue.size() - 1));
    host.setLabel(Label::Status3,
                  WaitingList(queue.asins(), queue.titles(), cursor + 1, kWaitingListLines));
    progress.requestsMade(requester.requestsMade() - requestsBefore);
    host.setProgressLine(progress.line(static_cast<std::int64_t>(cursor + 1),
                                       static_cast<std::int64_t>(queue.size() - cursor - 1),
                                       progressPattern));
    if (std::optional<Failure> unlogged = log.takeFailure()) host.showFailure(*unlogged);
    host.processEvents();
    host.checkQuit();
    if (place.control != nullptr && place.control->stopRequested()) {
      endBefore(CrawlEnding::Stopped, cursor + 1);
      break;
    }
  }
  if (end.ending == CrawlEnding::Finished && !keptOut.empty()) {
    end.ending = CrawlEnding::DepthLimit;
    end.left = static_cast<std::int64_t>(keptOut.size());
  }
  CrawlTally tally = source.tally();
  tally.withoutProduct = withoutProduct;
  std::string summary = progress.summary(tally, host.text(kSummaryPattern));
  const std::string note = place.endInSummary ? WordCrawlEnd(end, host) : std::string();
  if (!note.empty()) summary = FillText(host.text(kSummaryNotePattern), {summary, note});
  host.setProgressLine(summary);
  if (end.ending != CrawlEnding::Stopped) host.showMessage(host.text(kFinishedMessage));
  return end;
}

}  // namespace quillon::fetcher
