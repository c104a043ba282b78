// The statistics panel: a dock, hidden until asked for, with the four plots
// on tabs (degree distribution, sales ranks per keyword, community sizes, the
// keyword mix around the selection), each saved as PNG or SVG.
#pragma once

#include <QAction>
#include <QChartView>
#include <QDockWidget>
#include <QPushButton>
#include <QTabWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/expected.h"
#include "grapher/analysis/graph_measures.h"
#include "grapher/ui/view_controller.h"

namespace quillon::grapher {

class StatisticsPanel final : public QDockWidget {
 public:
  enum Plot { Degrees, Ranks, Communities, KeyWordMix };
  static constexpr int kPlotCount = 4;

  // What the plots are made from, read when the panel is shown or refreshed.
  struct Source {
    std::shared_ptr<const ViewSnapshot> snapshot;
    std::shared_ptr<const analysis::GraphMeasures> measures;  // null until computed
    std::optional<std::int32_t> selected;
    int hops = 1;
  };

  explicit StatisticsPanel(QWidget& window);

  void setSource(std::function<Source()> source) { source_ = std::move(source); }
  // The action that shows and hides the panel, kept ticked while it is shown.
  void bindAction(QAction& action);
  // The data may have changed: plots are made again, now if shown, else when next shown.
  void refresh();

  QTabWidget& tabs() { return tabs_; }
  QChartView& plot(Plot which) { return *views_[static_cast<std::size_t>(which)]; }
  // Writes the plot as PNG, or SVG when the name ends in .svg.
  Status save(Plot which, const std::string& path);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Draws the plots again where their data changed.
  void replot();
  void setChart(Plot which, std::unique_ptr<QChart> chart);
  void askAndSave(Plot which);

  QWidget body_;
  QTabWidget tabs_;
  QPushButton saveButton_;
  std::array<QChartView*, kPlotCount> views_{};  // owned by tabs_
  std::function<Source()> source_;
  // What the plots show, so that only what changed is made again.
  // Weak, so that a new load's data at a freed one's address is never taken for it.
  std::weak_ptr<const analysis::GraphMeasures> plottedMeasures_;
  bool plotted_ = false;
  std::weak_ptr<const ViewSnapshot> mixSnapshot_;
  std::optional<std::int32_t> mixAround_;
  int mixHops_ = -1;
};

}  // namespace quillon::grapher
