#include "fetcher/request_outcome.h"

namespace quillon::fetcher {

const std::string& RequestOutcome::validText() const {
  static const std::string kNone;
  return kind == OutcomeKind::Answer ? text : kNone;
}

FailureCause CauseOf(const HttpResult& result) {
  if (result.busy()) return FailureCause::Busy;
  switch (result.error.kind) {
    case TransportErrorKind::None:
      return FailureCause::NoBody;
    case TransportErrorKind::BadUrl:
      return FailureCause::BadUrl;
    case TransportErrorKind::Connection:
      return FailureCause::Connection;
    case TransportErrorKind::TimedOut:
      return FailureCause::TimedOut;
    case TransportErrorKind::TooLarge:
      return FailureCause::TooLarge;
    case TransportErrorKind::OutOfMemory:
      return FailureCause::OutOfMemory;
    case TransportErrorKind::Cancelled:
      return FailureCause::Cancelled;
    case TransportErrorKind::Other:
      return FailureCause::Other;
  }
  return FailureCause::Other;
}

}  // namespace quillon::fetcher
