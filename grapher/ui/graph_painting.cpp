#include "grapher/ui/graph_painting.h"

#include <QLineF>
#include <QPen>
#include <QRectF>
#include <QStringList>
#include <algorithm>

namespace quillon::grapher {

QFont GraphFont() {
  QFont font;
  font.setFamilies(QStringList{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                               QStringLiteral("Noto Sans CJK JP")});
  font.setPointSizeF(8.25);
  font.setWeight(QFont::Normal);
  return font;
}

void PreparePainter(QPainter& painter, const QFont& font) {
  painter.setFont(font);
  painter.setBrush(Qt::NoBrush);
  painter.setBackgroundMode(Qt::TransparentMode);
  // Crisp one-pixel lines; text keeps the platform's smoothing.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
}

namespace {
void UsePen(QPainter& painter, QColor color) {
  // Changing the pen is the dearest part of a short line: keep it when it fits.
  if (painter.pen().color() == color && painter.pen().width() == 0) return;
  QPen pen(color);
  pen.setWidth(0);  // cosmetic: one pixel whatever the transformation
  painter.setPen(pen);
}
}  // namespace

void PaintLine(QPainter& painter, float x1, float y1, float x2, float y2, QColor color) {
  UsePen(painter, color);
  painter.drawLine(QLineF(x1, y1, x2, y2));
}

void PaintRectangle(QPainter& painter, float x1, float y1, float x2, float y2, QColor color) {
  UsePen(painter, color);
  const float left = std::min(x1, x2);
  const float top = std::min(y1, y2);
  painter.drawRect(QRectF(left, top, std::max(x1, x2) - left, std::max(y1, y2) - top));
}

void PaintCircle(QPainter& painter, float x, float y, float radius, QColor color) {
  UsePen(painter, color);
  painter.drawEllipse(QPointF(x, y), radius, radius);
}

void PaintText(QPainter& painter, float x, float y, float ascent, const QString& text,
               QColor color) {
  UsePen(painter, color);
  painter.drawText(QPointF(x, y + ascent), text);
}

}  // namespace quillon::grapher
