// The product table's model: one row per product the filter lets through, in
// the order of the column sorted by, read from the catalogue and the measures
// on demand (no copy per row).
#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/view/product_rows.h"

namespace quillon::grapher {

class ProductTableModel final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The catalogue of a load (null: none, while a load replaces it); it must
  // outlive the model or be replaced first. The order and the filter start over.
  void setCatalogue(const Catalogue* catalogue);
  // Null while the measures are computed: their columns are empty.
  void setMeasures(std::shared_ptr<const analysis::GraphMeasures> measures);
  // A mark per product; empty shows them all.
  void setShown(const std::vector<bool>& shown);

  const ProductRows& rows() const { return rows_; }
  const analysis::GraphMeasures* measures() const { return measures_.get(); }
  const Catalogue* catalogue() const { return catalogue_; }
  // The text of a cell as shown (empty for a measure not yet known).
  QString text(std::size_t row, ProductColumn column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // A column below 0 puts the rows back in table order.
  void sort(int column, Qt::SortOrder order) override;

 private:
  const Catalogue* catalogue_ = nullptr;
  std::shared_ptr<const analysis::GraphMeasures> measures_;
  ProductRows rows_;
};

// The column's heading, as the window shows it.
QString ProductColumnTitle(ProductColumn column);

}  // namespace quillon::grapher
