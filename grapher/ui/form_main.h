// The grapher's window: the load and draw buttons, two status labels and the
// picture Graph, which is also an interactive view with a find bar, a details
// panel and a right-click menu. It only wires widgets to the core.
#pragma once

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/texts.h"
#include "common/ui/command_runner.h"
#include "common/ui/folder_chooser.h"
#include "common/ui/window_host.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/layout/placement_directions.h"
#include "grapher/ui/details_panel.h"
#include "grapher/ui/filter_panel.h"
#include "grapher/ui/find_bar.h"
#include "grapher/ui/graph_widget.h"
#include "grapher/ui/measure_worker.h"
#include "grapher/ui/product_table_dock.h"
#include "grapher/ui/statistics_panel.h"
#include "grapher/ui/view_actions.h"

namespace quillon::grapher {

// The window's caption, which its message boxes carry as well.
inline constexpr std::string_view kApplicationTitle = QUILLON_TEXT("quillon", "Quillon グラフ作成");

class FormMain final : public QWidget {
 public:
  explicit FormMain(std::string programFolder, std::optional<std::uint32_t> seed = std::nullopt,
                    QWidget* parent = nullptr);
  ~FormMain() override;

  void CommandGetData_Click();
  void CommandDrawGraph_Click();
  void CommandDrawGraphAlt_Click();
  // The draw-graph command with the force-directed layout (menu and Ctrl+L).
  void DrawForceGraph_Click();

  const Catalogue& catalogue() const { return catalogue_; }
  WindowHost& host() { return host_; }
  GraphWidget& graph() { return Graph; }
  FindBar& findBar() { return findBar_; }
  DetailsPanel& details() { return details_; }
  FilterPanel& filters() { return filters_; }
  StatisticsPanel& statistics() { return statistics_; }
  ProductTableDock& productTable() { return productTable_; }
  // Shows the progress of the measures, and why they failed.
  QLabel& measureStatus() { return measureStatus_; }
  // True while the measures of the last load are computed.
  bool measuring() const { return measureWorker_.busy(); }
  ViewActions& viewActions() { return actions_; }
  // Opens another program folder; shown once a program can put a window for
  // it in this one's place.
  FolderChooser& folderChooser() { return folderChooser_; }
  // The graph's right-click menu.
  std::unique_ptr<QMenu> makeContextMenu();
  // Writes the view as shown (PNG, or SVG by the suffix); a failure is shown in a box.
  void saveView(const std::string& path);

  // What ends the program once a command has seen the close request; by
  // default the application's event loop is told to exit.
  void setProgramEnder(CommandRunner::ProgramEnder ender) {
    runner_.setProgramEnder(std::move(ender));
  }
  // What times the pauses between the intermediate pictures of a drawing; by
  // default the steady clock.
  void setClock(Clock& clock) { clock_ = &clock; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Form_QueryUnload();
  void Form_Resize();
  void setDrawingButtons(bool enabled);
  // A drawing ended by Esc (or by an unexpected failure) says so in LabelStatus.
  void showDrawingStopped();
  void drawProducts(bool force);
  // Seeds the directions as the settings and the command line ask; returns the
  // choices, which say whether to fit when the drawing ends.
  DrawingChoices beforeDrawing();
  void afterDrawing(const DrawingChoices& choices);
  void connectView();
  // Esc: cancels a drawing, else closes the find bar, else clears the selection.
  void clearOrCancel();
  void openFindBar();
  void findStep(bool backwards);
  void showSelection(std::optional<std::int32_t> p);
  void setColourBy(ColourBy mode);
  void setSizeBy(SizeBy mode);
  // Computes the measures of the load just finished, off the window's thread.
  void startMeasures();
  void measuresDone(std::shared_ptr<const analysis::GraphMeasures> measures,
                    const std::string& error);
  // The filter panel's choice goes to the view.
  void applyFilters();
  void askAndSaveView();
  // The statistics panel reads the view's snapshot, measures and selection.
  void connectStatistics();

  QPushButton CommandDrawGraphAlt;
  QPushButton CommandGetData;
  QLabel LabelStatus;
  QLabel LabelStatus2;
  GraphWidget Graph;
  QPushButton CommandDrawGraph;
  QLabel seedLabel_;  // the seed of the picture shown, so that it can be drawn again
  // Made after the controls above, so that they follow them in the focus chain.
  FindBar findBar_;
  DetailsPanel details_;
  FilterPanel filters_;
  QLabel measureStatus_;
  ViewActions actions_;
  ProductTableDock productTable_;
  FolderChooser folderChooser_;
  StatisticsPanel statistics_;

  WindowHost host_;
  CommandRunner runner_;
  SteadyClock steadyClock_;
  Clock* clock_ = &steadyClock_;
  const std::string programFolder_;
  Catalogue catalogue_;  // replaced by each load, read and laid out by the drawings
  PlacementDirections directions_;
  const std::optional<std::uint32_t> commandLineSeed_;
  bool loading_ = false;         // a load runs (possibly under a drawing started meanwhile)
  int drawings_ = 0;             // drawings running (one may start inside a load)
  MeasureWorker measureWorker_;  // last: its thread stops before the rest goes
};

}  // namespace quillon::grapher
