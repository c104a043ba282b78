// The label that shows the products still waiting, inside a view that scrolls.
#pragma once

#include <QFont>
#include <QLabel>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <vector>

namespace quillon::fetcher {

// A plain-text, word-wrapped label that keeps each line's layout from one
// repaint to the next. The list moves up by a few lines per product, so most
// lines are laid out once instead of at every repaint and every size query,
// which is what kept the window from the command line's pace.
class WaitingListLabel final : public QLabel {
 public:
  explicit WaitingListLabel(QWidget* parent);

  // The view asks for these after every text; they answer without a layout.
  QSize sizeHint() const override { return size(); }
  QSize minimumSizeHint() const override { return QSize(0, 0); }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Line {
    QString text;
    std::unique_ptr<QTextLayout> layout;
    qreal top = 0;
    qreal height = 0;
  };

  // Lays the text out at the width, reusing the lines already laid out.
  void layOut(int width) const;

  mutable std::vector<Line> lines_;
  mutable QString laidOutText_;
  mutable int laidOutWidth_ = -1;
  mutable QFont laidOutFont_;
  mutable qreal height_ = 0;
};

}  // namespace quillon::fetcher
