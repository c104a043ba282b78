#include "grapher/ui/form_main.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QIcon>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "common/texts.h"
#include "common/ui/translation.h"
#include "grapher/catalogue/load_product_data.h"
#include "grapher/commands/force_graph.h"
#include "grapher/commands/keyword_graph.h"
#include "grapher/commands/similarity_graph.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/ui/analysis_texts.h"
#include "grapher/ui/view_saving.h"
#include "grapher/ui/view_texts.h"

namespace quillon::grapher {
namespace {

// Control geometry in pixels (15 twips each).
constexpr int kGraphLeft = 0;
constexpr int kGraphTop = 104;
constexpr int kInnerWidth = 844;
constexpr int kInnerHeight = 668;
// The folder button keeps to the top right corner, clear of the command buttons.
constexpr QRect kFolderButton(kInnerWidth - 8 - 113, 8, 113, 33);

void Place(QWidget& widget, const char* name, int left, int top, int width, int height) {
  widget.setObjectName(QString::fromLatin1(name));
  widget.setGeometry(left, top, width, height);
}

}  // namespace

FormMain::FormMain(std::string programFolder, std::optional<std::uint32_t> seed, QWidget* parent)
    : QWidget(parent),
      CommandDrawGraphAlt(UiText(QUILLON_TEXT("quillon", "zzzzグラフ作成")), this),
      CommandGetData(UiText(QUILLON_TEXT("quillon", "商品データ読込")), this),
      LabelStatus(this),
      LabelStatus2(this),
      Graph(this),
      CommandDrawGraph(UiText(QUILLON_TEXT("quillon", "グラフ作成")), this),
      seedLabel_(this),
      findBar_(Graph),
      details_(Graph),
      filters_(Graph),
      measureStatus_(&Graph),
      actions_(*this),
      productTable_(*this),
      folderChooser_(*this, kFolderButton, QString::fromStdString(programFolder)),
      statistics_(*this),
      host_(*this, LabelStatus, LabelStatus2),
      runner_(*this, host_),
      programFolder_(std::move(programFolder)),
      directions_(RandomSource(seed)),
      commandLineSeed_(seed),
      measureWorker_(*this) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowTitle(UiText(kApplicationTitle));
  setWindowIcon(QIcon(QStringLiteral(":/grapher/grapher.png")));
  resize(kInnerWidth, kInnerHeight);

  Place(CommandDrawGraphAlt, "CommandDrawGraphAlt", 264, 8, 113, 33);
  Place(CommandGetData, "CommandGetData", 8, 8, 113, 33);
  Place(LabelStatus, "LabelStatus", 0, 48, 1073, 17);
  Place(LabelStatus2, "LabelStatus2", 0, 80, 1073, 17);
  Place(Graph, "Graph", kGraphLeft, kGraphTop, kInnerWidth - kGraphLeft, kInnerHeight - kGraphTop);
  Place(CommandDrawGraph, "CommandDrawGraph", 136, 8, 113, 33);
  Place(seedLabel_, "LabelSeed", 392, 8, 440, 33);
  Graph.surface().resize(Graph.size());

  CommandDrawGraphAlt.setEnabled(false);
  CommandDrawGraphAlt.setVisible(false);
  CommandDrawGraph.setEnabled(false);

  setTabOrder(&CommandDrawGraphAlt, &CommandGetData);
  setTabOrder(&CommandGetData, &LabelStatus);
  setTabOrder(&LabelStatus, &LabelStatus2);
  setTabOrder(&LabelStatus2, &Graph);
  setTabOrder(&Graph, &CommandDrawGraph);

  // A pause must not hide the picture just drawn behind the repaint limit.
  host_.setPauseHook([this] { Graph.showNow(); });

  connect(&CommandGetData, &QPushButton::clicked, this, [this] { CommandGetData_Click(); });
  connect(&CommandDrawGraph, &QPushButton::clicked, this, [this] { CommandDrawGraph_Click(); });
  connect(&CommandDrawGraphAlt, &QPushButton::clicked, this,
          [this] { CommandDrawGraphAlt_Click(); });
  connectView();
  connectStatistics();
}

void FormMain::connectStatistics() {
  statistics_.bindAction(actions_.statistics);
  statistics_.setSource([this] {
    ViewController& view = *Graph.view();
    // The neighbourhood is the filter's when it follows the selection, else the nearest products.
    const int hops = filters_.aroundSelection() ? filters_.filter().hops : 1;
    return StatisticsPanel::Source{view.snapshot(), view.style().measures, view.selected(), hops};
  });
}

