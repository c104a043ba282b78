#include "grapher/ui/view_saving.h"

#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "grapher/ui/picture_files.h"
#include "grapher/ui/svg_surface.h"
#include "grapher/view/keyword_view.h"
#include "grapher/view/view_render.h"

namespace quillon::grapher {
namespace {

// A picture that has no drawing behind it (the keyword graph at 1:1) goes into the SVG as an image.
Status SaveImageAsSvg(const QImage& image, const std::string& path) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return PictureWriteFailure(path, file.errorString());
  {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(image.size());
    generator.setViewBox(QRect(QPoint(0, 0), image.size()));
    generator.setTitle(QStringLiteral("Quillon"));
    QPainter painter;
    if (!painter.begin(&generator))
      return PictureWriteFailure(path, QStringLiteral("cannot paint"));
    painter.drawImage(0, 0, image);
    painter.end();
  }
  if (!file.commit()) return PictureWriteFailure(path, file.errorString());
  return Success();
}

}  // namespace

Status SaveView(GraphWidget& graph, const std::string& path) {
  const bool svg =
      QString::fromStdString(path).endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
  ViewController* view = graph.view();
  const bool picture = !graph.viewShown() && (!svg || graph.keyWordGraph());
  if (view == nullptr || !graph.redrawable() || picture) {
    const QImage shown = graph.viewPicture();
    return svg ? SaveImageAsSvg(shown, path) : SavePng(shown, path);
  }
  if (!svg) return SavePng(graph.viewPicture(), path);
  const auto snap = view->snapshot();
  SvgSurface surface(graph.size());
  if (graph.keyWordGraph())
    RenderKeyWordView(snap->catalogue, view->transform(), surface);
  else
    RenderView(snap->catalogue, *snap->members, view->transform(), view->style(), surface);
  return surface.saveSvg(path);
}

}  // namespace quillon::grapher
