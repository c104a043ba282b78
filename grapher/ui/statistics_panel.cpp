#include "grapher/ui/statistics_panel.h"

#include <QFileDialog>
#include <QMenu>
#include <QVBoxLayout>

#include "common/ui/translation.h"
#include "common/ui/window_host.h"
#include "grapher/statistics/graph_statistics.h"
#include "grapher/statistics/statistics_texts.h"
#include "grapher/ui/statistics_charts.h"
#include "grapher/ui/view_texts.h"

namespace quillon::grapher {
namespace {

namespace texts = statistics_texts;

constexpr const char* kTabNames[StatisticsPanel::kPlotCount] = {
    texts::kDegreeTab, texts::kRanksTab, texts::kCommunitiesTab, texts::kMixTab};
constexpr const char* kFileNames[StatisticsPanel::kPlotCount] = {
    "degrees.png", "sales-ranks.png", "communities.png", "keyword-mix.png"};

}  // namespace

StatisticsPanel::StatisticsPanel(QWidget& window)
    : QDockWidget(UiText(texts::kPanelTitle), &window), saveButton_(UiText(texts::kSavePlot)) {
  setObjectName(QStringLiteral("StatisticsPanel"));
  // The window has no dock areas: the panel is a window of its own beside it,
  // and docking it back would lay it over the view.
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  setFloating(true);
  setWindowFlag(Qt::Tool);
  resize(760, 540);
  for (int i = 0; i < kPlotCount; ++i) {
    auto* view = new QChartView;  // owned by tabs_
    view->setRenderHint(QPainter::Antialiasing);
    view->setObjectName(QStringLiteral("StatisticsPlot%1").arg(i));
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, [this, i, view](QPoint at) {
      QMenu menu;
      menu.addAction(UiText(texts::kSavePlot), [this, i] { askAndSave(static_cast<Plot>(i)); });
      menu.exec(view->mapToGlobal(at));
    });
    views_[static_cast<std::size_t>(i)] = view;
    tabs_.addTab(view, UiText(kTabNames[i]));
  }
  saveButton_.setObjectName(QStringLiteral("SavePlot"));
  connect(&saveButton_, &QPushButton::clicked, this,
          [this] { askAndSave(static_cast<Plot>(tabs_.currentIndex())); });
  auto* layout = new QVBoxLayout(&body_);  // owned by body_
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(&tabs_);
  layout->addWidget(&saveButton_, 0, Qt::AlignRight);
  setWidget(&body_);
  hide();
}

void StatisticsPanel::bindAction(QAction& action) {
  action.setCheckable(true);
  connect(&action, &QAction::toggled, this, [this](bool on) {
    if (on == isVisible()) return;
    if (on) {
      // First shown beside the window, where it hides none of the view.
      if (QWidget* window = parentWidget(); window != nullptr && pos().isNull())
        move(window->frameGeometry().topRight() + QPoint(8, 0));
      show();
      raise();
    } else {
      hide();
    }
  });
  connect(this, &QDockWidget::visibilityChanged, &action,
          [this, &action](bool) { action.setChecked(isVisible()); });
}

void StatisticsPanel::refresh() {
  if (isVisible()) replot();
}

void StatisticsPanel::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  replot();
}

void StatisticsPanel::setChart(Plot which, std::unique_ptr<QChart> chart) {
  QChartView& view = plot(which);
  // The view leaves the chart it showed to whoever set it: here, to no one.
  const std::unique_ptr<QChart> old(view.chart());
  view.setChart(chart.release());  // the view owns it
}

void StatisticsPanel::replot() {
  if (!source_) return;
  const Source data = source_();
  if (!data.snapshot) return;
  const Catalogue& catalogue = data.snapshot->catalogue;
  const KeyWordMembership& members = *data.snapshot->members;
  if (!plotted_ || plottedMeasures_.lock() != data.measures) {
    plotted_ = true;
    plottedMeasures_ = data.measures;
    const analysis::GraphMeasures* m = data.measures.get();
    if (m == nullptr || m->size() != catalogue.ProductTable.size()) {
      for (const Plot p : {Degrees, Ranks, Communities})
        setChart(p, MessageChart(UiText(kTabNames[p]), UiText(texts::kNoMeasures)));
    } else {
      setChart(Degrees, DegreeChart(statistics::DegreeDistributionOf(*m)));
      setChart(Ranks, RanksChart(catalogue, statistics::RanksPerKeyWord(catalogue, members)));
      setChart(Communities,
               CommunitiesChart(catalogue, statistics::CommunitiesOf(catalogue, members, *m)));
    }
  }
  if (mixSnapshot_.lock() != data.snapshot || mixAround_ != data.selected ||
      mixHops_ != data.hops) {
    mixSnapshot_ = data.snapshot;
    mixAround_ = data.selected;
    mixHops_ = data.hops;
    const std::int32_t around = data.selected.value_or(-1);
    setChart(KeyWordMix,
             KeyWordMixChart(catalogue,
                             statistics::KeyWordMixAround(catalogue, members, around, data.hops),
                             around, data.hops));
  }
}

Status StatisticsPanel::save(Plot which, const std::string& path) {
  return SaveChart(plot(which), path);
}

void StatisticsPanel::askAndSave(Plot which) {
  const QString path = QFileDialog::getSaveFileName(this, UiText(texts::kSavePlot),
                                                    QString::fromLatin1(kFileNames[which]),
                                                    view_texts::Text(view_texts::kSaveFilter));
  if (path.isEmpty()) return;
  if (const Status saved = save(which, path.toStdString()); !saved)
    ShowFailureBox(UiText(texts::kPanelTitle).toStdString(), saved.failure());
}

}  // namespace quillon::grapher