void FormMain::connectView() {
  Graph.setCatalogue(catalogue_);
  // Arrow keys move the view by this many pixels.
  constexpr double kPanStep = 50;
  constexpr double kZoomStep = 1.25;
  const std::pair<QAction*, std::function<void()>> handlers[] = {
      {&actions_.zoomIn, [this] { Graph.zoomBy(kZoomStep); }},
      {&actions_.zoomOut, [this] { Graph.zoomBy(1 / kZoomStep); }},
      {&actions_.panLeft, [this] { Graph.panBy(kPanStep, 0); }},
      {&actions_.panRight, [this] { Graph.panBy(-kPanStep, 0); }},
      {&actions_.panUp, [this] { Graph.panBy(0, kPanStep); }},
      {&actions_.panDown, [this] { Graph.panBy(0, -kPanStep); }},
      {&actions_.fit, [this] { Graph.fit(); }},
      {&actions_.actualSize, [this] { Graph.actualSize(); }},
      {&actions_.find, [this] { openFindBar(); }},
      {&actions_.findNext, [this] { findStep(false); }},
      {&actions_.findPrevious, [this] { findStep(true); }},
      {&actions_.colourByDrawing, [this] { setColourBy(ColourBy::Drawing); }},
      {&actions_.colourByKeyWord, [this] { setColourBy(ColourBy::KeyWord); }},
      {&actions_.colourByRank, [this] { setColourBy(ColourBy::Rank); }},
      {&actions_.colourByCommunity, [this] { setColourBy(ColourBy::Community); }},
      {&actions_.colourByComponent, [this] { setColourBy(ColourBy::Component); }},
      {&actions_.sizeFixed, [this] { setSizeBy(SizeBy::Fixed); }},
      {&actions_.sizeByPageRank, [this] { setSizeBy(SizeBy::PageRank); }},
      {&actions_.sizeByDegree, [this] { setSizeBy(SizeBy::Degree); }},
      {&actions_.sizeByRank, [this] { setSizeBy(SizeBy::Rank); }},
      {&actions_.filters, [this] { filters_.toggle(); }},
      {&actions_.save, [this] { askAndSaveView(); }},
      {&actions_.clearOrCancel, [this] { clearOrCancel(); }},
      {&actions_.keyWordGraph, [this] { CommandDrawGraphAlt_Click(); }},
      {&actions_.forceLayout, [this] { DrawForceGraph_Click(); }},
  };
  for (const auto& [action, handler] : handlers)
    connect(action, &QAction::triggered, this, handler);
  actions_.keyWordGraph.setEnabled(false);
  actions_.forceLayout.setEnabled(false);
  const std::pair<QAction*, bool ViewStyle::*> parts[] = {
      {&actions_.showSimilarityLines, &ViewStyle::showSimilarityLines},
      {&actions_.showKeyWordLines, &ViewStyle::showKeyWordLines},
      {&actions_.showLabels, &ViewStyle::showLabels},
  };
  for (const auto& entry : parts) {
    bool ViewStyle::*const part = entry.second;  // a structured binding cannot be captured
    connect(entry.first, &QAction::toggled, this, [this, part](bool on) {
      Graph.view()->setShown(part, on);
      Graph.viewChanged();
    });
  }

  Graph.setOnSelection([this](std::optional<std::int32_t> p) { showSelection(p); });
  ConnectProductTable(productTable_, Graph, actions_.productTable, [this] {
    Form_Resize();
    productTable_.place();
    if (drawings_ == 0) Graph.resizedWhileIdle();
  });
  Graph.setOnContextMenu([this](QPoint at) { makeContextMenu()->exec(at); });
  measureStatus_.setObjectName(QStringLiteral("MeasureStatus"));
  measureStatus_.setAutoFillBackground(true);
  measureStatus_.setMargin(4);
  measureStatus_.hide();
  filters_.setOnChanged([this] { applyFilters(); });
  Graph.setOnResized([this] {
    findBar_.place();
    if (filters_.isVisible()) filters_.place();
    measureStatus_.move(0, std::max(0, Graph.height() - measureStatus_.height()));
    if (details_.isVisible()) details_.place();
  });
  details_.setOnProduct([this](std::int32_t p) { Graph.selectProduct(p, true); });
  details_.setOnClosed([this] { Graph.selectProduct(std::nullopt, false); });
  findBar_.setOnQuery([this](const QString& query) {
    findBar_.showCount(static_cast<int>(Graph.view()->find(query.toStdString())), -1);
  });
  findBar_.setOnStep([this](bool backwards) { findStep(backwards); });
  findBar_.setOnClosed([this] {
    details_.setTop(0);
    Graph.setFocus(Qt::OtherFocusReason);
  });
}

std::unique_ptr<QMenu> FormMain::makeContextMenu() {
  auto menu = std::make_unique<QMenu>(this);
  actions_.fillMenu(*menu);
  folderChooser_.addTo(*menu);
  return menu;
}

