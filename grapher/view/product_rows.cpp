#include "grapher/view/product_rows.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

namespace quillon::grapher {
namespace {

// Sorts the products by a value read once per product into one array, which
// is far quicker than reaching into the products at every comparison; a
// product without a value goes last, in table order.
template <typename Key>
void StableSortBy(std::vector<std::int32_t>& order, bool descending, Key key) {
  using Value = typename decltype(key(0))::value_type;
  std::vector<std::pair<Value, std::int32_t>> keyed;
  keyed.reserve(order.size());
  std::vector<std::int32_t> without;
  for (const std::int32_t p : order) {
    if (auto value = key(p))
      keyed.emplace_back(std::move(*value), p);
    else
      without.push_back(p);
  }
  const auto byValue = [descending](const auto& a, const auto& b) {
    return descending ? b.first < a.first : a.first < b.first;
  };
  std::stable_sort(keyed.begin(), keyed.end(), byValue);
  order.clear();
  for (const auto& entry : keyed) order.push_back(entry.second);
  order.insert(order.end(), without.begin(), without.end());
}

// A text with its first eight bytes as one number, so that most comparisons
// need not reach the text itself (bytes compare as unsigned, like memcmp).
struct TextKey {
  explicit TextKey(std::string_view t) : text(t) {
    for (std::size_t i = 0; i < 8; ++i)
      head = (head << 8) | (i < t.size() ? static_cast<unsigned char>(t[i]) : 0u);
  }
  std::uint64_t head = 0;
  std::string_view text;
  friend bool operator<(const TextKey& a, const TextKey& b) {
    return a.head != b.head ? a.head < b.head : a.text < b.text;
  }
};

// Texts sorted from copies side by side in one buffer: a comparison that the
// first bytes do not settle then reads memory close by, not scattered products.
template <typename Text>
void StableSortByText(std::vector<std::int32_t>& order, bool descending, Text text) {
  std::size_t total = 0;
  for (const std::int32_t p : order)
    if (const std::optional<std::string_view> t = text(p)) total += t->size();
  std::string copies;
  copies.reserve(total);  // never grows, so the views into it stay valid
  StableSortBy(order, descending, [&](std::int32_t p) -> std::optional<TextKey> {
    const std::optional<std::string_view> t = text(p);
    if (!t) return std::nullopt;
    const std::size_t at = copies.size();
    copies.append(*t);
    return TextKey(std::string_view(copies).substr(at));
  });
}

}  // namespace

void ProductRows::reset(const Catalogue* catalogue) {
  catalogue_ = catalogue;
  measures_ = nullptr;
  column_.reset();
  descending_ = false;
  shown_.clear();
  sort();
}

void ProductRows::setMeasures(const analysis::GraphMeasures* measures) {
  measures_ = measures;
  if (column_ && IsMeasureColumn(*column_)) sort();
}

void ProductRows::sortBy(std::optional<ProductColumn> column, bool descending) {
  column_ = column;
  descending_ = descending;
  sort();
}

void ProductRows::setShown(const std::vector<bool>& shown) {
  shown_ = shown;
  filter();
}

std::optional<std::size_t> ProductRows::rowOf(std::int32_t product) const {
  if (product < 0 || static_cast<std::size_t>(product) >= rowOf_.size()) return std::nullopt;
  const std::int32_t row = rowOf_[static_cast<std::size_t>(product)];
  if (row < 0) return std::nullopt;
  return static_cast<std::size_t>(row);
}

void ProductRows::sort() {
  const std::size_t count = catalogue_ ? catalogue_->ProductTable.size() : 0;
  order_.resize(count);
  std::iota(order_.begin(), order_.end(), 0);
  if (column_ && count > 0) {
    const auto& products = catalogue_->ProductTable;
    const auto& keyWords = catalogue_->KeyWordTable;
    const auto at = [&](std::int32_t p) -> const Product& {
      return products[static_cast<std::size_t>(p)];
    };
    // Measures of another load (or none yet) give every product the same value.
    const analysis::GraphMeasures* m =
        measures_ != nullptr && measures_->size() == count ? measures_ : nullptr;
    const auto measure = [&](const auto& values) {
      return
          [&values](std::int32_t p) { return std::optional(values[static_cast<std::size_t>(p)]); };
    };
    switch (*column_) {
      case ProductColumn::Asin:
        StableSortByText(order_, descending_, [&](std::int32_t p) {
          return std::optional<std::string_view>(at(p).ASIN);
        });
        break;
      case ProductColumn::Title:
        StableSortByText(order_, descending_, [&](std::int32_t p) {
          const std::string& title = at(p).Title;
          return title.empty() ? std::nullopt : std::optional<std::string_view>(title);
        });
        break;
      case ProductColumn::SalesRank:
        StableSortBy(order_, descending_, [&](std::int32_t p) {
          const std::int32_t rank = at(p).SalesRank;
          return rank > 0 ? std::optional(rank) : std::nullopt;
        });
        break;
      case ProductColumn::KeyWord:
        StableSortByText(order_, descending_,
                         [&](std::int32_t p) -> std::optional<std::string_view> {
                           const std::int32_t k = at(p).KeyWordIndex;
                           if (k < 0 || static_cast<std::size_t>(k) >= keyWords.size())
                             return std::nullopt;
                           return keyWords[static_cast<std::size_t>(k)].Text;
                         });
        break;
      case ProductColumn::InDegree:
        if (m) StableSortBy(order_, descending_, measure(m->InDegree));
        break;
      case ProductColumn::OutDegree:
        if (m) StableSortBy(order_, descending_, measure(m->OutDegree));
        break;
      case ProductColumn::PageRank:
        if (m) StableSortBy(order_, descending_, measure(m->PageRank));
        break;
      case ProductColumn::Community:
        if (m) StableSortBy(order_, descending_, measure(m->Community));
        break;
    }
  }
  filter();
}

void ProductRows::filter() {
  const std::size_t count = order_.size();
  const bool all = shown_.size() != count;  // no marks, or marks of another load
  visible_.clear();
  visible_.reserve(count);
  rowOf_.assign(count, -1);
  for (const std::int32_t p : order_) {
    if (!all && !shown_[static_cast<std::size_t>(p)]) continue;
    rowOf_[static_cast<std::size_t>(p)] = static_cast<std::int32_t>(visible_.size());
    visible_.push_back(p);
  }
}

}  // namespace quillon::grapher
