#include "grapher/ui/graph_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace quillon::grapher {

GraphWidget::GraphWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the image covers every pixel
  setFocusPolicy(Qt::TabFocus);
  pendingRepaint_.setSingleShot(true);
  connect(&pendingRepaint_, &QTimer::timeout, this, [this] { repaintNow(); });
  surface_.setPresentHandler([this] { presentCoalesced(); });
}

void GraphWidget::presentCoalesced() {
  if (!sinceRepaint_.isValid() || sinceRepaint_.elapsed() >= kRepaintIntervalMs) {
    pendingRepaint_.stop();
    repaintNow();
  } else if (!pendingRepaint_.isActive()) {
    // The last present of a burst must show too: repaint once the interval is up.
    pendingRepaint_.start(kRepaintIntervalMs - static_cast<int>(sinceRepaint_.elapsed()));
  }
}

void GraphWidget::showNow() {
  if (!pendingRepaint_.isActive()) return;
  pendingRepaint_.stop();
  repaintNow();
}

void GraphWidget::repaintNow() {
  sinceRepaint_.start();
  ++repaints_;
  repaint();
}

void GraphWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QImage& image = surface_.image();
  painter.fillRect(event->rect(), Qt::white);
  painter.drawImage(event->rect().topLeft(), image, event->rect());
}

void GraphWidget::resizeEvent(QResizeEvent* event) {
  surface_.resize(event->size());
  QWidget::resizeEvent(event);
}

}  // namespace quillon::grapher