void FormMain::clearOrCancel() {
  if (drawings_ > 0) {
    host_.requestCancel();
  } else if (findBar_.hasFocusWithin()) {
    findBar_.close();
  } else {
    Graph.selectProduct(std::nullopt, false);
  }
}

void FormMain::openFindBar() {
  findBar_.open();
  details_.setTop(findBar_.height());
}

void FormMain::findStep(bool backwards) {
  ViewController& view = *Graph.view();
  if (!findBar_.isOpen()) openFindBar();
  if (const auto p = view.step(backwards)) Graph.selectProduct(*p, true);
  findBar_.showCount(static_cast<int>(view.matchCount()), view.matchCursor());
}

void FormMain::showSelection(std::optional<std::int32_t> p) {
  // A filter around the selection follows it.
  if (filters_.aroundSelection())
    filters_.showCount(Graph.view()->shownCount(), catalogue_.ProductTable.size());
  statistics_.refresh();
  if (p && Graph.redrawable() && !Graph.keyWordGraph()) {
    details_.showProduct(Graph.view()->snapshot()->catalogue, *p, Graph.view()->measures());
  } else {
    details_.close();
  }
  productTable_.follow(*Graph.view());
}

void FormMain::setColourBy(ColourBy mode) {
  Graph.view()->setColourBy(mode);
  Graph.viewChanged();
}

void FormMain::setSizeBy(SizeBy mode) {
  Graph.view()->setSizeBy(mode);
  Graph.viewChanged();
}

void FormMain::applyFilters() {
  ViewController& view = *Graph.view();
  view.setFilter(filters_.filter(), filters_.aroundSelection());
  filters_.showCount(view.shownCount(), catalogue_.ProductTable.size());
  productTable_.follow(view);
  Graph.viewChanged();
  statistics_.refresh();
}

void FormMain::startMeasures() {
  using namespace analysis_texts;
  const auto progress = [this](analysis::MeasureStep step) {
    static constexpr const char* kSteps[] = {kStepDegrees, kStepPageRank, kStepComponents,
                                             kStepCommunities};
    const int number = static_cast<int>(step);
    measureStatus_.setText(UiText(kMeasuring)
                               .arg(UiText(kSteps[number]), QString::number(number + 1),
                                    QString::number(analysis::kMeasureStepCount)));
    measureStatus_.adjustSize();
    measureStatus_.move(0, std::max(0, Graph.height() - measureStatus_.height()));
    measureStatus_.show();
    measureStatus_.raise();
  };
  measureWorker_.start(
      analysis::LinksOf(catalogue_), progress,
      [this](std::shared_ptr<const analysis::GraphMeasures> measures, const std::string& error) {
        measuresDone(std::move(measures), error);
      });
}

void FormMain::measuresDone(std::shared_ptr<const analysis::GraphMeasures> measures,
                            const std::string& error) {
  if (!measures) {
    measureStatus_.setText(
        UiText(analysis_texts::kMeasureFailed).arg(QString::fromStdString(error)));
    measureStatus_.adjustSize();
    return;
  }
  measureStatus_.hide();
  filters_.setGroupCounts(static_cast<int>(measures->communitySizes.size()),
                          static_cast<int>(measures->componentSizes.size()));
  Graph.view()->setMeasures(std::move(measures));
  applyFilters();
  showSelection(Graph.view()->selected());
}

void FormMain::askAndSaveView() {
  const QString path = QFileDialog::getSaveFileName(this, view_texts::Text(view_texts::kSaveView),
                                                    QStringLiteral("graph.png"),
                                                    view_texts::Text(view_texts::kSaveFilter));
  if (!path.isEmpty()) saveView(path.toStdString());
}

void FormMain::saveView(const std::string& path) {
  const Status result = SaveView(Graph, path);
  if (!result) host_.showFailure(result.failure());
}

FormMain::~FormMain() = default;

void FormMain::CommandGetData_Click() {
  const FolderChooser::Busy loading = folderChooser_.busy();
  CommandGetData.setEnabled(false);
  const bool wasLoading = loading_;
  loading_ = true;
  // The picture on the surface no longer matches the tables being replaced.
  Graph.setRedrawable(false);
  measureWorker_.cancel();
  measureStatus_.hide();
  Graph.catalogueReplaced();
  productTable_.setCatalogue(nullptr);  // the rows must not read tables being replaced
  Status result = Success();
  const bool running =
      runner_.run([this, &result] { result = LoadProductData(programFolder_, catalogue_, host_); });
  loading_ = wasLoading;
  Graph.catalogueReplaced();
  if (!running) return;
  CommandGetData.setEnabled(true);
  productTable_.setCatalogue(&catalogue_);
  filters_.setCatalogue(catalogue_);
  applyFilters();
  if (!result) {
    host_.showFailure(result.failure());
    return;
  }
  startMeasures();
  setDrawingButtons(true);
}

