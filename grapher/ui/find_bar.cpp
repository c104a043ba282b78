#include "grapher/ui/find_bar.h"

#include <QApplication>
#include <algorithm>

#include "grapher/ui/view_texts.h"

namespace quillon::grapher {
namespace {
constexpr int kWidth = 360;
constexpr int kSlideMs = 120;
}  // namespace

FindBar::FindBar(QWidget& parent)
    : QWidget(&parent),
      layout_(this),
      query_(this),
      count_(this),
      close_(this),
      slide_(this, "pos") {
  using view_texts::Text;
  setObjectName(QStringLiteral("FindBar"));
  query_.setObjectName(QStringLiteral("FindQuery"));
  count_.setObjectName(QStringLiteral("FindCount"));
  query_.setPlaceholderText(Text(view_texts::kFindPlaceholder));
  query_.setClearButtonEnabled(true);
  close_.setText(QStringLiteral("×"));
  close_.setToolTip(Text(view_texts::kFindClose));
  close_.setAutoRaise(true);
  setAutoFillBackground(true);

  layout_.setContentsMargins(6, 4, 4, 4);
  layout_.addWidget(&query_, 1);
  layout_.addWidget(&count_);
  layout_.addWidget(&close_);
  resize(kWidth, sizeHint().height());
  slide_.setDuration(kSlideMs);
  hide();

  connect(&query_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (onQuery_) onQuery_(text);
  });
  connect(&query_, &QLineEdit::returnPressed, this, [this] {
    if (onStep_) onStep_(QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
  });
  connect(&close_, &QToolButton::clicked, this, [this] { close(); });
}

QPoint FindBar::shownAt() const {
  const QWidget* parent = parentWidget();
  return QPoint(std::max(0, parent->width() - width() - 8), 0);
}

void FindBar::place() {
  if (open_ && slide_.state() != QAbstractAnimation::Running) move(shownAt());
}

void FindBar::open() {
  if (!open_) {
    open_ = true;
    const QPoint to = shownAt();
    move(to.x(), -height());
    show();
    raise();
    slide_.stop();
    slide_.setStartValue(QPoint(to.x(), -height()));
    slide_.setEndValue(to);
    slide_.start();
  }
  query_.setFocus(Qt::ShortcutFocusReason);
  query_.selectAll();
}

void FindBar::close() {
  if (!open_) return;
  open_ = false;
  slide_.stop();
  hide();
  if (onClosed_) onClosed_();
}

void FindBar::showCount(int matches, int current) {
  using view_texts::Text;
  if (query_.text().isEmpty()) {
    count_.clear();
  } else if (matches == 0) {
    count_.setText(Text(view_texts::kNoMatches));
  } else if (current < 0) {
    count_.setText(Text(view_texts::kMatchCount).arg(matches));
  } else {
    count_.setText(Text(view_texts::kMatchPosition).arg(matches).arg(current + 1));
  }
}

}  // namespace quillon::grapher
