#include "service/grouped_catalogue.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "service/title_words.h"

namespace quillon::service {
namespace {

constexpr double kBridgeShare = 0.07;   // links to another group
constexpr double kUnknownShare = 0.01;  // links to products no catalogue holds
constexpr double kPlainShare = 0.05;    // titles without the subject's keyword

// A standard normal draw by Box-Muller, so the catalogue does not depend on the
// standard library's distributions.
double normalDraw(std::mt19937_64& engine) {
  const double u = 1.0 - unitDraw(engine);  // in (0, 1]
  const double v = unitDraw(engine);
  return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * 3.141592653589793 * v);
}

struct Subject {
  std::size_t topic = 0;    // which keyword the titles carry
  std::string_view first;   // two words that set the group apart from others
  std::string_view second;  // on the same topic
};

// Group sizes vary about a typical size that grows with the catalogue
// (log-normal weights), each group holding at least three products.
std::vector<int> groupSizes(std::mt19937_64& engine, int count) {
  const double typical = std::clamp(1.5 * std::sqrt(static_cast<double>(count)), 6.0, 500.0);
  const int groups = std::max(1, static_cast<int>(std::lround(count / typical)));
  std::vector<double> weights(static_cast<std::size_t>(groups));
  for (double& weight : weights) weight = std::exp(0.8 * normalDraw(engine));
  const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
  const int floor = std::min(3, count / groups);
  const int spare = count - floor * groups;
  std::vector<int> sizes(weights.size());
  int given = 0;
  for (std::size_t g = 0; g < sizes.size(); ++g) {
    sizes[g] = floor + static_cast<int>(spare * weights[g] / total);
    given += sizes[g];
  }
  for (std::size_t g = 0; given < count; g = (g + 1) % sizes.size(), ++given) ++sizes[g];
  return sizes;
}

std::string groupedTitle(std::mt19937_64& engine, const Subject& subject, bool plain,
                         std::size_t index) {
  // Appended piece by piece: GCC's -O3 flags `" " + std::string(...)` with -Wrestrict.
  std::string title(subject.first);
  title.append(" ").append(subject.second);
  if (unitDraw(engine) < 0.5) title.append(" ").append(kWords[pick(engine, kWords.size())]);
  if (plain) {
    title.append(" ").append(kPlainWords[pick(engine, kPlainWords.size())]);
  } else {
    const auto& spellings = kTopics[subject.topic].spellings;
    const std::string spelling(spellings[pick(engine, spellings.size())]);
    title = unitDraw(engine) < 0.5 ? spelling + " " + title : title + " " + spelling;
  }
  return title + " " + std::to_string(index + 1);
}

// Picks an earlier product with a chance that grows with how often it is
// already listed (preferential attachment): a listing drawn from all listings
// so far, or now and then any member, so that new products get listed too.
class AttachmentPool {
 public:
  void join(std::size_t product) { members_.push_back(product); }
  void listed(std::size_t product) { listings_.push_back(product); }
  bool empty() const { return members_.empty(); }
  std::size_t anyMember(std::mt19937_64& engine) const {
    return members_[pick(engine, members_.size())];
  }
  std::size_t draw(std::mt19937_64& engine) const {
    if (listings_.empty() || unitDraw(engine) < kAnyMemberShare) return anyMember(engine);
    return listings_[pick(engine, listings_.size())];
  }

 private:
  static constexpr double kAnyMemberShare = 0.25;
  std::vector<std::size_t> members_;
  std::vector<std::size_t> listings_;
};

// Ranks follow popularity with noise: ordered by a noisy log of the listing
// count, best first, spaced a little apart.
void rankByPopularity(std::mt19937_64& engine, const std::vector<int>& listed,
                      std::vector<CatalogueProduct>& products) {
  std::vector<std::pair<double, std::size_t>> order(products.size());
  for (std::size_t i = 0; i < products.size(); ++i)
    order[i] = {-(std::log1p(listed[i]) + 0.7 * normalDraw(engine)), i};
  std::sort(order.begin(), order.end());
  std::int64_t rank = 0;
  for (const auto& [score, i] : order) {
    rank += 1 + static_cast<std::int64_t>(pick(engine, 5));
    products[i].salesRank = rank;
  }
}

}  // namespace

GeneratedCatalogue GenerateGroupedCatalogue(int count, std::uint64_t seed) {
  GeneratedCatalogue generated;
  for (const auto& topic : kTopics) generated.keywords.emplace_back(topic.spellings[0]);
  if (count <= 0) return generated;
  std::mt19937_64 engine(seed);
  const auto total = static_cast<std::size_t>(count);

  const std::vector<int> sizes = groupSizes(engine, count);
  std::vector<Subject> subjects(sizes.size());
  for (auto& subject : subjects) {
    subject.topic = pick(engine, kTopics.size());
    subject.first = kWords[pick(engine, kWords.size())];
    subject.second = kWords[pick(engine, kWords.size())];
  }
  // Members of a group are spread over the catalogue's order, not in a block.
  std::vector<std::size_t> groupOf;
  groupOf.reserve(total);
  for (std::size_t g = 0; g < sizes.size(); ++g) groupOf.insert(groupOf.end(), sizes[g], g);
  for (std::size_t k = total; k > 1; --k) std::swap(groupOf[k - 1], groupOf[pick(engine, k)]);

  auto& products = generated.products;
  products.resize(total);
  std::vector<int> listed(total, 0);
  std::vector<AttachmentPool> pools(sizes.size());
  AttachmentPool everyone;
  const auto link = [&](std::size_t from, std::size_t to) {
    products[from].similar.push_back(GeneratedAsin(to));
    ++listed[to];
    pools[groupOf[to]].listed(to);
    everyone.listed(to);
  };
  std::uint64_t nextUnknown = total;
  for (std::size_t i = 0; i < total; ++i) {
    auto& product = products[i];
    const std::size_t group = groupOf[i];
    product.asin = GeneratedAsin(i);
    product.group = static_cast<std::int32_t>(group);
    product.title =
        groupedTitle(engine, subjects[group], i != 0 && unitDraw(engine) < kPlainShare, i);
    // The new product lists a few earlier ones, mostly of its own group
    // (before it is listed itself, so never itself).
    const auto extra = 2 + pick(engine, 3);
    for (std::size_t e = 0; e < extra && i > 0; ++e) {
      const double kind = unitDraw(engine);
      if (kind < kUnknownShare) {
        product.similar.push_back(GeneratedAsin(nextUnknown++));
        continue;
      }
      const std::size_t to = kind < kUnknownShare + kBridgeShare || pools[group].empty()
                                 ? everyone.draw(engine)
                                 : pools[group].draw(engine);
      // A list names a product once; a popular one drawn again is left out.
      if (std::find(product.similar.begin(), product.similar.end(), GeneratedAsin(to)) ==
          product.similar.end())
        link(i, to);
    }
    // One earlier product lists each new one, so product 0 reaches everything;
    // the first of a group is reached from any earlier product (a bridge). Any
    // member, not a popular one, so that no list grows long.
    if (i > 0)
      link(pools[group].empty() ? everyone.anyMember(engine) : pools[group].anyMember(engine), i);
    pools[group].join(i);
    everyone.join(i);
  }
  for (auto& product : products) {
    auto& similar = product.similar;
    for (std::size_t k = similar.size(); k > 1; --k)
      std::swap(similar[k - 1], similar[pick(engine, k)]);
  }
  rankByPopularity(engine, listed, products);
  return generated;
}

}  // namespace quillon::service
