#include "fetcher/crawl_control.h"

#include <limits>

#include "fetcher/ending_wait.h"

namespace quillon::fetcher {

bool WaitUnlessStopped(Host& host, Clock& clock, std::int64_t ms, const CrawlControl& control) {
  return WaitUnlessEnded(
      clock, ms, [&control] { return control.stopRequested(); },
      [&host] {
        host.processEvents();
        host.checkQuit();
      });
}

bool HoldWhilePaused(Host& host, Clock& clock, const CrawlControl& control) {
  if (!control.paused()) return !control.stopRequested();
  host.aboutToPause();  // what the crawl has shown so far stays on screen while it holds
  WaitUnlessEnded(
      clock, std::numeric_limits<std::int64_t>::max() / 2,
      [&control] { return !control.paused() || control.stopRequested(); },
      [&host] {
        host.processEvents();
        host.checkQuit();
      });
  return !control.stopRequested();
}

}  // namespace quillon::fetcher
