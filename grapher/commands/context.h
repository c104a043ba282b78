// Everything one grapher works on: the catalogue, the layout settings, the
// random directions, and the window (or terminal) and surface it draws on.
#pragma once

#include <cstdint>
#include <string>

#include "common/clock.h"
#include "common/host.h"
#include "common/random_source.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/render/surface.h"

namespace quillon::grapher {

struct Context {
  Context(std::string folder, Host& h, Surface& s, Clock& c, RandomSource r = RandomSource())
      : programFolder(std::move(folder)), host(h), surface(s), clock(c), random(r) {}

  std::string programFolder;
  Catalogue catalogue;
  LayoutSettings settings;
  std::int32_t PlacementAngle = 0;  // direction of the placement in progress, whole radians
  Host& host;
  Surface& surface;
  Clock& clock;
  RandomSource random;
};

}  // namespace quillon::grapher
