#include "common/ui/window_host.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "common/ui/translation.h"
#include "common/ui/window_texts.h"

namespace quillon {
namespace {

// Lines end with CR LF in the texts; a label breaks lines at LF alone. Done on
// the bytes, before the one conversion, since a long list comes with every product.
QString LabelText(std::string_view text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines.push_back(text[i]);
  }
  return ToQString(lines);
}

int ShowBox(QWidget* window, const QString& title, QMessageBox::Icon icon, const QString& text,
            QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons, window);
  const std::pair<QMessageBox::StandardButton, QString> texts[] = {
      {QMessageBox::Yes, YesButtonText()},
      {QMessageBox::No, NoButtonText()},
      {QMessageBox::Ok, OkButtonText()},
  };
  for (const auto& [which, caption] : texts) {
    if (QAbstractButton* button = box.button(which)) button->setText(caption);
  }
  return box.exec();
}

int ShowBox(QWidget& window, QMessageBox::Icon icon, std::string_view text,
            QMessageBox::StandardButtons buttons) {
  return ShowBox(&window, window.windowTitle(), icon, ToQString(text), buttons);
}

}  // namespace

WindowHost::WindowHost(QWidget& window, QLabel& status, QLabel& status2, QLabel* status3)
    : window_(window) {
  slots_[static_cast<int>(Label::Status)].label = &status;
  slots_[static_cast<int>(Label::Status2)].label = &status2;
  slots_[static_cast<int>(Label::Status3)].label = status3;
  // The commands' fixed texts follow the translations installed on the application.
  setTranslator([](std::string_view source) { return UiText(source).toStdString(); });
  pendingFlush_.setSingleShot(true);
  QObject::connect(&pendingFlush_, &QTimer::timeout, &window_, [this] { repaintDue(); });
}

void WindowHost::setLabel(Label label, std::string_view text) {
  setSlotText(slots_[static_cast<int>(label)], text);
}

void WindowHost::setProgressLine(std::string_view text) {
  setSlotText(slots_[kProgressSlot], text);
}

void WindowHost::setProgressLabel(QLabel& label) {
  slots_[kProgressSlot].label = &label;
}

void WindowHost::fitToView(Label label) {
  Slot& slot = slots_[static_cast<int>(label)];
  slot.fitsView = true;
  slot.intervalMs = kListRepaintIntervalMs;
}

void WindowHost::setSlotText(Slot& slot, std::string_view text) {
  if (slot.label == nullptr || slot.text == text) return;
  slot.text.assign(text);
  // A fast crawl sets several texts a millisecond, the screen shows one per
  // repaint: a label is given its text when it is repainted or flushed.
  slot.stale = true;
  slot.pending = true;
  if (isDue(slot))
    repaintDue();
  else
    schedule();
}

bool WindowHost::isDue(const Slot& slot) const {
  const bool windowDue = !sinceFlush_.isValid() || sinceFlush_.elapsed() >= kRepaintIntervalMs;
  return windowDue &&
         (!slot.sinceRepaint.isValid() || slot.sinceRepaint.elapsed() >= slot.intervalMs);
}

void WindowHost::repaintDue() {
  sinceFlush_.start();
  for (Slot& slot : slots_) {
    if (slot.pending &&
        (!slot.sinceRepaint.isValid() || slot.sinceRepaint.elapsed() >= slot.intervalMs))
      repaint(slot);
  }
  schedule();
}

void WindowHost::schedule() {
  qint64 wait = -1;
  for (const Slot& slot : slots_) {
    if (!slot.pending) continue;
    qint64 slotWait = kRepaintIntervalMs - sinceFlush_.elapsed();
    if (slot.sinceRepaint.isValid())
      slotWait = std::max(slotWait, slot.intervalMs - slot.sinceRepaint.elapsed());
    wait = wait < 0 ? slotWait : std::min(wait, slotWait);
  }
  if (wait < 0) {
    pendingFlush_.stop();
    return;
  }
  // The text set last in a burst still reaches the screen once its interval is up.
  const int ms = static_cast<int>(std::max<qint64>(wait, 0));
  if (!pendingFlush_.isActive() || pendingFlush_.remainingTime() > ms) pendingFlush_.start(ms);
}

void WindowHost::repaint(Slot& slot) {
  slot.pending = false;
  if (slot.stale) {
    slot.stale = false;
    slot.label->setText(LabelText(slot.text));
  }
  // Laid out once per repaint rather than once per text.
  if (slot.fitsView) FitLabelToView(*slot.label);
  slot.label->repaint();
  slot.sinceRepaint.start();
  ++repaints_;
}

void WindowHost::flushLabels() {
  pendingFlush_.stop();
  sinceFlush_.start();
  for (Slot& slot : slots_) {
    if (slot.pending) repaint(slot);
  }
}

void WindowHost::processEvents() {
  // Polling the window system costs a system call and a pass over every event
  // source, and a fast crawl yields several times a millisecond: between two
  // polls within kPollIntervalMs only the events the program posted itself are
  // delivered. At any pause of kPollIntervalMs or more every yield polls.
  if (sincePoll_.isValid() && sincePoll_.elapsed() < kPollIntervalMs) {
    QCoreApplication::sendPostedEvents();
    return;
  }
  sincePoll_.start();
  QCoreApplication::processEvents();
  if (cancelRequested_ && !QuitRequested) {
    cancelRequested_ = false;
    throw CommandCancelled{};
  }
}

bool WindowHost::askYesNo(std::string_view text) {
  flushLabels();  // the question is asked over what the command has shown so far
  if (prompt_) return prompt_(text);
  return ShowBox(window_, QMessageBox::Critical, text, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

void WindowHost::showMessage(std::string_view text) {
  flushLabels();
  if (message_) return message_(text);
  ShowBox(window_, QMessageBox::NoIcon, text, QMessageBox::Ok);
}

void WindowHost::showError(std::string_view text) {
  flushLabels();
  if (error_) return error_(text);
  ShowBox(window_, QMessageBox::Warning, text, QMessageBox::Ok);
}

void WindowHost::showFailure(const Failure& failure) {
  showError(FailureMessage(failure).toStdString());
}

void WindowHost::aboutToPause() {
  flushLabels();
  if (pauseHook_) pauseHook_();
}

void FitLabelToView(QLabel& label) {
  const QWidget* view = label.parentWidget();
  if (view == nullptr) return;
  // A second pass when the first one showed or hid the view's scroll bar.
  for (int pass = 0; pass < 2; ++pass) {
    const int width = view->width();
    const QSize fitted(width, std::max(label.heightForWidth(width), view->height()));
    if (fitted == label.size()) return;
    // A fixed size spares the view a layout request after every text.
    label.setFixedSize(fitted);
  }
}

void ShowFailureBox(std::string_view windowTitle, const Failure& failure) {
  ShowBox(nullptr, ToQString(windowTitle), QMessageBox::Warning, FailureMessage(failure),
          QMessageBox::Ok);
}

}  // namespace quillon
