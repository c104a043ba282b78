#include "grapher/layout/force_layout.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <thread>

#include "grapher/layout/layout_graph.h"

namespace quillon::grapher {
namespace {

constexpr std::int32_t kCoarsest = 40;  // stop coarsening at this many nodes
constexpr double kShrinkAtLeast = 0.9;  // a level must shrink the graph by a tenth
constexpr double kTheta = 1.2;          // Barnes-Hut opening: far cells act as one mass
constexpr double kCooling = 0.9;
constexpr int kCoarsestSteps = 300;
constexpr int kLevelSteps = 20;
constexpr int kFinestSteps = 20;
constexpr double kFirstStep = 0.3;  // of a level's median link length

// Runs body(begin, end) over [0, count) on the given number of threads; every
// item is computed on its own, so the result does not depend on the split.
template <class Body>
void ParallelFor(std::size_t count, unsigned threads, const Body& body) {
  const std::size_t parts = std::min<std::size_t>(std::max(1u, threads), count / 2048 + 1);
  if (parts <= 1) {
    body(std::size_t{0}, count);
    return;
  }
  std::vector<std::thread> workers;
  workers.reserve(parts - 1);
  const std::size_t chunk = (count + parts - 1) / parts;
  for (std::size_t part = 1; part < parts; ++part) {
    const std::size_t begin = std::min(count, part * chunk);
    const std::size_t end = std::min(count, begin + chunk);
    workers.emplace_back([&body, begin, end] { body(begin, end); });
  }
  body(std::size_t{0}, std::min(count, chunk));
  for (std::thread& worker : workers) worker.join();
}

double UnitDraw(std::mt19937& engine) {
  return static_cast<double>(engine() >> 8) * (1.0 / 16777216.0);
}

double MedianEdgeLength(const LayoutGraph& graph, const std::vector<LayoutPoint>& points) {
  std::vector<double> lengths;
  lengths.reserve(graph.targets.size() / 2);
  for (std::size_t v = 0; v < points.size(); ++v) {
    for (std::int32_t e = graph.offsets[v]; e < graph.offsets[v + 1]; ++e) {
      const auto u = static_cast<std::size_t>(graph.targets[static_cast<std::size_t>(e)]);
      if (u > v)
        lengths.push_back(std::hypot(points[u].x - points[v].x, points[u].y - points[v].y));
    }
  }
  if (lengths.empty()) return 0;
  const auto middle = lengths.begin() + static_cast<std::ptrdiff_t>(lengths.size() / 2);
  std::nth_element(lengths.begin(), middle, lengths.end());
  return *middle;
}

class Relaxation {
 public:
  Relaxation(unsigned threads, const LayoutProgress& progress, int total)
      : threads_(threads), progress_(progress), total_(total) {}

  // Moves every node a step along its force, the step growing while the
  // energy keeps falling and shrinking when it does not (adaptive cooling).
  void run(const LayoutGraph& graph, std::vector<LayoutPoint>& points, int steps, double step) {
    const auto n = points.size();
    std::vector<LayoutPoint> forces(n);
    double lastEnergy = std::numeric_limits<double>::infinity();
    int gains = 0;
    for (int s = 0; s < steps; ++s) {
      const BarnesHutTree tree(points, graph.masses);
      ParallelFor(n, threads_, [&](std::size_t begin, std::size_t end) {
        for (std::size_t v = begin; v < end; ++v) forces[v] = force(graph, points, tree, v);
      });
      double energy = 0;
      for (std::size_t v = 0; v < n; ++v) {
        const double length = std::hypot(forces[v].x, forces[v].y);
        energy += length * length;
        if (length <= 0 || !std::isfinite(length)) continue;
        points[v].x += step * forces[v].x / length;
        points[v].y += step * forces[v].y / length;
      }
      if (energy < lastEnergy) {
        if (++gains >= 5) {
          gains = 0;
          step /= kCooling;
        }
      } else {
        gains = 0;
        step *= kCooling;
      }
      lastEnergy = energy;
      if (progress_) progress_(++done_, total_);
    }
  }

