#include "grapher/ui/graph_widget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "grapher/ui/details_panel.h"
#include "grapher/ui/graph_painting.h"
#include "grapher/ui/view_texts.h"
#include "grapher/view/keyword_view.h"
#include "grapher/view/view_render.h"

namespace quillon::grapher {
namespace {

// One notch of a wheel (120 units) zooms by about 1.2.
constexpr double kWheelZoomBase = 1.0015;

// Maps a picture drawn at `from` onto the view at `to`.
QTransform Delta(const ViewTransform& from, const ViewTransform& to) {
  const double k = to.scale / from.scale;
  return QTransform(k, 0, 0, k, to.offsetX - from.offsetX * k, to.offsetY - from.offsetY * k);
}

QImage Render(const ViewSnapshot& snap, const ViewTransform& t, const ViewStyle& style, QSize size,
              bool keyWordGraph, const std::atomic<bool>* cancel) {
  ImageSurface picture(size);
  if (keyWordGraph)
    RenderKeyWordView(snap.catalogue, t, picture, cancel);
  else
    RenderView(snap.catalogue, *snap.members, t, style, picture, cancel);
  return picture.picture();
}

}  // namespace

GraphWidget::GraphWidget(QWidget* parent) : QWidget(parent), worker_(*this) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the image covers every pixel
  setFocusPolicy(Qt::TabFocus);
  pendingRepaint_.setSingleShot(true);
  connect(&pendingRepaint_, &QTimer::timeout, this, [this] { repaintNow(); });
  surface_.setPresentHandler([this] { presentCoalesced(); });
}

GraphWidget::~GraphWidget() = default;

