// The find bar that slides in over the top of the graph: a query (an ASIN or
// part of a title) and the number of matches.
#pragma once

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPropertyAnimation>
#include <QToolButton>
#include <QWidget>
#include <functional>

namespace quillon::grapher {

class FindBar final : public QWidget {
 public:
  explicit FindBar(QWidget& parent);

  // The query changed (each keystroke).
  void setOnQuery(std::function<void(const QString&)> handler) { onQuery_ = std::move(handler); }
  // Enter (next) or Shift+Enter (previous) in the query.
  void setOnStep(std::function<void(bool backwards)> handler) { onStep_ = std::move(handler); }
  void setOnClosed(std::function<void()> handler) { onClosed_ = std::move(handler); }

  // Slides in (if hidden), selects the query and takes the keyboard.
  void open();
  void close();
  bool isOpen() const { return open_; }
  bool hasFocusWithin() const { return query_.hasFocus(); }
  QString query() const { return query_.text(); }
  // current is the 0-based match shown, or -1 before the first step.
  void showCount(int matches, int current);
  // Keeps to the parent's top-right corner.
  void place();

 private:
  QPoint shownAt() const;
  QHBoxLayout layout_;
  QLineEdit query_;
  QLabel count_;
  QToolButton close_;
  QPropertyAnimation slide_;
  bool open_ = false;
  std::function<void(const QString&)> onQuery_;
  std::function<void(bool)> onStep_;
  std::function<void()> onClosed_;
};

}  // namespace quillon::grapher