 private:
  static LayoutPoint force(const LayoutGraph& graph, const std::vector<LayoutPoint>& points,
                           const BarnesHutTree& tree, std::size_t v) {
    LayoutPoint f = tree.repulsion(v, kTheta);
    const LayoutPoint& p = points[v];
    // Links pull with the logarithm of their length (times their weight): with
    // repulsion by degree this gathers densely linked groups apart from each
    // other, where pulls that grow faster blend them into one disc.
    for (std::int32_t e = graph.offsets[v]; e < graph.offsets[v + 1]; ++e) {
      const LayoutPoint& q =
          points[static_cast<std::size_t>(graph.targets[static_cast<std::size_t>(e)])];
      const double weight = graph.weights[static_cast<std::size_t>(e)];
      const double dx = q.x - p.x, dy = q.y - p.y;
      const double d = std::sqrt(dx * dx + dy * dy);
      const double pull = d > 0 ? weight * std::log(1 + d) / d : 0;
      f.x += pull * dx;
      f.y += pull * dy;
    }
    return f;
  }

  unsigned threads_;
  const LayoutProgress& progress_;
  int total_;
  int done_ = 0;
};

}  // namespace

std::vector<LayoutPoint> ForceLayout(const std::vector<Product>& products,
                                     const ForceLayoutOptions& options,
                                     const LayoutProgress& progress) {
  const std::size_t n = products.size();
  // Nothing to balance: none, one product in the middle, two side by side.
  if (n == 0) return {};
  if (n == 1) return {LayoutPoint{}};
  if (n == 2)
    return {LayoutPoint{-options.edgeLength / 2, 0}, LayoutPoint{options.edgeLength / 2, 0}};

  std::mt19937 engine(options.seed);
  std::vector<LayoutGraph> levels;
  std::vector<std::vector<std::int32_t>> coarseOf;
  levels.push_back(BuildLayoutGraph(products));
  while (levels.back().size() > kCoarsest) {
    Coarsening next = Coarsen(levels.back(), engine);
    if (next.graph.size() > kShrinkAtLeast * levels.back().size()) break;
    coarseOf.push_back(std::move(next.coarseOf));
    levels.push_back(std::move(next.graph));
  }
  const unsigned threads =
      options.threads > 0 ? options.threads : std::max(1u, std::thread::hardware_concurrency());
  const auto stepsOf = [&](std::size_t level) {
    return level + 1 == levels.size() ? kCoarsestSteps : level == 0 ? kFinestSteps : kLevelSteps;
  };
  int total = 0;
  for (std::size_t level = 0; level < levels.size(); ++level) total += stepsOf(level);
  Relaxation relaxation(threads, progress, total);

  // The coarsest level starts at random in a square that holds its mass.
  const LayoutGraph& coarsest = levels.back();
  double mass = 0;
  for (const float m : coarsest.masses) mass += m;
  const double side = std::sqrt(mass);
  std::vector<LayoutPoint> points(static_cast<std::size_t>(coarsest.size()));
  for (LayoutPoint& p : points) p = {side * UnitDraw(engine), side * UnitDraw(engine)};
  relaxation.run(coarsest, points, stepsOf(levels.size() - 1), side / 10);

  for (std::size_t level = levels.size() - 1; level-- > 0;) {
    // Each node starts where its coarse node ended, a little apart from its partner.
    const auto& parents = coarseOf[level];
    const double jitter = 0.1 * MedianEdgeLength(levels[level + 1], points) + 1e-6;
    std::vector<LayoutPoint> finer(parents.size());
    for (std::size_t v = 0; v < finer.size(); ++v) {
      const LayoutPoint& at = points[static_cast<std::size_t>(parents[v])];
      finer[v] = {at.x + jitter * (UnitDraw(engine) - 0.5),
                  at.y + jitter * (UnitDraw(engine) - 0.5)};
    }
    points = std::move(finer);
    relaxation.run(levels[level], points, stepsOf(level),
                   kFirstStep * MedianEdgeLength(levels[level], points) + 1e-9);
  }

  const double median = MedianEdgeLength(levels.front(), points);
  const double scale = median > 0 ? options.edgeLength / median : options.edgeLength;
  double centreX = 0, centreY = 0;
  for (const LayoutPoint& p : points) {
    centreX += p.x / static_cast<double>(n);
    centreY += p.y / static_cast<double>(n);
  }
  for (LayoutPoint& p : points) p = {(p.x - centreX) * scale, (p.y - centreY) * scale};
  return points;
}

}  // namespace quillon::grapher
