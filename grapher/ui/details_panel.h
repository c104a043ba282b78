// The panel over the right edge of the graph that shows the selected product:
// its fields and its similar products and referrers as links.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdint>
#include <functional>

#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

class DetailsPanel final : public QFrame {
 public:
  explicit DetailsPanel(QWidget& parent);

  // A link was followed: the product index it names.
  void setOnProduct(std::function<void(std::int32_t)> handler) { onProduct_ = std::move(handler); }
  void setOnClosed(std::function<void()> handler) { onClosed_ = std::move(handler); }

  // Shows product p of the catalogue (opening the panel if it is closed), with
  // its measures once they are known.
  void showProduct(const Catalogue& catalogue, std::int32_t p,
                   const analysis::GraphMeasures* measures = nullptr);
  void close();
  // The panel's text as shown, without markup.
  QString plainText() const;
  // Keeps to the parent's right edge, from `top` (see setTop) to the bottom.
  void place();
  // Where the panel starts: below the find bar while that is open, so that its
  // count and buttons stay visible.
  void setTop(int top) {
    top_ = top;
    if (isVisible()) place();
  }

  static constexpr int kWidth = 280;

 private:
  QVBoxLayout layout_;
  QToolButton close_;
  QScrollArea scroll_;
  QLabel content_;
  std::function<void(std::int32_t)> onProduct_;
  std::function<void()> onClosed_;
  int top_ = 0;
};

// The keyword a product was filed under, or "" when it has none.
QString KeyWordOf(const Catalogue& catalogue, const Product& product);
// The title, or "（タイトル不明）" when the product has none (no record).
QString TitleOf(const Product& product);
// The sales rank, or "順位不明" when it is not known (0 or less).
QString SalesRankOf(const Product& product);

}  // namespace quillon::grapher
