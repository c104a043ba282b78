#include "grapher/ui/product_table_dock.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <algorithm>

#include "common/ui/translation.h"
#include "common/ui/window_texts.h"
#include "grapher/export/catalogue_csv.h"
#include "grapher/ui/graph_widget.h"
#include "grapher/ui/table_texts.h"
#include "grapher/ui/view_controller.h"

namespace quillon::grapher {
namespace {

// Starting widths of the columns, in pixels: the title takes what is left.
constexpr int kColumnWidths[kProductColumnCount] = {100, 300, 80, 100, 80, 70, 90, 90};

// A tab or a line break in a title would split the cell.
QString Cell(QString text) {
  for (QChar& c : text)
    if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
  return text;
}

}  // namespace

ProductTableDock::ProductTableDock(QWidget& window)
    : QDockWidget(UiText(table_texts::kProductTable), &window),
      layout_(&content_),
      save_(UiText(table_texts::kSaveRows)),
      copy_(UiText(table_texts::kCopyRows)) {
  setObjectName(QStringLiteral("ProductTable"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetFloatable);
  layout_.setContentsMargins(4, 0, 4, 4);
  layout_.addLayout(&bar_);
  bar_.addWidget(&count_, 1);
  bar_.addWidget(&save_);
  layout_.addWidget(&table_);
  setWidget(&content_);

  table_.setObjectName(QStringLiteral("ProductTableView"));
  table_.setModel(&model_);
  table_.setSelectionBehavior(QAbstractItemView::SelectRows);
  table_.setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_.setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_.setWordWrap(false);
  table_.verticalHeader()->hide();
  // Rows of one height, so that the view never measures 100,000 of them.
  table_.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_.verticalHeader()->setDefaultSectionSize(table_.fontMetrics().height() + 6);
  for (int c = 0; c < kProductColumnCount; ++c) table_.setColumnWidth(c, kColumnWidths[c]);
  // Table order until a heading is clicked.
  table_.horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  table_.setSortingEnabled(true);
  table_.installEventFilter(this);

  copy_.setObjectName(QStringLiteral("ActionCopyRows"));
  copy_.setShortcut(QKeySequence::Copy);
  copy_.setShortcutContext(Qt::WidgetWithChildrenShortcut);
  table_.addAction(&copy_);
  table_.setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(&copy_, &QAction::triggered, this, [this] { copyRows(); });
  connect(&save_, &QPushButton::clicked, this, [this] { askAndSave(); });
  connect(table_.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { currentRowChanged(current); });
  // Sorted or filtered: the selected product's row is found again.
  connect(&model_, &QAbstractItemModel::modelReset, this, [this] { selectProduct(selected_); });
  connect(this, &QDockWidget::topLevelChanged, this, [this] {
    if (onPlacement_) onPlacement_();
  });
  save_.setEnabled(false);  // until the measures are known
  hide();
  showCount();
}

void ProductTableDock::setCatalogue(const Catalogue* catalogue) {
  ++loads_;
  save_.setEnabled(false);
  selected_.reset();
  model_.setCatalogue(catalogue);
  // A new load is shown in its own order.
  table_.horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  showCount();
}

void ProductTableDock::follow(const ViewController& view) {
  if (model_.catalogue() == nullptr) return;
  const bool filtered = view.style().shown != model_.rows().shown();
  if (filtered) model_.setShown(view.style().shown);
  model_.setMeasures(view.style().measures);
  save_.setEnabled(model_.measures() != nullptr);
  if (filtered) showCount();
  selected_ = view.selected();
  selectProduct(selected_);
}

void ProductTableDock::selectProduct(std::optional<std::int32_t> p) {
  // A plain index (-1: none) rather than an optional row: GCC's thread-sanitizer
  // build otherwise warns that the row may be used uninitialised.
  const std::optional<std::size_t> found = p ? model_.rows().rowOf(*p) : std::nullopt;
  const int row = found ? static_cast<int>(*found) : -1;
  QItemSelectionModel& selection = *table_.selectionModel();
  const QModelIndex current = selection.currentIndex();
  // A row chosen here (perhaps with others, for copying) is left as it is.
  if (row >= 0 && current.isValid() && current.row() == row && selection.isRowSelected(row)) return;
  const bool wasQuiet = std::exchange(quiet_, true);
  if (row >= 0) {
    const QModelIndex index = model_.index(row, 0);
    selection.setCurrentIndex(index,
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_.scrollTo(index);
  } else {
    selection.clear();
  }
  quiet_ = wasQuiet;
}

void ProductTableDock::currentRowChanged(const QModelIndex& current) {
  if (quiet_ || !current.isValid()) return;
  const std::int32_t p = model_.rows().product(static_cast<std::size_t>(current.row()));
  selected_ = p;
  // Told once the table has finished with the click: a filter around the
  // selection rebuilds the rows, which must not happen under the table's feet.
  QMetaObject::invokeMethod(
      this,
      [this, p, load = loads_] {
        if (load == loads_ && selected_ == p && onProduct_) onProduct_(p);
      },
      Qt::QueuedConnection);
}

QString ProductTableDock::selectedText() const {
  QStringList lines;
  QStringList cells;
  for (int c = 0; c < kProductColumnCount; ++c)
    cells << ProductColumnTitle(static_cast<ProductColumn>(c));
  lines << cells.join(u'\t');
  QModelIndexList rows = table_.selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  for (const QModelIndex& index : rows) {
    cells.clear();
    for (int c = 0; c < kProductColumnCount; ++c)
      cells << Cell(
          model_.text(static_cast<std::size_t>(index.row()), static_cast<ProductColumn>(c)));
    lines << cells.join(u'\t');
  }
  return lines.join(u'\n') + u'\n';
}

void ProductTableDock::copyRows() const {
  if (table_.selectionModel()->hasSelection()) QApplication::clipboard()->setText(selectedText());
}

Status ProductTableDock::saveRows(const std::string& path) const {
  const Catalogue* catalogue = model_.catalogue();
  const analysis::GraphMeasures* measures = model_.measures();
  if (catalogue == nullptr || measures == nullptr)
    return Failure("the measures are not computed yet");
  return WriteCatalogueCsv(*catalogue, *measures, path, model_.rows().visible());
}

void ProductTableDock::askAndSave() {
  const QString path =
      QFileDialog::getSaveFileName(this, UiText(table_texts::kSaveRows),
                                   QStringLiteral("products.csv"), UiText(table_texts::kCsvFilter));
  if (path.isEmpty()) return;
  const Status result = saveRows(path.toStdString());
  if (!result)
    QMessageBox::warning(this, UiText(table_texts::kSaveRows), FailureMessage(result.failure()));
}

void ProductTableDock::showCount() {
  const Catalogue* catalogue = model_.catalogue();
  count_.setText(UiText(table_texts::kRowCount)
                     .arg(model_.rowCount())
                     .arg(catalogue ? catalogue->ProductTable.size() : 0));
}

int ProductTableDock::heightBelow() const {
  if (isHidden() || isFloating() || parentWidget() == nullptr) return 0;
  return std::min(kHeight, parentWidget()->height() / 2);
}

void ProductTableDock::place() {
  if (isFloating() || parentWidget() == nullptr) return;
  const QWidget& window = *parentWidget();
  setGeometry(0, window.height() - heightBelow(), window.width(), heightBelow());
}

void ProductTableDock::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  if (onPlacement_) onPlacement_();
}

void ProductTableDock::hideEvent(QHideEvent* event) {
  QDockWidget::hideEvent(event);
  if (onPlacement_) onPlacement_();
}

bool ProductTableDock::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &table_ && event->type() == QEvent::ShortcutOverride) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    switch (key.key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_Home:
      case Qt::Key_End:
        event->accept();
        return true;
      default:
        break;
    }
  }
  return QDockWidget::eventFilter(watched, event);
}

void ConnectProductTable(ProductTableDock& table, GraphWidget& graph, QAction& toggle,
                         std::function<void()> relayout) {
  QObject::connect(&toggle, &QAction::toggled, &table, [&table](bool on) { table.setVisible(on); });
  table.setOnPlacement([&table, &toggle, relayout = std::move(relayout)] {
    toggle.setChecked(!table.isHidden());
    relayout();
  });
  table.setOnProduct([&graph](std::int32_t p) {
    // The keyword graph has no products to centre on.
    graph.selectProduct(p, graph.redrawable() && !graph.keyWordGraph());
  });
}

}  // namespace quillon::grapher
