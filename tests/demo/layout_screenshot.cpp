// Takes the README's two pictures of one catalogue in the window: the force
// layout (coloured by keyword, keyword lines hidden) and then the tree layout
// with the same view choices, each fitted as FitAfterDrawing asks. Runs on the
// offscreen platform; no display needed.
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

bool Save(quillon::grapher::FormMain& form, const char* path) {
  quillon::grapher::GraphWidget& graph = form.graph();
  while (graph.renderPending()) RunEventsFor(10);
  RunEventsFor(50);
  if (form.grab().save(QString::fromLocal8Bit(path))) return true;
  std::fprintf(stderr, "cannot write %s\n", path);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: grapher_layout_screenshot FOLDER FORCE.png TREE.png\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  using namespace quillon::grapher;
  FormMain form(argv[1], 1u);
  form.setProgramEnder([](int) {});
  form.resize(1000, 800);
  form.show();
  form.findChild<QPushButton*>(QStringLiteral("CommandGetData"))->click();
  if (form.catalogue().ProductTable.empty()) {
    std::fprintf(stderr, "no products in %s\n", argv[1]);
    return 1;
  }
  ViewActions& actions = form.viewActions();
  actions.colourByKeyWord.trigger();
  actions.showKeyWordLines.trigger();
  actions.forceLayout.trigger();
  if (!Save(form, argv[2])) return 1;
  form.findChild<QPushButton*>(QStringLiteral("CommandDrawGraph"))->click();
  return Save(form, argv[3]) ? 0 : 1;
}
