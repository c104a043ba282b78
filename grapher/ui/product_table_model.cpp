#include "grapher/ui/product_table_model.h"

#include "grapher/ui/analysis_texts.h"
#include "grapher/ui/details_panel.h"
#include "grapher/ui/graph_painting.h"
#include "grapher/ui/view_texts.h"

namespace quillon::grapher {

QString ProductColumnTitle(ProductColumn column) {
  using namespace view_texts;
  static constexpr const char* kTitles[kProductColumnCount] = {kAsin,
                                                               kTitle,
                                                               kSalesRank,
                                                               kKeyWord,
                                                               analysis_texts::kInDegree,
                                                               analysis_texts::kOutDegree,
                                                               analysis_texts::kStepPageRank,
                                                               analysis_texts::kCommunity};
  return Text(kTitles[static_cast<int>(column)]);
}

void ProductTableModel::setCatalogue(const Catalogue* catalogue) {
  beginResetModel();
  catalogue_ = catalogue;
  measures_.reset();
  rows_.reset(catalogue);
  endResetModel();
}

void ProductTableModel::setMeasures(std::shared_ptr<const analysis::GraphMeasures> measures) {
  if (measures == measures_) return;
  const bool reorders = rows_.sortColumn() && IsMeasureColumn(*rows_.sortColumn());
  if (reorders) beginResetModel();
  measures_ = std::move(measures);
  rows_.setMeasures(measures_.get());
  if (reorders) {
    endResetModel();
  } else if (!rows_.visible().empty()) {
    emit dataChanged(index(0, static_cast<int>(ProductColumn::InDegree)),
                     index(rowCount() - 1, kProductColumnCount - 1), {Qt::DisplayRole});
  }
}

void ProductTableModel::setShown(const std::vector<bool>& shown) {
  beginResetModel();
  rows_.setShown(shown);
  endResetModel();
}

QString ProductTableModel::text(std::size_t row, ProductColumn column) const {
  const std::int32_t p = rows_.product(row);
  const auto i = static_cast<std::size_t>(p);
  const Product& product = catalogue_->ProductTable[i];
  const analysis::GraphMeasures* m =
      measures_ && measures_->size() == catalogue_->ProductTable.size() ? measures_.get() : nullptr;
  switch (column) {
    case ProductColumn::Asin:
      return ToQString(product.ASIN);
    case ProductColumn::Title:
      return TitleOf(product);
    case ProductColumn::SalesRank:
      return SalesRankOf(product);
    case ProductColumn::KeyWord:
      return KeyWordOf(*catalogue_, product);
    case ProductColumn::InDegree:
      return m ? QString::number(m->InDegree[i]) : QString();
    case ProductColumn::OutDegree:
      return m ? QString::number(m->OutDegree[i]) : QString();
    case ProductColumn::PageRank:
      return m ? QString::number(m->PageRank[i], 'g', 6) : QString();
    case ProductColumn::Community:
      return m ? QString::number(m->Community[i]) : QString();
  }
  return {};
}

int ProductTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ProductTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kProductColumnCount;
}

QVariant ProductTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || static_cast<std::size_t>(index.row()) >= rows_.size()) return {};
  const auto column = static_cast<ProductColumn>(index.column());
  if (role == Qt::DisplayRole) return text(static_cast<std::size_t>(index.row()), column);
  if (role == Qt::TextAlignmentRole) {
    const bool number = column == ProductColumn::SalesRank || IsMeasureColumn(column);
    return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
  }
  return {};
}

QVariant ProductTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kProductColumnCount)
    return QAbstractTableModel::headerData(section, orientation, role);
  return ProductColumnTitle(static_cast<ProductColumn>(section));
}

void ProductTableModel::sort(int column, Qt::SortOrder order) {
  beginResetModel();
  rows_.sortBy(column >= 0 && column < kProductColumnCount
                   ? std::optional(static_cast<ProductColumn>(column))
                   : std::nullopt,
               order == Qt::DescendingOrder);
  endResetModel();
}

}  // namespace quillon::grapher
