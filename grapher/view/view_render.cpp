#include "grapher/view/view_render.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "grapher/render/render_graph.h"
#include "grapher/view/view_legend.h"

namespace quillon::grapher {
namespace {

// Shapes gathered by colour and drawn together at the end of a pass: a view
// that is not the drawing's own picture need not keep its stacking, and one
// call per colour is what makes a large catalogue fast to draw.
class Batches {
 public:
  void line(Rgb colour, LineSegment l) { lines(colour).push_back(l); }
  void marker(Rgb colour, float radius, Centre at) {
    for (auto& m : markers_)
      if (m.colour == colour && m.radius == radius) return m.centres.push_back(at);
    markers_.push_back({colour, radius, {at}});
  }
  // Another pass's shapes after this one's: the same batches, in the same
  // order, as one pass over both would gather.
  void append(Batches&& later) {
    for (auto& [colour, list] : later.lines_) {
      std::vector<LineSegment>& mine = lines(colour);
      mine.insert(mine.end(), list.begin(), list.end());
    }
    for (auto& m : later.markers_)
      for (const Centre& at : m.centres) marker(m.colour, m.radius, at);
  }
  // Lines first, markers over them.
  void flush(Surface& surface) {
    for (auto& [colour, list] : lines_) surface.coloredLines(list, colour);
    for (const auto& m : markers_) surface.circles(m.centres, m.radius, m.colour);
    lines_.clear();
    markers_.clear();
  }

 private:
  std::vector<LineSegment>& lines(Rgb colour) {
    for (auto& [c, list] : lines_)
      if (c == colour) return list;
    return lines_.emplace_back(colour, std::vector<LineSegment>{}).second;
  }
  struct Markers {
    Rgb colour;
    float radius;
    std::vector<Centre> centres;
  };
  std::vector<std::pair<Rgb, std::vector<LineSegment>>> lines_;
  std::vector<Markers> markers_;
};

// Bit flags of where a point lies outside the view (for culling lines).
int OutCode(float x, float y, float w, float h) {
  return (x < -1 ? 1 : 0) | (x > w + 1 ? 2 : 0) | (y < -1 ? 4 : 0) | (y > h + 1 ? 8 : 0);
}

// Per pixel of the view: the last marker colour or keyword line drawn there.
using Stamps = std::vector<std::uint32_t>;

class ViewRenderer {
 public:
  ViewRenderer(const Catalogue& catalogue, const KeyWordMembership& members, const ViewTransform& t,
               const ViewStyle& style, Surface& surface, const std::atomic<bool>* cancel)
      : catalogue_(catalogue),
        products_(catalogue.ProductTable),
        keyWords_(catalogue.KeyWordTable),
        members_(members),
        t_(t),
        style_(style),
        surface_(surface),
        cancel_(cancel),
        width_(surface.width()),
        height_(surface.height()),
        // The drawing procedures' own picture is reproduced call for call:
        // nothing is culled or simplified (an SVG keeps what lies outside too).
        exact_(t.isIdentity()),
        plain_(style.colourBy == ColourBy::Drawing && !style.selected &&
               style.highlighted.empty() && style.shown.empty() && style.sizeBy == SizeBy::Fixed),
        selecting_(style.selected.has_value() || !style.highlighted.empty()),
        drawTitles_((style.drawProductName && t.scale >= 1) || t.scale >= kReadableTitleScale),
        sizes_(style.sizeBy, catalogue, style.measures.get()) {
    if (!exact_) {
      pixelsWide_ = std::lround(std::max(0.0f, width_));
      pixelsHigh_ = std::lround(std::max(0.0f, height_));
      stamps_.assign(static_cast<std::size_t>(pixelsWide_ * pixelsHigh_), 0);
    }
    screenX_.reserve(products_.size());
    screenY_.reserve(products_.size());
    for (const Product& p : products_) {
      const Point s = t_.toScreen({p.X, p.Y});
      screenX_.push_back(static_cast<float>(s.x));
      screenY_.push_back(static_cast<float>(s.y));
    }
  }

