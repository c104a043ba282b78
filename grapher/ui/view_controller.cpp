#include "grapher/ui/view_controller.h"

#include <algorithm>

#include "grapher/view/drawing_bounds.h"
#include "grapher/view/keyword_view.h"
#include "grapher/view/neighbourhood.h"
#include "grapher/view/view_legend.h"

namespace quillon::grapher {

// Free space kept around a fitted drawing, in pixels.

void ViewController::catalogueReplaced() {
  positionsMoved();
  members_.reset();
  finder_.reset();
  matches_.clear();
  cursor_ = -1;
  style_.measures.reset();
  select(std::nullopt);
  applyFilter();
}

void ViewController::setMeasures(std::shared_ptr<const analysis::GraphMeasures> measures) {
  style_.measures = std::move(measures);
  applyFilter();
}

void ViewController::setFilter(const ProductFilter& filter, bool aroundSelection) {
  filter_ = filter;
  aroundSelection_ = aroundSelection;
  applyFilter();
}

void ViewController::applyFilter() {
  ProductFilter effective = filter_;
  if (aroundSelection_) effective.around = style_.selected;
  const auto snap = snapshot();
  const std::size_t n = snap->catalogue.ProductTable.size();
  if (!effective.active()) {
    style_.shown.clear();
    shownCount_ = n;
  } else {
    style_.shown = ShownProducts(effective, snap->catalogue, *snap->members, measures());
    shownCount_ =
        static_cast<std::size_t>(std::count(style_.shown.begin(), style_.shown.end(), true));
  }
  style_.hideFiltered = filter_.hide;
}

std::shared_ptr<const ViewSnapshot> ViewController::snapshot() {
  if (!snapshot_ || snapshotGeneration_ != generation_) {
    // Worked out again only when a load has added products since.
    if (!members_ || members_->productCount() != source_.ProductTable.size())
      members_ = std::make_shared<const KeyWordMembership>(source_);
    snapshot_ = std::make_shared<const ViewSnapshot>(source_, members_);
    snapshotGeneration_ = generation_;
  }
  return snapshot_;
}

void ViewController::fit(double viewWidth, double viewHeight, const Surface& measuring) {
  const auto snap = snapshot();
  transform_ = FitBesideLegend(DrawingBounds(snap->catalogue, measuring),
                               LegendFor(style_.colourBy, snap->catalogue, style_.translate),
                               measuring, viewWidth, viewHeight, kFitMarginPx);
}

void ViewController::fitKeyWordGraph(double viewWidth, double viewHeight,
                                     const Surface& measuring) {
  transform_ = FitTransform(KeyWordGraphBounds(snapshot()->catalogue, measuring), viewWidth,
                            viewHeight, kFitMarginPx);
}

void ViewController::centreOn(std::int32_t p, double viewWidth, double viewHeight) {
  const auto snap = snapshot();
  if (p < 0 || static_cast<std::size_t>(p) >= snap->catalogue.ProductTable.size()) return;
  const Product& product = snap->catalogue.ProductTable[static_cast<std::size_t>(p)];
  const Point at = transform_.toScreen({product.X, product.Y});
  transform_.panBy(viewWidth / 2 - at.x, viewHeight / 2 - at.y);
}

bool ViewController::isPlain() const {
  return transform_.isIdentity() && !style_.selected && style_.colourBy == ColourBy::Drawing &&
         style_.sizeBy == SizeBy::Fixed && style_.shown.empty() && style_.showSimilarityLines &&
         style_.showKeyWordLines && style_.showLabels;
}

std::optional<std::int32_t> ViewController::productAt(Point screen) {
  const Point graph = transform_.toGraph(screen);
  return snapshot()->grid.HitTest(graph.x, graph.y, HitRadius(transform_.scale));
}

void ViewController::select(std::optional<std::int32_t> p) {
  const auto snap = snapshot();
  if (p && (*p < 0 || static_cast<std::size_t>(*p) >= snap->catalogue.ProductTable.size()))
    p.reset();
  style_.selected = p;
  style_.highlighted = p ? LinkedProducts(snap->catalogue, *p) : std::vector<bool>{};
  if (aroundSelection_) applyFilter();
}

std::size_t ViewController::find(std::string_view query) {
  if (!finder_) finder_.emplace(source_);
  matches_ = finder_->Find(query);
  cursor_ = -1;
  return matches_.size();
}

std::optional<std::int32_t> ViewController::step(bool backwards) {
  if (matches_.empty()) return std::nullopt;
  const int count = static_cast<int>(matches_.size());
  if (cursor_ < 0) {
    cursor_ = backwards ? count - 1 : 0;
  } else {
    cursor_ = (cursor_ + (backwards ? count - 1 : 1)) % count;
  }
  const std::int32_t p = matches_[static_cast<std::size_t>(cursor_)];
  select(p);
  return p;
}

}  // namespace quillon::grapher
