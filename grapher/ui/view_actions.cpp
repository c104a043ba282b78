#include "grapher/ui/view_actions.h"

#include <initializer_list>

#include "grapher/statistics/statistics_texts.h"
#include "grapher/ui/analysis_texts.h"
#include "grapher/ui/table_texts.h"
#include "grapher/ui/view_texts.h"

namespace quillon::grapher {
namespace {

void Define(QWidget& window, QAction& action, const char* text, const char* name,
            std::initializer_list<QKeySequence> keys) {
  action.setText(view_texts::Text(text));
  action.setObjectName(QString::fromLatin1(name));
  action.setShortcuts(QList<QKeySequence>(keys));
  action.setShortcutContext(Qt::WindowShortcut);
  window.addAction(&action);
}

}  // namespace

ViewActions::ViewActions(QWidget& window) : colours(&window), sizes(&window) {
  using namespace view_texts;
  // '=' is '+' without Shift on many keyboards.
  Define(window, zoomIn, kZoomIn, "ActionZoomIn", {Qt::Key_Plus, Qt::Key_Equal});
  Define(window, zoomOut, kZoomOut, "ActionZoomOut", {Qt::Key_Minus});
  Define(window, panLeft, kPanLeft, "ActionPanLeft", {Qt::Key_Left});
  Define(window, panRight, kPanRight, "ActionPanRight", {Qt::Key_Right});
  Define(window, panUp, kPanUp, "ActionPanUp", {Qt::Key_Up});
  Define(window, panDown, kPanDown, "ActionPanDown", {Qt::Key_Down});
  Define(window, fit, kFit, "ActionFit", {Qt::Key_F});
  Define(window, actualSize, kActualSize, "ActionActualSize", {Qt::Key_0});
  Define(window, find, kFind, "ActionFind", {QKeySequence::Find});
  Define(window, findNext, kFindNext, "ActionFindNext", {Qt::Key_F3});
  Define(window, findPrevious, kFindPrevious, "ActionFindPrevious",
         {QKeySequence(Qt::SHIFT | Qt::Key_F3)});
  Define(window, colourByDrawing, kColourByDrawing, "ActionColourByDrawing",
         {QKeySequence(Qt::CTRL | Qt::Key_1)});
  Define(window, colourByKeyWord, kColourByKeyWord, "ActionColourByKeyWord",
         {QKeySequence(Qt::CTRL | Qt::Key_2)});
  Define(window, colourByRank, kColourByRank, "ActionColourByRank",
         {QKeySequence(Qt::CTRL | Qt::Key_3)});
  Define(window, colourByCommunity, analysis_texts::kColourByCommunity, "ActionColourByCommunity",
         {QKeySequence(Qt::CTRL | Qt::Key_4)});
  Define(window, colourByComponent, analysis_texts::kColourByComponent, "ActionColourByComponent",
         {QKeySequence(Qt::CTRL | Qt::Key_5)});
  Define(window, sizeFixed, analysis_texts::kSizeFixed, "ActionSizeFixed",
         {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_1)});
  Define(window, sizeByPageRank, analysis_texts::kSizeByPageRank, "ActionSizeByPageRank",
         {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_2)});
  Define(window, sizeByDegree, analysis_texts::kSizeByDegree, "ActionSizeByDegree",
         {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_3)});
  Define(window, sizeByRank, analysis_texts::kSizeByRank, "ActionSizeByRank",
         {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_4)});
  Define(window, filters, analysis_texts::kFilters, "ActionFilters",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)});
  Define(window, statistics, statistics_texts::kPanelTitle, "ActionStatistics",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
  Define(window, productTable, table_texts::kProductTable, "ActionProductTable",
         {QKeySequence(Qt::CTRL | Qt::Key_T)});
  Define(window, save, kSaveView, "ActionSaveView", {QKeySequence::Save});
  Define(window, clearOrCancel, kClearOrCancel, "ActionClearOrCancel", {Qt::Key_Escape});
  Define(window, keyWordGraph, kKeyWordGraph, "ActionKeyWordGraph",
         {QKeySequence(Qt::CTRL | Qt::Key_K)});
  Define(window, forceLayout, kForceLayout, "ActionForceLayout",
         {QKeySequence(Qt::CTRL | Qt::Key_L)});
  Define(window, showSimilarityLines, kShowSimilarityLines, "ActionShowSimilarityLines",
         {QKeySequence(Qt::ALT | Qt::Key_1)});
  Define(window, showKeyWordLines, kShowKeyWordLines, "ActionShowKeyWordLines",
         {QKeySequence(Qt::ALT | Qt::Key_2)});
  Define(window, showLabels, kShowLabels, "ActionShowLabels", {QKeySequence(Qt::ALT | Qt::Key_3)});
  for (QAction* part : {&showSimilarityLines, &showKeyWordLines, &showLabels}) {
    part->setCheckable(true);
    part->setChecked(true);
  }
  for (QAction* mode : {&colourByDrawing, &colourByKeyWord, &colourByRank, &colourByCommunity,
                        &colourByComponent}) {
    mode->setCheckable(true);
    colours.addAction(mode);
  }
  colourByDrawing.setChecked(true);
  for (QAction* mode : {&sizeFixed, &sizeByPageRank, &sizeByDegree, &sizeByRank}) {
    mode->setCheckable(true);
    sizes.addAction(mode);
  }
  sizeFixed.setChecked(true);
  filters.setCheckable(true);
  statistics.setCheckable(true);
  productTable.setCheckable(true);
}

void ViewActions::fillMenu(QMenu& menu) {
  using view_texts::Text;
  menu.addActions({&zoomIn, &zoomOut, &fit, &actualSize});
  QMenu* move = menu.addMenu(Text(view_texts::kMoveMenu));  // owned by menu
  move->addActions({&panLeft, &panRight, &panUp, &panDown});
  menu.addSeparator();
  menu.addActions({&find, &findNext, &findPrevious});
  menu.addSeparator();
  QMenu* colour = menu.addMenu(Text(view_texts::kColourMenu));
  colour->addActions(
      {&colourByDrawing, &colourByKeyWord, &colourByRank, &colourByCommunity, &colourByComponent});
  QMenu* show = menu.addMenu(Text(view_texts::kShowMenu));
  show->addActions({&showSimilarityLines, &showKeyWordLines, &showLabels});
  QMenu* size = menu.addMenu(Text(analysis_texts::kSizeMenu));
  size->addActions({&sizeFixed, &sizeByPageRank, &sizeByDegree, &sizeByRank});
  menu.addActions({&filters, &productTable, &statistics});
  menu.addSeparator();
  menu.addActions({&save, &clearOrCancel});
  menu.addSeparator();
  menu.addActions({&forceLayout, &keyWordGraph});
}

}  // namespace quillon::grapher