  bool run() {
    surface_.clear();
    const float opacity = lineOpacity();
    if (opacity < 1) surface_.setLineOpacity(opacity);
    const bool drawn = drawProducts() && (!style_.showKeyWordLines || drawKeyWordLines());
    if (opacity < 1) surface_.setLineOpacity(1);
    if (!drawn || (style_.showLabels && !drawKeyWordLabels())) return false;
    if (selecting_) drawSelection();
    const bool measured =
        style_.colourBy == ColourBy::Community || style_.colourBy == ColourBy::Component;
    DrawLegend(measured ? GroupLegend(style_.colourBy, style_.measures.get(), style_.translate)
                        : LegendFor(style_.colourBy, catalogue_, style_.translate),
               surface_);
    DrawSizeLegend(sizes_, surface_, style_.translate);
    surface_.present();
    return true;
  }

 private:
  // One line per 400 pixels reads well; beyond that lines take part of their ink.
  float lineOpacity() const {
    if (exact_ || !style_.shadeDenseLines) return 1;
    double lines = 0;
    for (std::size_t i = 0; i < products_.size(); ++i) {
      if (pointVisible(screenX_[i], screenY_[i], 0))
        lines +=
            style_.showSimilarityLines ? static_cast<double>(products_[i].SimilarIndex.size()) : 0;
    }
    const double comfortable = std::max(1.0, static_cast<double>(width_) * height_ / 400);
    return lines <= comfortable
               ? 1
               : static_cast<float>(std::max(0.12, std::sqrt(comfortable / lines)));
  }
  bool cancelled() const { return cancel_ != nullptr && cancel_->load(std::memory_order_relaxed); }
  bool strong(std::size_t i) const {
    return (style_.selected && static_cast<std::size_t>(*style_.selected) == i) ||
           (i < style_.highlighted.size() && style_.highlighted[i]);
  }
  bool filteredOut(std::size_t i) const { return i < style_.shown.size() && !style_.shown[i]; }
  bool hidden(std::size_t i) const { return style_.hideFiltered && filteredOut(i); }
  bool faded(std::size_t i) const { return (selecting_ && !strong(i)) || filteredOut(i); }
  Rgb markerColour(std::size_t i) const {
    return MeasuredColour(style_.colourBy, products_[i], i, style_.measures.get());
  }

  bool pointVisible(float x, float y, float reach) const {
    return exact_ ||
           (x + reach >= 0 && x - reach <= width_ && y + reach >= 0 && y - reach <= height_);
  }
  // Lines entirely on one side of the view, and lines shorter than a pixel, are left out.
  bool lineVisible(float x1, float y1, float x2, float y2) const {
    if (exact_) return true;
    if ((OutCode(x1, y1, width_, height_) & OutCode(x2, y2, width_, height_)) != 0) return false;
    const float dx = x2 - x1, dy = y2 - y1;
    return dx * dx + dy * dy >= 1;
  }
  // In plain mode lines take the foreground colour, which `colour` then names.
  void drawLine(float x1, float y1, float x2, float y2, Rgb colour, Batches& batches) {
    if (!lineVisible(x1, y1, x2, y2)) return;
    if (!exact_)
      batches.line(colour, {x1, y1, x2, y2});
    else if (plain_)
      surface_.line(x1, y1, x2, y2);
    else
      surface_.coloredLine(x1, y1, x2, y2, colour);
  }
  void drawMarker(float x, float y, Rgb colour, float radius, Batches& batches, Stamps& stamps) {
    // Markers of one size and colour on one pixel look the same: one is enough.
    if (!exact_ && style_.sizeBy == SizeBy::Fixed && !firstAtPixel(x, y, Packed(colour), stamps))
      return;
    // On whole pixels so that a surface can copy one drawn marker (half a pixel off at most).
    // Radii in quarter pixels, so that sizes by measure make few batches.
    if (!exact_)
      batches.marker(colour, std::round(radius * 4) / 4, {std::round(x), std::round(y)});
    else
      surface_.circle(x, y, radius, colour);
  }
  static std::uint32_t Packed(Rgb c) {
    return (std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b) + 1;
  }
  // Whether (x, y) rounds to a pixel of the view not yet stamped with `stamp`;
  // stamps it. Positions outside the view always count as new.
  bool firstAtPixel(float x, float y, std::uint32_t stamp, Stamps& stamps) const {
    const long px = std::lround(x), py = std::lround(y);
    if (px < 0 || py < 0 || px >= pixelsWide_ || py >= pixelsHigh_) return true;
    std::uint32_t& seen = stamps[static_cast<std::size_t>(py * pixelsWide_ + px)];
    if (seen == stamp) return false;
    seen = stamp;
    return true;
  }
  void useForeColor(Rgb colour) {
    if (fore_ && *fore_ == colour) return;
    surface_.setForeColor(colour);
    fore_ = colour;
  }

