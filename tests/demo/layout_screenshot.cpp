// Takes the README's two pictures of one catalogue in the window: the force
// layout (coloured by keyword, keyword lines hidden) and then the tree layout
// with the same view choices, each fitted as FitAfterDrawing asks. Runs on the
// offscreen platform; no display needed.
#include <QApplication>
#include <QPushButton>
#include <cstdio>

#include "tests/demo/grapher_screenshot.h"

namespace {

bool SaveDrawn(quillon::grapher::FormMain& form, const char* path) {
  quillon::screenshots::WaitForDrawing(form);
  return quillon::screenshots::Save(form.grab().toImage(), path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: grapher_layout_screenshot FOLDER FORCE.png TREE.png\n");
    return 2;
  }
  quillon::screenshots::PreferOffscreen();
  QApplication app(argc, argv);
  using namespace quillon::grapher;
  FormMain form(argv[1], 1u);
  if (!quillon::screenshots::LoadShown(form, argv[1], 1000, 800)) return 1;
  ViewActions& actions = form.viewActions();
  actions.colourByKeyWord.trigger();
  actions.showKeyWordLines.trigger();
  actions.forceLayout.trigger();
  if (!SaveDrawn(form, argv[2])) return 1;
  form.findChild<QPushButton*>(QStringLiteral("CommandDrawGraph"))->click();
  return SaveDrawn(form, argv[3]) ? 0 : 1;
}
