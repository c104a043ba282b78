// The window's picture surface Graph: an image that keeps what is drawn, grows
// with the window and shows itself by repainting, at most about 60 times a second.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "grapher/ui/image_surface.h"

namespace quillon::grapher {

class GraphWidget final : public QWidget {
 public:
  explicit GraphWidget(QWidget* parent = nullptr);

  ImageSurface& surface() { return surface_; }
  // Repaints made so far (the drawings present far more often).
  int repaintCount() const { return repaints_; }
  // Repaints now when a present is still waiting for the repaint interval.
  void showNow();

  // Shortest time between two repaints caused by present().
  static constexpr int kRepaintIntervalMs = 16;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void presentCoalesced();
  void repaintNow();

  ImageSurface surface_;
  QElapsedTimer sinceRepaint_;
  QTimer pendingRepaint_;
  int repaints_ = 0;
};

}  // namespace quillon::grapher
