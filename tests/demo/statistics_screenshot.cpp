// Takes the README's picture of the statistics panel: a folder loaded, its
// measures computed, the best-linked product selected, and the panel's four
// plots side by side. Runs on the offscreen platform; no display needed.
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
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
    std::fprintf(stderr, "usage: grapher_statistics_screenshot FOLDER OUT.png\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  using namespace quillon::grapher;
  FormMain form(argv[1], 3u);
  form.setProgramEnder([](int) {});
  form.show();
  form.findChild<QPushButton*>(QStringLiteral("CommandGetData"))->click();
  while (form.measuring()) RunEventsFor(20);
  const auto& products = form.catalogue().ProductTable;
  if (products.empty()) {
    std::fprintf(stderr, "no products in %s\n", argv[1]);
    return 1;
  }
  std::size_t best = 0;
  for (std::size_t p = 0; p < products.size(); ++p)
    if (products[p].ReferrerIndex.size() > products[best].ReferrerIndex.size()) best = p;
  form.graph().selectProduct(static_cast<std::int32_t>(best), false);
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
  const QSize cell = plots.front().size();
  QImage picture(cell.width() * 2, cell.height() * 2, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  for (int i = 0; i < plots.size(); ++i)
    painter.drawPixmap((i % 2) * cell.width(), (i / 2) * cell.height(), plots[i]);
  painter.end();
  if (!picture.save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