void GraphWidget::presentCoalesced() {
  // Each present may follow moved products; the view copies them when it next draws.
  if (view_ && redrawable_) {
    view_->positionsMoved();
    if (viewShown_) {
      if (worker_.busy()) {
        renderAgain_ = true;
      } else {
        requestRender();
      }
    }
  }
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

void GraphWidget::setCatalogue(const Catalogue& catalogue) {
  view_ = std::make_unique<ViewController>(catalogue);
  setMouseTracking(true);
}

void GraphWidget::setRedrawable(bool on) {
  if (redrawable_ == on) return;
  redrawable_ = on;
  viewImage_ = QImage();
  if (view_) view_->positionsMoved();
  viewChanged();
}

void GraphWidget::setKeyWordGraph(bool on) {
  if (keyWordGraph_ == on) return;
  keyWordGraph_ = on;
  viewImage_ = QImage();
  if (view_) view_->positionsMoved();
  viewChanged();
}

void GraphWidget::catalogueReplaced() {
  if (!view_) return;
  view_->catalogueReplaced();
  if (onSelection_) onSelection_(std::nullopt);
  viewChanged();
}

void GraphWidget::drawingStarts() {
  resizedAfterDrawing_ = false;
  viewChanged();
}

void GraphWidget::resizedWhileIdle() {
  if (!view_ || !redrawable_ || resizedAfterDrawing_) return;
  resizedAfterDrawing_ = true;
  viewChanged();
}

void GraphWidget::viewChanged() {
  viewShown_ = view_ && (!view_->isPlain() || (resizedAfterDrawing_ && redrawable_));
  if (viewShown_ && redrawable_) requestRender();
  update();
}

void GraphWidget::requestRender() {
  renderAgain_ = false;
  const auto snap = view_->snapshot();
  const ViewTransform t = view_->transform();
  worker_.request(
      [snap, t, style = view_->style(), size = size(),
       keyWords = keyWordGraph_](const std::atomic<bool>& cancel) {
        return Render(*snap, t, style, size, keyWords, &cancel);
      },
      [this, t](QImage image) {
        viewImage_ = std::move(image);
        viewImageTransform_ = t;
        renderFailure_.clear();
        ++renders_;
        update();
        if (renderAgain_ && viewShown_ && !worker_.busy()) requestRender();
      },
      [this](const std::string& reason) {
        // The last picture stays and the view keeps working; the next change tries again.
        renderFailure_ = UiText(view_texts::kRenderFailed).arg(QString::fromStdString(reason));
        update();
        if (renderAgain_ && viewShown_ && !worker_.busy()) requestRender();
      });
}

QImage GraphWidget::viewPicture() {
  if (!viewShown_ || !view_) return surface_.picture();
  if (redrawable_)
    return Render(*view_->snapshot(), view_->transform(), view_->style(), size(), keyWordGraph_,
                  nullptr);
  QImage shown(size(), QImage::Format_RGB32);
  shown.fill(Qt::white);
  QPainter painter(&shown);
  painter.setTransform(Delta({}, view_->transform()));
  painter.drawImage(0, 0, surface_.picture());
  return shown;
}

void GraphWidget::zoomBy(double factor) {
  if (!view_) return;
  const QPoint cursor = mapFromGlobal(QCursor::pos());
  const QPointF about = rect().contains(cursor) ? QPointF(cursor) : QRectF(rect()).center();
  view_->zoomAbout({about.x(), about.y()}, factor);
  viewChanged();
}

void GraphWidget::panBy(double dx, double dy) {
  if (!view_) return;
  view_->panBy(dx, dy);
  viewChanged();
}

void GraphWidget::fit() {
  if (!view_) return;
  if (redrawable_ && keyWordGraph_) {
    view_->fitKeyWordGraph(width(), height(), surface_);
  } else if (redrawable_) {
    view_->fit(width(), height(), surface_);
  } else {
    // Without products to measure, the surface's own picture is what is fitted.
    Bounds picture;
    picture.include(0, 0);
    picture.include(surface_.width(), surface_.height());
    view_->setTransform(FitTransform(picture, width(), height(), 0));
  }
  viewChanged();
}

void GraphWidget::actualSize() {
  if (!view_) return;
  resizedAfterDrawing_ = false;
  view_->setTransform({});
  viewChanged();
}

void GraphWidget::selectProduct(std::optional<std::int32_t> p, bool centre) {
  if (!view_) return;
  view_->select(p);
  if (centre && view_->selected()) view_->centreOn(*view_->selected(), width(), height());
  viewChanged();
  if (onSelection_) onSelection_(view_->selected());
}

std::optional<std::int32_t> GraphWidget::productAt(QPoint at) {
  if (!view_ || !redrawable_ || keyWordGraph_) return std::nullopt;
  return view_->productAt({static_cast<double>(at.x()), static_cast<double>(at.y())});
}

QString GraphWidget::toolTipFor(std::int32_t p) {
  using namespace view_texts;
  const auto snap = view_->snapshot();
  const Product& product = snap->catalogue.ProductTable[static_cast<std::size_t>(p)];
  const QString keyWord = KeyWordOf(snap->catalogue, product);
  return QStringLiteral("%1\n%2: %3\n%4: %5\n%6: %7")
      .arg(TitleOf(product), Text(kAsin), ToQString(product.ASIN), Text(kSalesRank),
           SalesRankOf(product), Text(kKeyWord), keyWord.isEmpty() ? Text(kNone) : keyWord);
}

std::optional<QString> GraphWidget::relationToolTipAt(QPoint at) {
  // Relation lines are drawn only away from the command's own 1:1 picture.
  if (!view_ || !redrawable_ || !keyWordGraph_ || view_->transform().isIdentity())
    return std::nullopt;
  const auto snap = view_->snapshot();
  const auto hit =
      RelationAt(snap->catalogue, view_->transform(),
                 {static_cast<double>(at.x()), static_cast<double>(at.y())}, kHitTolerancePx + 1);
  if (!hit) return std::nullopt;
  const auto& keyWords = snap->catalogue.KeyWordTable;
  const QString from = ToQString(keyWords[static_cast<std::size_t>(hit->from)].Text);
  const QString to = ToQString(keyWords[static_cast<std::size_t>(hit->to)].Text);
  return QStringLiteral("%1 -> %2: %3\n%2 -> %1: %4")
      .arg(from, to, QString::number(hit->weight, 'g', 6),
           QString::number(hit->backWeight, 'g', 6));
}

bool GraphWidget::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (const auto relation = relationToolTipAt(help->pos())) {
      QToolTip::showText(help->globalPos(), *relation, this);
    } else if (const auto p = productAt(help->pos())) {
      QToolTip::showText(help->globalPos(), toolTipFor(*p), this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

void GraphWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  if (!viewShown_) {
    const QImage& image = surface_.image();
    painter.drawImage(event->rect().topLeft(), image, event->rect());
    return;
  }
  // Until the worker's picture for this transform is ready, the last one moves with the view.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (!redrawable_) {
    // The backing image may be larger than the picture; only the picture is shown.
    painter.setTransform(Delta({}, view_->transform()));
    painter.drawImage(QRectF(0, 0, surface_.width(), surface_.height()), surface_.image(),
                      QRectF(0, 0, surface_.width(), surface_.height()));
  } else if (!viewImage_.isNull()) {
    painter.setTransform(Delta(viewImageTransform_, view_->transform()));
    painter.drawImage(0, 0, viewImage_);
  }
  if (!renderFailure_.isEmpty()) {
    painter.resetTransform();
    const QRect box =
        painter.boundingRect(rect().adjusted(8, 8, -8, -8),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, renderFailure_);
    painter.fillRect(box.adjusted(-4, -2, 4, 2), QColor(255, 255, 224));
    painter.setPen(Qt::darkRed);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, renderFailure_);
  }
}

void GraphWidget::resizeEvent(QResizeEvent* event) {
  surface_.resize(event->size());
  QWidget::resizeEvent(event);
  if (viewShown_ && redrawable_) requestRender();
  if (onResized_) onResized_();
}

void GraphWidget::wheelEvent(QWheelEvent* event) {
  if (!view_) return QWidget::wheelEvent(event);
  const double factor = std::pow(kWheelZoomBase, event->angleDelta().y());
  view_->zoomAbout({event->position().x(), event->position().y()}, factor);
  viewChanged();
  event->accept();
}

void GraphWidget::mousePressEvent(QMouseEvent* event) {
  if (!view_ || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  pressedAt_ = event->position().toPoint();
  lastDragAt_ = *pressedAt_;
  dragging_ = false;
}

void GraphWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!pressedAt_ || !(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
  const QPoint at = event->position().toPoint();
  if (!dragging_ && (at - *pressedAt_).manhattanLength() < QApplication::startDragDistance())
    return;
  dragging_ = true;
  const QPoint step = at - lastDragAt_;
  lastDragAt_ = at;
  panBy(step.x(), step.y());
}

void GraphWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!pressedAt_ || event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const bool click = !dragging_;
  pressedAt_.reset();
  dragging_ = false;
  if (click && redrawable_) selectProduct(productAt(event->position().toPoint()), false);
}

void GraphWidget::contextMenuEvent(QContextMenuEvent* event) {
  if (!onContextMenu_) return QWidget::contextMenuEvent(event);
  onContextMenu_(event->globalPos());
}

}  // namespace quillon::grapher
