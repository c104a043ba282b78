// How the grapher's pictures are painted with Qt, shared by the window, the PNG
// and the SVG output so that all three look the same.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>
#include <string_view>

#include "grapher/render/surface.h"

namespace quillon::grapher {

// The picture font: the classic Japanese UI font first, then free fallbacks.
QFont GraphFont();

inline QColor ToQColor(Rgb color) {
  return QColor(color.r, color.g, color.b);
}
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Primitives in one-pixel solid pens, outlines never filled.
void PaintLine(QPainter& painter, float x1, float y1, float x2, float y2, QColor color);
void PaintRectangle(QPainter& painter, float x1, float y1, float x2, float y2, QColor color);
void PaintCircle(QPainter& painter, float x, float y, float radius, QColor color);
// Glyphs only, top-left corner of the text at (x, y); ascent of the painter's font.
void PaintText(QPainter& painter, float x, float y, float ascent, const QString& text,
               QColor color);

// Starts painting with the settings every picture uses.
void PreparePainter(QPainter& painter, const QFont& font);

}  // namespace quillon::grapher
