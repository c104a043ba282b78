// What the window's view shows and where: the transform, the selection, the
// colours and the find results, over a const snapshot of the catalogue that
// the render thread and the hit test read while a drawing moves the products.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "common/ui/translation.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/catalogue/keyword_membership.h"
#include "grapher/render/surface.h"
#include "grapher/view/product_filter.h"
#include "grapher/view/product_finder.h"
#include "grapher/view/product_grid.h"
#include "grapher/view/view_render.h"
#include "grapher/view/view_transform.h"

namespace quillon::grapher {

// The catalogue as it was at one moment, with what is derived from positions.
struct ViewSnapshot {
  ViewSnapshot(const Catalogue& source, std::shared_ptr<const KeyWordMembership> membership)
      : catalogue(source), members(std::move(membership)), grid(catalogue.ProductTable) {}
  const Catalogue catalogue;
  // Titles change only with a load, so snapshots share it while products move.
  const std::shared_ptr<const KeyWordMembership> members;
  const ProductGrid grid;
};

class ViewController {
 public:
  // source must outlive the controller; it is read only when a snapshot is taken.
  explicit ViewController(const Catalogue& source) : source_(source) {
    style_.translate = [](std::string_view text) { return UiText(text).toStdString(); };
  }

  // Positions moved (a drawing runs): the next snapshot copies them again.
  void positionsMoved() { ++generation_; }
  // A load replaced the tables: selection and find results no longer apply.
  void catalogueReplaced();
  // The snapshot of the current generation, taken now if it is out of date.
  std::shared_ptr<const ViewSnapshot> snapshot();

  const ViewTransform& transform() const { return transform_; }
  void setTransform(const ViewTransform& t) { transform_ = t; }
  void zoomAbout(Point screen, double factor) { transform_.zoomAbout(screen, factor); }
  void panBy(double dx, double dy) { transform_.panBy(dx, dy); }
  // Every product and keyword label in a view of this size, text measured on measuring.
  void fit(double viewWidth, double viewHeight, const Surface& measuring);
  // Every placed keyword label of the keyword relation graph in a view of this size.
  void fitKeyWordGraph(double viewWidth, double viewHeight, const Surface& measuring);
  // Puts product p in the middle of a view of this size, at the current scale.
  void centreOn(std::int32_t p, double viewWidth, double viewHeight);
  // The drawing procedures' own picture: the identity with the default style.
  bool isPlain() const;

  // The product under a point of the view, if any.
  std::optional<std::int32_t> productAt(Point screen);

  void select(std::optional<std::int32_t> p);
  std::optional<std::int32_t> selected() const { return style_.selected; }
  void setColourBy(ColourBy mode) { style_.colourBy = mode; }
  ColourBy colourBy() const { return style_.colourBy; }
  void setDrawProductName(bool on) { style_.drawProductName = on; }
  // Shows or hides a part of the picture: one of ViewStyle's show flags.
  void setShown(bool ViewStyle::*part, bool on) { style_.*part = on; }
  // The load's measures, null until they are computed.
  void setMeasures(std::shared_ptr<const analysis::GraphMeasures> measures);
  const analysis::GraphMeasures* measures() const { return style_.measures.get(); }
  void setSizeBy(SizeBy mode) { style_.sizeBy = mode; }
  SizeBy sizeBy() const { return style_.sizeBy; }
  // What is shown; with aroundSelection the filter's neighbourhood follows the
  // selected product (and is left out while nothing is selected).
  void setFilter(const ProductFilter& filter, bool aroundSelection);
  const ProductFilter& filter() const { return filter_; }
  // Products the filter lets through (all without one).
  std::size_t shownCount() const { return shownCount_; }
  const ViewStyle& style() const { return style_; }

  // Finds the query and returns the number of matches; the cursor starts over.
  std::size_t find(std::string_view query);
  // The next (or previous) match, wrapping around, selected; none without matches.
  std::optional<std::int32_t> step(bool backwards);
  std::size_t matchCount() const { return matches_.size(); }
  // The match last stepped to, or -1.
  int matchCursor() const { return cursor_; }

 private:
  const Catalogue& source_;
  std::uint64_t generation_ = 1;
  std::uint64_t snapshotGeneration_ = 0;
  std::shared_ptr<const ViewSnapshot> snapshot_;
  std::shared_ptr<const KeyWordMembership> members_;
  std::optional<ProductFinder> finder_;  // folded on the first find after a load
  ViewTransform transform_;
  ViewStyle style_;
  std::vector<std::int32_t> matches_;
  int cursor_ = -1;
  ProductFilter filter_;
  bool aroundSelection_ = false;
  std::size_t shownCount_ = 0;
  void applyFilter();
};

}  // namespace quillon::grapher