  bool drawProducts() {
    if (exact_ || drawTitles_) {
      for (std::size_t i = 0; i < products_.size(); ++i) {
        if (cancelled()) return false;
        drawProduct(i, batches_, stamps_);
        if (exact_) surface_.present();
      }
    } else if (!gatherProducts()) {
      return false;
    }
    if (!exact_) {
      batches_.flush(surface_);
      surface_.present();
    }
    return true;
  }

  // A view without titles touches no surface until its batches are drawn.
  // Many products: the second half on a second thread, into its own batches
  // and stamps. A marker it does not know the first half drew is a copy of
  // one in the same batch, so the picture is the same.
  bool gatherProducts() {
    const auto gather = [this](std::size_t begin, std::size_t end, Batches& batches,
                               Stamps& stamps) {
      for (std::size_t i = begin; i < end; ++i) {
        if (cancelled()) return false;
        // Each product's links lie elsewhere on the heap: asked for a few
        // products ahead, they are in the cache when their turn comes.
        if (i + kLinksAhead < end)
          __builtin_prefetch(products_[i + kLinksAhead].SimilarIndex.data());
        drawProduct(i, batches, stamps);
      }
      return true;
    };
    const std::size_t all = products_.size(), half = all / 2;
    if (all < kProductsForTwoThreads || std::thread::hardware_concurrency() < 2)
      return gather(0, all, batches_, stamps_);
    Batches later;
    Stamps laterStamps(stamps_.size(), 0);
    bool laterGathered = true, gathered = true;
    {
      std::jthread second([&] { laterGathered = gather(half, all, later, laterStamps); });
      gathered = gather(0, half, batches_, stamps_);
    }
    batches_.append(std::move(later));
    return gathered && laterGathered;
  }

  // Product i's title, marker and links.
  void drawProduct(std::size_t i, Batches& batches, Stamps& stamps) {
    if (hidden(i)) return;
    const float reach = std::max(kSelectedRingRadius, kLargestMarkerRadius);
    const Product& p = products_[i];
    const float x = screenX_[i], y = screenY_[i];
    const bool shown = pointVisible(x, y, reach);
    if (drawTitles_ && shown) {
      if (!plain_) useForeColor(faded(i) ? Faded(kBlack) : kBlack);
      surface_.setCurrentPosition(x, y);
      surface_.print(p.Title);
    }
    if (shown) {
      const Rgb colour = markerColour(i);
      drawMarker(x, y, faded(i) ? Faded(colour) : colour, sizes_.radius(i), batches, stamps);
    }
    for (const std::int32_t s : p.SimilarIndex) {
      if (!style_.showSimilarityLines) break;
      const auto j = static_cast<std::size_t>(s);
      if (hidden(j)) continue;
      // Plain: the foreground colour as the drawing leaves it (black).
      drawLine(x, y, screenX_[j], screenY_[j], faded(i) || faded(j) ? Faded(kBlack) : kBlack,
               batches);
    }
  }

  bool drawKeyWordLines() {
    surface_.setForeColor(kKeyWordLineColor);
    fore_ = kKeyWordLineColor;
    for (std::size_t k = 0; k < keyWords_.size(); ++k) {
      if (cancelled()) return false;
      const KeyWord& key = keyWords_[k];
      if (key.HasProduct) {
        const Point anchor = t_.toScreen({key.X, key.Y});
        const auto kx = static_cast<float>(anchor.x), ky = static_cast<float>(anchor.y);
        const Rgb colour = style_.colourBy == ColourBy::KeyWord
                               ? KeyWordColour(static_cast<std::int32_t>(k))
                               : kKeyWordLineColor;
        for (const std::int32_t p : members_.productsOf(k)) {
          const auto j = static_cast<std::size_t>(p);
          if (hidden(j)) continue;
          // One line from a label to each pixel is enough when many products share it.
          if (!exact_ && !firstAtPixel(screenX_[j], screenY_[j], kKeyWordStamp + k, stamps_))
            continue;
          drawLine(kx, ky, screenX_[j], screenY_[j], faded(j) ? Faded(colour) : colour, batches_);
        }
      }
      if (exact_) surface_.present();
    }
    if (!exact_) {
      batches_.flush(surface_);
      surface_.present();
    }
    return true;
  }

