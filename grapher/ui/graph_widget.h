// The window's picture surface Graph: an image that keeps what is drawn, grows
// with the window and shows itself by repainting, at most about 60 times a
// second. Once given a catalogue it is also the interactive view over it:
// zoom, pan, hover and click, with pictures drawn on a worker thread.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "grapher/catalogue/catalogue.h"
#include "grapher/ui/image_surface.h"
#include "grapher/ui/render_worker.h"
#include "grapher/ui/view_controller.h"

namespace quillon::grapher {

class GraphWidget final : public QWidget {
 public:
  explicit GraphWidget(QWidget* parent = nullptr);
  ~GraphWidget() override;

  ImageSurface& surface() { return surface_; }
  // Repaints made so far (the drawings present far more often).
  int repaintCount() const { return repaints_; }
  // Repaints now when a present is still waiting for the repaint interval.
  void showNow();

  // Shortest time between two repaints caused by present().
  static constexpr int kRepaintIntervalMs = 16;

  // Turns on the view over catalogue, which must outlive the widget.
  void setCatalogue(const Catalogue& catalogue);
  // Null until setCatalogue.
  ViewController* view() { return view_.get(); }
  // Whether the surface holds the similarity graph, which the view can redraw
  // from the catalogue; otherwise zooming scales the surface's picture.
  void setRedrawable(bool on);
  bool redrawable() const { return redrawable_; }
  // Whether what the view redraws is the keyword relation graph rather than
  // the similarity graph: fit, zoom and hover then concern the keywords.
  void setKeyWordGraph(bool on);
  bool keyWordGraph() const { return keyWordGraph_; }
  // A load replaced the tables.
  void catalogueReplaced();
  // A drawing starts: until it ends, the surface's own picture is the 1:1 view.
  void drawingStarts();
  // The window was resized while no drawing runs: a drawn graph is redrawn to
  // the new size even at 1:1, so that the new area is not left blank.
  void resizedWhileIdle();
  // Call after changing the view's transform or style: redraws as needed.
  void viewChanged();

  // Zooms about the mouse pointer when it is over the widget, else about the middle.
  void zoomBy(double factor);
  void panBy(double dx, double dy);
  void fit();
  // Back to the drawing's own picture at 1:1.
  void actualSize();
  // Selects a product (or none), centring it when asked; tells the selection handler.
  void selectProduct(std::optional<std::int32_t> p, bool centre);

  // True while the view, not the surface's own picture, is what is shown.
  bool viewShown() const { return viewShown_; }
  // The picture as the view shows it, drawn now at the widget's size.
  QImage viewPicture();
  // Finished worker pictures so far, and whether one is still being drawn.
  int renderCount() const { return renders_; }
  bool renderPending() const { return worker_.busy(); }

  void setOnSelection(std::function<void(std::optional<std::int32_t>)> handler) {
    onSelection_ = std::move(handler);
  }
  void setOnContextMenu(std::function<void(QPoint globalPos)> handler) {
    onContextMenu_ = std::move(handler);
  }
  void setOnResized(std::function<void()> handler) { onResized_ = std::move(handler); }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void presentCoalesced();
  void repaintNow();
  void requestRender();
  std::optional<std::int32_t> productAt(QPoint at);
  QString toolTipFor(std::int32_t p);
  std::optional<QString> relationToolTipAt(QPoint at);

  ImageSurface surface_;
  QElapsedTimer sinceRepaint_;
  QTimer pendingRepaint_;
  int repaints_ = 0;

  std::unique_ptr<ViewController> view_;
  bool redrawable_ = false;
  bool keyWordGraph_ = false;
  bool viewShown_ = false;
  bool resizedAfterDrawing_ = false;  // the 1:1 view is redrawn, not the surface's picture
  bool renderAgain_ = false;          // positions moved while a picture was being drawn
  QImage viewImage_;                  // the last finished picture and the transform it was drawn at
  ViewTransform viewImageTransform_;
  int renders_ = 0;
  QString renderFailure_;  // why the last picture could not be drawn; "" once one is
  std::optional<QPoint> pressedAt_;
  QPoint lastDragAt_;
  bool dragging_ = false;
  std::function<void(std::optional<std::int32_t>)> onSelection_;
  std::function<void(QPoint)> onContextMenu_;
  std::function<void()> onResized_;
  RenderWorker worker_;  // last: its thread stops before the rest goes
};

}  // namespace quillon::grapher
