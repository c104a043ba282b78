// The view's actions with their keys: active anywhere in the window and listed,
// keys shown, in the graph's right-click menu.
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>

namespace quillon::grapher {

struct ViewActions {
  // Adds every action to window, so that its keys work wherever the focus is.
  explicit ViewActions(QWidget& window);

  // Every action, grouped, with its key.
  void fillMenu(QMenu& menu);

  QAction zoomIn;
  QAction zoomOut;
  QAction panLeft;
  QAction panRight;
  QAction panUp;
  QAction panDown;
  QAction fit;
  QAction actualSize;
  QAction find;
  QAction findNext;
  QAction findPrevious;
  QAction colourByDrawing;
  QAction colourByKeyWord;
  QAction colourByRank;
  QAction colourByCommunity;
  QAction colourByComponent;
  QAction sizeFixed;
  QAction sizeByPageRank;
  QAction sizeByDegree;
  QAction sizeByRank;
  QAction filters;
  QAction statistics;    // checkable: the statistics panel shown
  QAction productTable;  // checkable: shows the product table
  QAction save;
  QAction clearOrCancel;
  QAction keyWordGraph;
  QAction forceLayout;
  QAction showSimilarityLines;  // checkable, on by default
  QAction showKeyWordLines;
  QAction showLabels;
  QActionGroup colours;
  QActionGroup sizes;
};

}  // namespace quillon::grapher