void FormMain::setDrawingButtons(bool enabled) {
  CommandDrawGraph.setEnabled(enabled);
  CommandDrawGraphAlt.setEnabled(enabled);
  actions_.keyWordGraph.setEnabled(enabled);
  actions_.forceLayout.setEnabled(enabled);
}

DrawingChoices FormMain::beforeDrawing() {
  const DrawingChoices choices = ReadDrawingChoices(programFolder_);
  std::optional<std::uint32_t> seed = commandLineSeed_;
  if (!seed && choices.RandomSeed != 0) seed = choices.RandomSeed;
  directions_.random.setFixedSeed(seed);
  return choices;
}

void FormMain::afterDrawing(const DrawingChoices& choices) {
  seedLabel_.setText(
      view_texts::Text(view_texts::kSeedUsed).arg(QString::number(directions_.random.lastSeed())));
  if (choices.FitAfterDrawing) Graph.fit();
}

void FormMain::CommandDrawGraph_Click() {
  drawProducts(false);
}

void FormMain::DrawForceGraph_Click() {
  drawProducts(true);
}

void FormMain::drawProducts(bool force) {
  const FolderChooser::Busy drawing = folderChooser_.busy();
  CommandGetData.setEnabled(false);
  setDrawingButtons(false);
  Graph.view()->setDrawProductName(ReadLayoutSettings(programFolder_).DrawProductName);
  Graph.setKeyWordGraph(false);
  Graph.setRedrawable(true);
  Graph.drawingStarts();
  const DrawingChoices choices = beforeDrawing();
  ++drawings_;
  bool finished = false;
  const bool running = runner_.run([this, force, &finished] {
    if (!catalogue_.ProductTable.empty()) {
      if (force)
        DrawForceGraph(programFolder_, catalogue_, directions_, Graph.surface(), host_);
      else
        DrawSimilarityGraph(programFolder_, catalogue_, directions_, Graph.surface(), host_,
                            *clock_);
    }
    finished = true;
  });
  --drawings_;
  host_.clearCancel();
  if (!running) return;
  if (!finished) showDrawingStopped();
  afterDrawing(choices);
  // A load interrupted by this drawing keeps its button off until it ends.
  CommandGetData.setEnabled(!loading_);
  setDrawingButtons(true);
}

void FormMain::CommandDrawGraphAlt_Click() {
  const FolderChooser::Busy drawing = folderChooser_.busy();
  CommandGetData.setEnabled(false);
  setDrawingButtons(false);
  // The view redraws the keyword graph from the keywords' positions, with lines
  // between related keywords, so that a fit spreads the labels apart.
  Graph.setKeyWordGraph(true);
  Graph.setRedrawable(true);
  Graph.selectProduct(std::nullopt, false);
  Graph.drawingStarts();
  Status result = Success();
  const DrawingChoices choices = beforeDrawing();
  ++drawings_;
  bool finished = false;
  const bool running = runner_.run([this, &result, &finished] {
    result = DrawKeyWordGraph(programFolder_, catalogue_, directions_, Graph.surface(), host_);
    finished = true;
  });
  --drawings_;
  host_.clearCancel();
  if (!running) return;
  if (!finished) showDrawingStopped();
  CommandGetData.setEnabled(!loading_);
  setDrawingButtons(true);
  afterDrawing(choices);
  if (!result) host_.showFailure(result.failure());
}

void FormMain::showDrawingStopped() {
  // The phase label would otherwise still say a drawing runs.
  host_.setLabel(Label::Status, UiText(QUILLON_TEXT("quillon", "描画を中止した")).toStdString());
  host_.flushLabels();
}

void FormMain::Form_QueryUnload() {
  host_.QuitRequested = true;
}

void FormMain::closeEvent(QCloseEvent* event) {
  Form_QueryUnload();
  event->accept();
}

void FormMain::Form_Resize() {
  const float width = static_cast<float>(this->width()) - static_cast<float>(Graph.x());
  // The product table, when open, takes the bottom of the window.
  const float height = static_cast<float>(this->height() - productTable_.heightBelow()) -
                       static_cast<float>(Graph.y());
  // A window smaller than Graph's corner (minimised) gives Graph no area, never a negative one.
  const QSize size(std::max(0, static_cast<int>(std::lround(width))),
                   std::max(0, static_cast<int>(std::lround(height))));
  Graph.resize(size);
  Graph.surface().resize(size);
}

void FormMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
  folderChooser_.button().move(width() - (kInnerWidth - kFolderButton.left()), kFolderButton.top());
  productTable_.place();
  // During a drawing the surface keeps the picture as it is drawn.
  if (drawings_ == 0) Graph.resizedWhileIdle();
}

}  // namespace quillon::grapher
