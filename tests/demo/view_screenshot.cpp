// Takes the README's picture of the window's view: a crawled folder loaded and
// drawn, zoomed in on its best-linked product, which is selected with its
// details panel open. Runs on the offscreen platform; no display needed.
#include <QApplication>
#include <QPushButton>
#include <cstdio>

#include "tests/demo/grapher_screenshot.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: grapher_view_screenshot FOLDER OUT.png\n");
    return 2;
  }
  using namespace quillon::screenshots;
  PreferOffscreen();
  QApplication app(argc, argv);
  using namespace quillon::grapher;
  FormMain form(argv[1], 3u);
  if (!LoadShown(form, argv[1], 1100, 760)) return 1;
  form.findChild<QPushButton*>(QStringLiteral("CommandDrawGraph"))->click();

  const auto& products = form.catalogue().ProductTable;
  std::size_t best = 0;
  for (std::size_t p = 0; p < products.size(); ++p) {
    const auto links = [&](std::size_t i) {
      return products[i].SimilarIndex.size() + products[i].ReferrerIndex.size();
    };
    if (links(p) > links(best)) best = p;
  }
  GraphWidget& graph = form.graph();
  ViewController& view = *graph.view();
  view.zoomAbout({graph.width() / 2.0, graph.height() / 2.0}, 1.6);
  graph.selectProduct(static_cast<std::int32_t>(best), true);
  // The panel covers the right of the view: move the product to the middle of what is left.
  view.panBy(-DetailsPanel::kWidth / 2.0, 0);
  graph.viewChanged();
  WaitForDrawing(form);
  return Save(form.grab().toImage(), argv[2]) ? 0 : 1;
}
