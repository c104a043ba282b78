#include "fetcher/ui/waiting_list_label.h"

#include <QHash>
#include <QPaintEvent>
#include <QPainter>
#include <QTextLine>
#include <cmath>
#include <utility>

namespace quillon::fetcher {

WaitingListLabel::WaitingListLabel(QWidget* parent) : QLabel(parent) {}

int WaitingListLabel::heightForWidth(int width) const {
  layOut(width);
  return static_cast<int>(std::ceil(height_));
}

void WaitingListLabel::layOut(int width) const {
  const QString current = text();
  if (width == laidOutWidth_ && font() == laidOutFont_ && current == laidOutText_) return;
  QHash<QString, Line*> previous;
  // A new width or font lays every line out again.
  if (width == laidOutWidth_ && font() == laidOutFont_)
    for (Line& line : lines_) previous.insert(line.text, &line);

  std::vector<Line> lines;
  QTextOption option(alignment());
  option.setWrapMode(QTextOption::WordWrap);
  qreal top = 0;
  for (const QString& part : current.split(QLatin1Char('\n'))) {
    Line line;
    line.text = part;
    if (Line* kept = previous.value(part, nullptr); kept != nullptr && kept->layout) {
      line.layout = std::move(kept->layout);
      line.height = kept->height;
    } else {
      line.layout = std::make_unique<QTextLayout>(part, font());
      line.layout->setTextOption(option);
      line.layout->beginLayout();
      for (QTextLine row = line.layout->createLine(); row.isValid();
           row = line.layout->createLine()) {
        row.setLineWidth(width);
        row.setPosition(QPointF(0, line.height));
        line.height += row.height();
      }
      line.layout->endLayout();
    }
    line.top = top;
    top += line.height;
    lines.push_back(std::move(line));
  }
  lines_ = std::move(lines);
  laidOutText_ = current;
  laidOutWidth_ = width;
  laidOutFont_ = font();
  height_ = top;
}

void WaitingListLabel::paintEvent(QPaintEvent* event) {
  layOut(width());
  QPainter painter(this);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Normal : QPalette::Disabled, foregroundRole()));
  const QRect exposed = event->rect();
  for (const Line& line : lines_) {
    if (line.top > exposed.bottom()) break;
    if (line.top + line.height < exposed.top()) continue;
    line.layout->draw(&painter, QPointF(0, line.top));
  }
}

}  // namespace quillon::fetcher