  bool drawKeyWordLabels() {
    surface_.setForeColor(kBlack);
    fore_ = kBlack;
    for (std::size_t k = 0; k < keyWords_.size(); ++k) {
      if (cancelled()) return false;
      const KeyWord& key = keyWords_[k];
      if (key.HasProduct) {
        const Point anchor = t_.toScreen({key.X, key.Y});
        const auto kx = static_cast<float>(anchor.x), ky = static_cast<float>(anchor.y);
        const float reach =
            exact_ ? 0
                   : std::max(surface_.textWidth(key.Text), surface_.textHeight(key.Text)) / 2 + 1;
        if (pointVisible(kx, ky, reach)) {
          // Coloured label texts double as the keyword legend on the drawing itself.
          if (style_.colourBy == ColourBy::KeyWord)
            useForeColor(KeyWordColour(static_cast<std::int32_t>(k)));
          DrawKeyWordLabel(surface_, key.Text, kx, ky);
        }
      }
      surface_.present();
    }
    useForeColor(kBlack);
    return true;
  }

  // The selected product and what it highlights, drawn again on top of the faded rest.
  void drawSelection() {
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < products_.size(); ++i)
      if (strong(i)) chosen.push_back(i);
    for (const std::size_t i : chosen) {
      for (const std::int32_t s : products_[i].SimilarIndex) {
        const auto j = static_cast<std::size_t>(s);
        if (strong(j) && lineVisible(screenX_[i], screenY_[i], screenX_[j], screenY_[j]))
          surface_.coloredLine(screenX_[i], screenY_[i], screenX_[j], screenY_[j],
                               kSelectionColour);
      }
    }
    for (const std::size_t i : chosen) {
      const float x = screenX_[i], y = screenY_[i];
      if (!pointVisible(x, y, kSelectedRingRadius)) continue;
      const bool isSelected = style_.selected && static_cast<std::size_t>(*style_.selected) == i;
      surface_.circle(x, y, sizes_.radius(i), markerColour(i));
      surface_.circle(x, y, isSelected ? kSelectedRingRadius : kHighlightRingRadius,
                      kSelectionColour);
      if (isSelected) {
        useForeColor(kBlack);
        surface_.setCurrentPosition(x + kSelectedRingRadius, y + kSelectedRingRadius);
        surface_.print(products_[i].Title);
      }
    }
  }

  const Catalogue& catalogue_;
  const std::vector<Product>& products_;
  const std::vector<KeyWord>& keyWords_;
  const KeyWordMembership& members_;
  const ViewTransform& t_;
  const ViewStyle& style_;
  Surface& surface_;
  const std::atomic<bool>* cancel_;
  float width_;
  float height_;
  bool exact_;
  bool plain_;
  bool selecting_;
  bool drawTitles_;
  MarkerSizes sizes_;
  Batches batches_;          // used when the view is not the drawing's own picture
  std::optional<Rgb> fore_;  // the foreground colour set here, once set
  std::vector<float> screenX_;
  std::vector<float> screenY_;
  long pixelsWide_ = 0;
  long pixelsHigh_ = 0;
  Stamps stamps_;
  static constexpr std::size_t kLinksAhead = 8;
  static constexpr std::size_t kProductsForTwoThreads = 20000;
  static constexpr std::uint32_t kKeyWordStamp = 1u << 24 | 1u;  // beyond any packed colour
};

}  // namespace

bool RenderView(const Catalogue& catalogue, const KeyWordMembership& members,
                const ViewTransform& t, const ViewStyle& style, Surface& surface,
                const std::atomic<bool>* cancel) {
  return ViewRenderer(catalogue, members, t, style, surface, cancel).run();
}

}  // namespace quillon::grapher
