// Takes the README's pictures of the product table and the statistics panel: a
// folder loaded and drawn with the force layout, coloured by community, the
// table open under the view sorted by PageRank with its first product
// selected, and the panel's four plots. Writes the window with the table, the
// plots two by two, and the window with the panel beside it. Runs on the
// offscreen platform; no display needed.
#include <QApplication>
#include <QPainter>
#include <cstdio>

#include "tests/demo/grapher_screenshot.h"

namespace {

// The pictures side by side (columns apart) or two by two, on white.
QImage Arrange(const QList<QPixmap>& pictures, int columns) {
  int width = 0;
  int height = 0;
  for (int i = 0; i < pictures.size(); ++i) {
    if (i < columns) width += pictures[i].width();
    if (i % columns == 0) height += pictures[i].height();
  }
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  QPoint at(0, 0);
  for (int i = 0; i < pictures.size(); ++i) {
    painter.drawPixmap(at, pictures[i]);
    at.rx() += pictures[i].width();
    if ((i + 1) % columns == 0) at = QPoint(0, at.y() + pictures[i].height());
  }
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr,
                 "usage: grapher_panels_screenshot FOLDER TABLE.png STATISTICS.png BOTH.png\n");
    return 2;
  }
  using namespace quillon::screenshots;
  PreferOffscreen();
  QApplication app(argc, argv);
  using namespace quillon::grapher;
  FormMain form(argv[1], 3u);
  if (!LoadShown(form, argv[1], 1100, 900)) return 1;
  form.DrawForceGraph_Click();
  while (form.measuring()) RunEventsFor(20);
  form.viewActions().colourByCommunity.trigger();
  form.viewActions().productTable.trigger();
  form.graph().fit();
  ProductTableDock& table = form.productTable();
  table.table().sortByColumn(static_cast<int>(ProductColumn::PageRank), Qt::DescendingOrder);
  table.table().selectRow(0);
  WaitForDrawing(form);
  const QPixmap window = form.grab();
  if (!Save(window.toImage(), argv[2])) return 1;

  StatisticsPanel& panel = form.statistics();
  form.viewActions().statistics.trigger();
  panel.resize(660, 520);
  RunEventsFor(100);
  QList<QPixmap> plots;
  for (int i = 0; i < StatisticsPanel::kPlotCount; ++i) {
    panel.tabs().setCurrentIndex(i);
    RunEventsFor(100);
    plots.append(panel.plot(static_cast<StatisticsPanel::Plot>(i)).grab());
  }
  if (!Save(Arrange(plots, 2), argv[3])) return 1;
  // The panel floats beside the window, showing the neighbourhood's keywords.
  panel.resize(660, window.height());
  RunEventsFor(100);
  return Save(Arrange({window, panel.grab()}, 2), argv[4]) ? 0 : 1;
}
