#include "tests/demo/grapher_screenshot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <cstdio>

namespace quillon::screenshots {

void PreferOffscreen() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

void RunEventsFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool LoadShown(grapher::FormMain& form, const char* folder, int width, int height) {
  form.setProgramEnder([](int) {});
  form.resize(width, height);
  form.show();
  form.findChild<QPushButton*>(QStringLiteral("CommandGetData"))->click();
  if (!form.catalogue().ProductTable.empty()) return true;
  std::fprintf(stderr, "no products in %s\n", folder);
  return false;
}

void WaitForDrawing(grapher::FormMain& form) {
  while (form.graph().renderPending()) RunEventsFor(10);
  RunEventsFor(50);
}

bool Save(const QImage& picture, const char* path) {
  if (picture.save(QString::fromLocal8Bit(path))) return true;
  std::fprintf(stderr, "cannot write %s\n", path);
  return false;
}

}  // namespace quillon::screenshots
