// What the user asks of a running crawl from outside it: to stop, or to hold
// between requests. The window's buttons set it during the crawl's event pumps.
#pragma once

#include <cstdint>

#include "common/clock.h"
#include "common/host.h"

namespace quillon::fetcher {

class CrawlControl {
 public:
  // The crawl ends after the request in flight, or at once when it waits.
  void requestStop() { stop_ = true; }
  bool stopRequested() const { return stop_; }
  // A paused crawl sends no request until it is resumed or stopped.
  void setPaused(bool paused) { paused_ = paused; }
  bool paused() const { return paused_; }
  // A new crawl starts neither stopped nor paused.
  void reset() {
    stop_ = false;
    paused_ = false;
  }

 private:
  bool stop_ = false;
  bool paused_ = false;
};

// Holds while the crawl is paused, pumping events; false when it was stopped.
// Throws EndProgram at a close request.
bool HoldWhilePaused(Host& host, Clock& clock, const CrawlControl& control);

}  // namespace quillon::fetcher
