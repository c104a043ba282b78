// One product asked of the web service, at the configured pace.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/host.h"
#include "common/texts.h"
#include "fetcher/crawl_control.h"
#include "fetcher/fetcher_settings.h"
#include "fetcher/http_retrieval.h"
#include "fetcher/request_outcome.h"

namespace quillon::fetcher {

inline constexpr std::string_view kRequestingPrefix = QUILLON_TEXT("quillon", "取得中 : ");
inline constexpr std::string_view kRequestedPrefix = QUILLON_TEXT("quillon", "取得完了 : ");

// Reads the settings a request is made with; called once for every request.
using SettingsReader = std::function<FetcherSettings()>;

// One request as it went, for the crawl log.
struct RequestRecord {
  std::string_view asin;
  const HttpResult& result;
  bool valid = false;   // an answer the service marked valid
  std::int64_t ms = 0;  // from sending the request to the end of its answer
};
using RequestObserver = std::function<void(const RequestRecord& request)>;

// Asks for products one at a time and keeps the time the last request ended, so
// that the pause also holds between the last request of one crawl and the next.
class ProductRequester {
 public:
  // The settings are read from programFolder's setting.ini before every request.
  ProductRequester(const std::string& programFolder, Host& host, Clock& clock, HttpGetter get);
  ProductRequester(SettingsReader settings, Host& host, Clock& clock, HttpGetter get);

  // Asks for asin and says what came of it. A failed retrieval is tried again
  // RetryCount times, after 1 s, 2 s, 4 s ... first; a busy answer (429, 503) is
  // never taken, and the next request waits for its Retry-After or that
  // back-off. When the retries are spent, onFailure decides before the outcome
  // comes back (the time spent deciding counts as elapsed). The answer must
  // come within AnswerTimeoutSeconds. A close request ends the pauses and the
  // transfer at once; they and onFailure may end the program (EndProgram).
  RequestOutcome RequestProduct(const std::string& asin, const FailureJudge& onFailure = {});

  // Told of every request sent, retries included; {} for none.
  void setObserver(RequestObserver observer) { observer_ = std::move(observer); }
  // The user's stop and pause: the waits before a request (the first or a
  // retry) then pump events and end at a stop, after which RequestProduct
  // returns a Cancelled Failure without asking onFailure. nullptr: one plain pause.
  void setControl(const CrawlControl* control) { control_ = control; }

  // Clock time when the previous request finished; 0 before the first.
  std::int64_t LastRequestTick() const { return lastRequestTick_; }

  // Requests sent so far, and those of them that were retries after a failure.
  std::int64_t requestsMade() const { return requestsMade_; }
  std::int64_t retriesMade() const { return retriesMade_; }

 private:
  // The interval's pause, then any wait a failure or a busy answer left owing,
  // then any pause the user asked for; false when a stop ended the wait.
  bool waitBeforeRequest(const std::string& asin, std::int64_t intervalMs);
  // Waits ms in short pieces, letting the host end the program between them;
  // false when a stop ended it.
  bool waitInterruptibly(std::int64_t ms, const std::string& asin);
  // Lets the host take pending events; true once the close request has come.
  bool closeRequested();
  // The same, or the user's stop of the crawl.
  bool stopOrCloseRequested();

  SettingsReader readSettings_;
  Host& host_;
  Clock& clock_;
  HttpGetter get_;
  RequestObserver observer_;
  const CrawlControl* control_ = nullptr;
  std::int64_t lastRequestTick_ = 0;
  std::int64_t notBeforeMs_ = 0;  // no request starts before this clock time
  int failuresInARow_ = 0;        // of the service, whatever the product
  std::int64_t requestsMade_ = 0;
  std::int64_t retriesMade_ = 0;
};

// The ASIN as a URL can carry it: every byte other than the letters, digits and
// - . _ ~ becomes %XX, so a blank, "%", "#", "?", "&", "=", "+" or a non-ASCII
// letter reaches the service as typed, in a path or a query. Ordinary ASINs are
// unchanged.
std::string UrlAsin(std::string_view asin);

// The request URL of asin: Prefix, the ASIN as UrlAsin gives it, Suffix.
std::string RequestUrl(const FetcherSettings& settings, std::string_view asin);

}  // namespace quillon::fetcher
