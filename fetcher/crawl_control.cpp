#include "fetcher/crawl_control.h"

#include <limits>

#include "common/stoppable_wait.h"

namespace quillon::fetcher {

bool HoldWhilePaused(Host& host, Clock& clock, const CrawlControl& control) {
  if (!control.paused()) return !control.stopRequested();
  host.aboutToPause();  // what the crawl has shown so far stays on screen while it holds
  WaitUnlessStopped(clock, std::numeric_limits<std::int64_t>::max() / 2, [&] {
    host.processEvents();
    host.checkQuit();
    return !control.paused() || control.stopRequested();
  });
  return !control.stopRequested();
}

}  // namespace quillon::fetcher
