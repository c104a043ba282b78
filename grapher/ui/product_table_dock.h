// The product table: a dock under the view, hidden until asked for, with a row
// per product the filter lets through. Its selection and the view's follow
// each other; rows can be copied and the visible ones saved as CSV.
#pragma once

#include <QAction>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/expected.h"
#include "grapher/ui/product_table_model.h"

namespace quillon::grapher {

class GraphWidget;
class ViewController;

class ProductTableDock final : public QDockWidget {
 public:
  explicit ProductTableDock(QWidget& window);

  // The user chose a row: the product it shows.
  void setOnProduct(std::function<void(std::int32_t)> handler) { onProduct_ = std::move(handler); }
  // Shown, hidden, floated or docked again: the window makes room for it.
  void setOnPlacement(std::function<void()> handler) { onPlacement_ = std::move(handler); }

  // A load begins (null) or has ended: the rows start over in table order.
  void setCatalogue(const Catalogue* catalogue);
  // Takes the view's measures, filter and selection; the selected product's
  // row is selected and scrolled to, without telling the product handler.
  void follow(const ViewController& view);

  // The selected rows as tab-separated text with a heading line, as copied.
  QString selectedText() const;
  void copyRows() const;
  // The visible rows, in the table's order, in the command line's CSV format.
  Status saveRows(const std::string& path) const;

  // Pixels the window keeps for the table under the view (0 while hidden or floating).
  int heightBelow() const;
  // Keeps to the bottom of the window, across its width.
  void place();

  QTableView& table() { return table_; }
  ProductTableModel& model() { return model_; }
  QPushButton& saveButton() { return save_; }

  static constexpr int kHeight = 240;

 protected:
  void hideEvent(QHideEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Keeps the arrow keys for the table while it has the focus (the view's
  // actions use them too).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void currentRowChanged(const QModelIndex& current);
  void showCount();
  void askAndSave();
  void selectProduct(std::optional<std::int32_t> p);

  QWidget content_;
  QVBoxLayout layout_;
  QHBoxLayout bar_;
  QLabel count_;
  QPushButton save_;
  ProductTableModel model_;
  QTableView table_;
  QAction copy_;
  std::optional<std::int32_t> selected_;  // the product selected here or in the view
  bool quiet_ = false;                    // while the table follows the view
  std::uint64_t loads_ = 0;               // catalogues given so far
  std::function<void(std::int32_t)> onProduct_;
  std::function<void()> onPlacement_;
};

// Wires the table to the view and to the action that shows it; relayout is
// called when the table takes or gives back room in the window.
void ConnectProductTable(ProductTableDock& table, GraphWidget& graph, QAction& toggle,
                         std::function<void()> relayout);

}  // namespace quillon::grapher
