// Drawing the similarity graph through a view transform, for the window's
// zoomed and panned views and for fitted pictures. Runs on any thread: it
// reads the catalogue, writes only the surface, and never calls the host.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "common/host.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/catalogue/keyword_membership.h"
#include "grapher/render/surface.h"
#include "grapher/view/colour_by.h"
#include "grapher/view/measure_style.h"
#include "grapher/view/view_transform.h"

namespace quillon::grapher {

// Rings and lines that make a selection stand out.
inline constexpr Rgb kSelectionColour{0, 90, 255};
inline constexpr float kSelectedRingRadius = 6;
inline constexpr float kHighlightRingRadius = 4;
// From this scale on titles are drawn even when the settings leave them out.
inline constexpr double kReadableTitleScale = 4;

struct ViewStyle {
  ColourBy colourBy = ColourBy::Drawing;
  std::optional<std::int32_t> selected;
  // A mark per product (empty: none): drawn normally while everything else fades.
  std::vector<bool> highlighted;
  bool drawProductName = false;  // the layout setting DrawProductName
  // What the view may leave out; all shown by default, as the drawing has them.
  bool showSimilarityLines = true;
  bool showKeyWordLines = true;
  bool showLabels = true;  // the framed keyword labels
  // Lines fade as they crowd a zoomed or fitted view, so that density reads as
  // shade; the drawing's own picture (identity transform) stays opaque.
  bool shadeDenseLines = true;
  // The load's measures, once computed; colours and sizes by measure need them.
  std::shared_ptr<const analysis::GraphMeasures> measures;
  SizeBy sizeBy = SizeBy::Fixed;
  // A mark per product (empty: all): what a filter lets through. The rest fade,
  // or are left out with their lines when hideFiltered.
  std::vector<bool> shown;
  bool hideFiltered = false;
  Host::TextTranslator translate;  // for the legend's fixed texts; none: as written
};

// Clears the surface and draws products, titles, links, keyword lines and
// labels through t, then the selection and the legend. Positions move with the
// transform; marker radii, lines and text keep their pixel size. At the
// identity transform with the default style the calls are exactly those of
// RenderGraph. Returns false when *cancel was seen set (the picture is partial).
bool RenderView(const Catalogue& catalogue, const KeyWordMembership& members,
                const ViewTransform& t, const ViewStyle& style, Surface& surface,
                const std::atomic<bool>* cancel = nullptr);

}  // namespace quillon::grapher
