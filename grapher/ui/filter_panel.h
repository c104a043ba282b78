// The panel over the left edge of the graph that filters the products shown:
// keyword, sales-rank and in-degree ranges, community, component and the
// neighbourhood of the selection; faded or hidden; the number shown.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <functional>

#include "grapher/catalogue/catalogue.h"
#include "grapher/view/product_filter.h"

namespace quillon::grapher {

class FilterPanel final : public QFrame {
 public:
  explicit FilterPanel(QWidget& parent);

  // Called with the filter after every change in the panel.
  void setOnChanged(std::function<void()> handler) { onChanged_ = std::move(handler); }

  // The keywords of a new load; the filter is cleared.
  void setCatalogue(const Catalogue& catalogue);
  // Group numbers offered once the measures are known (0 while they are not).
  void setGroupCounts(int communities, int components);
  void showCount(std::size_t shown, std::size_t total);

  ProductFilter filter() const;
  bool aroundSelection() const { return around_.isChecked(); }
  void reset();

  void toggle();
  // Keeps to the parent's top left corner.
  void place();

  static constexpr int kWidth = 250;

  // The panel's own widgets, for tests.
  QComboBox& keyWord() { return keyWord_; }
  QSpinBox& rankLow() { return rankLow_; }
  QSpinBox& rankHigh() { return rankHigh_; }
  QSpinBox& community() { return community_; }
  QCheckBox& hide() { return hide_; }
  QCheckBox& around() { return around_; }
  QLabel& count() { return count_; }

 private:
  void changed();

  QFormLayout layout_;
  QComboBox keyWord_;
  QSpinBox rankLow_, rankHigh_;
  QSpinBox degreeLow_, degreeHigh_;
  QSpinBox community_, component_;
  QCheckBox around_;
  QSpinBox hops_;
  QCheckBox hide_;
  QPushButton reset_;
  QLabel count_;
  bool quiet_ = false;  // while the panel sets its own widgets
  std::function<void()> onChanged_;
};

}  // namespace quillon::grapher
