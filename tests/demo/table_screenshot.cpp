// Takes the README's picture of the product table: a folder loaded and drawn
// with the force layout, coloured by community, the table open under the view
// sorted by PageRank, its first product selected. Runs on the offscreen
// platform; no display needed.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <cstdio>

#include "grapher/ui/form_main.h"

namespace {

void RunEventsFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: grapher_table_screenshot FOLDER OUT.png\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  using namespace quillon::grapher;
  FormMain form(argv[1], 3u);
  form.setProgramEnder([](int) {});
  form.resize(1100, 900);
  form.show();
  form.findChild<QPushButton*>(QStringLiteral("CommandGetData"))->click();
  if (form.catalogue().ProductTable.empty()) {
    std::fprintf(stderr, "no products in %s\n", argv[1]);
    return 1;
  }
  form.DrawForceGraph_Click();
  while (form.measuring()) RunEventsFor(20);
  form.viewActions().colourByCommunity.trigger();
  form.viewActions().productTable.trigger();
  form.graph().fit();
  ProductTableDock& table = form.productTable();
  table.table().sortByColumn(static_cast<int>(ProductColumn::PageRank), Qt::DescendingOrder);
  table.table().selectRow(0);
  GraphWidget& graph = form.graph();
  while (graph.renderPending()) RunEventsFor(10);
  RunEventsFor(50);
  if (!form.grab().save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
