#include "fetcher/ui/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace quillon::fetcher {

QIcon FetcherIcon() {
  QIcon icon;
  for (const int size : {16, 32, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = size / 16.0;
    // Three linked products: the similar-products relation being collected.
    painter.setPen(QPen(QColor(40, 40, 40), unit));
    painter.drawLine(QPointF(4 * unit, 12 * unit), QPointF(8 * unit, 4 * unit));
    painter.drawLine(QPointF(8 * unit, 4 * unit), QPointF(12 * unit, 12 * unit));
    painter.setBrush(QColor(200, 30, 30));
    for (const QPointF centre : {QPointF(8, 4), QPointF(4, 12), QPointF(12, 12)})
      painter.drawEllipse(centre * unit, 2.5 * unit, 2.5 * unit);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace quillon::fetcher
