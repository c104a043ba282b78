#include "grapher/view/keyword_view.h"

#include <cmath>
#include <functional>

#include "grapher/render/render_graph.h"

namespace quillon::grapher {
namespace {

float Weight(const KeyWord& from, std::size_t to) {
  return to < from.Relation.size() ? from.Relation[to] : 0.0f;
}

// Calls visit(k, m) once for every pair k < m of placed keywords related either way.
void ForEachRelation(const std::vector<KeyWord>& keyWords,
                     const std::function<void(std::size_t, std::size_t)>& visit) {
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    if (!keyWords[k].Placed) continue;
    for (std::size_t m = k + 1; m < keyWords.size(); ++m) {
      if (keyWords[m].Placed && (Weight(keyWords[k], m) > 0 || Weight(keyWords[m], k) > 0))
        visit(k, m);
    }
  }
}

// Distance from p to the segment a-b.
double SegmentDistance(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double u = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  u = std::fmax(0, std::fmin(1, u));
  return std::hypot(p.x - (a.x + u * dx), p.y - (a.y + u * dy));
}

}  // namespace

Bounds KeyWordGraphBounds(const Catalogue& catalogue, const Surface& measuring) {
  Bounds bounds;
  for (const KeyWord& key : catalogue.KeyWordTable) {
    if (!key.Placed) continue;
    const double w = measuring.textWidth(key.Text);
    const double h = measuring.textHeight(key.Text);
    bounds.includeWithPixels(key.X, key.Y, w / 2 + 1, h / 2 + 1, w / 2, h / 2);
  }
  return bounds;
}

bool RenderKeyWordView(const Catalogue& catalogue, const ViewTransform& t, Surface& surface,
                       const std::atomic<bool>* cancel) {
  const auto& keyWords = catalogue.KeyWordTable;
  const auto cancelled = [cancel] {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
  };
  const auto screen = [&](std::size_t k) { return t.toScreen({keyWords[k].X, keyWords[k].Y}); };
  surface.clear();
  // At 1:1 the command's own picture, which has labels only.
  if (!t.isIdentity())
    ForEachRelation(keyWords, [&](std::size_t k, std::size_t m) {
      const Point a = screen(k), b = screen(m);
      surface.coloredLine(static_cast<float>(a.x), static_cast<float>(a.y), static_cast<float>(b.x),
                          static_cast<float>(b.y), kKeyWordRelationColour);
    });
  if (cancelled()) return false;
  surface.setForeColor(kBlack);
  for (std::size_t k = 0; k < keyWords.size(); ++k) {
    if (!keyWords[k].Placed) continue;
    const Point at = screen(k);
    DrawKeyWordLabel(surface, keyWords[k].Text, static_cast<float>(at.x), static_cast<float>(at.y));
  }
  surface.present();
  return true;
}

std::optional<RelationHit> RelationAt(const Catalogue& catalogue, const ViewTransform& t,
                                      Point screen, double radiusPx) {
  const auto& keyWords = catalogue.KeyWordTable;
  std::optional<RelationHit> best;
  double bestDistance = radiusPx;
  ForEachRelation(keyWords, [&](std::size_t k, std::size_t m) {
    const double d = SegmentDistance(screen, t.toScreen({keyWords[k].X, keyWords[k].Y}),
                                     t.toScreen({keyWords[m].X, keyWords[m].Y}));
    if (d > bestDistance || (best && d == bestDistance)) return;
    bestDistance = d;
    best = RelationHit{static_cast<std::int32_t>(k), static_cast<std::int32_t>(m),
                       Weight(keyWords[k], m), Weight(keyWords[m], k)};
  });
  return best;
}

}  // namespace quillon::grapher
