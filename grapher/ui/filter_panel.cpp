#include "grapher/ui/filter_panel.h"

#include <QHBoxLayout>
#include <algorithm>
#include <limits>

#include "common/ui/translation.h"
#include "grapher/ui/analysis_texts.h"
#include "grapher/ui/graph_painting.h"

namespace quillon::grapher {
namespace {

constexpr int kMaxValue = std::numeric_limits<std::int32_t>::max();

QWidget* Pair(QWidget& parent, QSpinBox& low, QSpinBox& high) {
  auto* row = new QWidget(&parent);  // owned by parent
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(&low);
  layout->addWidget(new QLabel(QStringLiteral("-"), row));
  layout->addWidget(&high);
  return row;
}

// A range left at its widest is no condition.
std::optional<IntRange> RangeOf(const QSpinBox& low, const QSpinBox& high) {
  if (low.value() == low.minimum() && high.value() == high.maximum()) return std::nullopt;
  return IntRange{low.value(), std::max(low.value(), high.value())};
}

}  // namespace

FilterPanel::FilterPanel(QWidget& parent) : QFrame(&parent), layout_(this) {
  using namespace analysis_texts;
  setObjectName(QStringLiteral("FilterPanel"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  for (QSpinBox* box : {&rankLow_, &rankHigh_, &degreeLow_, &degreeHigh_})
    box->setRange(0, kMaxValue);
  for (QSpinBox* box : {&community_, &component_}) {
    box->setRange(-1, kMaxValue);
    box->setSpecialValueText(UiText(kAll));
  }
  hops_.setRange(0, 20);
  hops_.setValue(1);
  hops_.setSuffix(QStringLiteral(" ") + UiText(kFilterHops));
  around_.setText(UiText(kFilterAround));
  hide_.setText(UiText(kFilterHide));
  reset_.setText(UiText(kFilterReset));
  layout_.addRow(UiText(kFilterKeyWord), &keyWord_);
  layout_.addRow(UiText(kFilterRank), Pair(*this, rankLow_, rankHigh_));
  layout_.addRow(UiText(kFilterInDegree), Pair(*this, degreeLow_, degreeHigh_));
  layout_.addRow(UiText(kFilterCommunity), &community_);
  layout_.addRow(UiText(kFilterComponent), &component_);
  layout_.addRow(&around_);
  layout_.addRow(&hops_);
  layout_.addRow(&hide_);
  layout_.addRow(&count_, &reset_);
  reset();
  QFrame::hide();

  connect(&keyWord_, &QComboBox::currentIndexChanged, this, [this] { changed(); });
  for (QSpinBox* box :
       {&rankLow_, &rankHigh_, &degreeLow_, &degreeHigh_, &community_, &component_, &hops_})
    connect(box, &QSpinBox::valueChanged, this, [this] { changed(); });
  for (QCheckBox* box : {&around_, &hide_})
    connect(box, &QCheckBox::toggled, this, [this] { changed(); });
  connect(&reset_, &QPushButton::clicked, this, [this] {
    reset();
    changed();
  });
}

void FilterPanel::changed() {
  if (!quiet_ && onChanged_) onChanged_();
}

void FilterPanel::setCatalogue(const Catalogue& catalogue) {
  quiet_ = true;
  keyWord_.clear();
  keyWord_.addItem(UiText(analysis_texts::kAll), -1);
  const auto& keyWords = catalogue.KeyWordTable;
  for (std::size_t k = 0; k < keyWords.size(); ++k)
    keyWord_.addItem(ToQString(keyWords[k].Text), static_cast<int>(k));
  quiet_ = false;
  reset();
}

void FilterPanel::setGroupCounts(int communities, int components) {
  quiet_ = true;
  community_.setMaximum(std::max(-1, communities - 1));
  component_.setMaximum(std::max(-1, components - 1));
  quiet_ = false;
}

void FilterPanel::reset() {
  quiet_ = true;
  keyWord_.setCurrentIndex(0);
  for (QSpinBox* box : {&rankLow_, &degreeLow_, &community_, &component_})
    box->setValue(box->minimum());
  for (QSpinBox* box : {&rankHigh_, &degreeHigh_}) box->setValue(box->maximum());
  around_.setChecked(false);
  hide_.setChecked(false);
  quiet_ = false;
}

ProductFilter FilterPanel::filter() const {
  ProductFilter f;
  if (const int k = keyWord_.currentData().toInt(); keyWord_.currentIndex() > 0 && k >= 0)
    f.keyWords = {k};
  f.salesRank = RangeOf(rankLow_, rankHigh_);
  f.inDegree = RangeOf(degreeLow_, degreeHigh_);
  if (community_.value() >= 0) f.community = community_.value();
  if (component_.value() >= 0) f.component = component_.value();
  f.hops = hops_.value();
  f.hide = hide_.isChecked();
  return f;
}

void FilterPanel::showCount(std::size_t shown, std::size_t total) {
  count_.setText(
      UiText(analysis_texts::kFilterCount).arg(QString::number(shown), QString::number(total)));
}

void FilterPanel::toggle() {
  setVisible(!isVisible());
  if (isVisible()) {
    place();
    raise();
  }
}

void FilterPanel::place() {
  const QWidget* parent = parentWidget();
  const int width = std::min(kWidth, parent->width());
  setGeometry(0, 0, width, std::min(sizeHint().height(), parent->height()));
}

}  // namespace quillon::grapher
