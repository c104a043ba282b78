#include "grapher/ui/window_host.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace quillon {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

WindowHost::WindowHost(QWidget& window, QLabel& status, QLabel& status2, QLabel* status3)
    : window_(window) {
  slots_[static_cast<int>(Label::Status)].label = &status;
  slots_[static_cast<int>(Label::Status2)].label = &status2;
  slots_[static_cast<int>(Label::Status3)].label = status3;
  pendingFlush_.setSingleShot(true);
  QObject::connect(&pendingFlush_, &QTimer::timeout, &window_, [this] { flushLabels(); });
}

void WindowHost::setLabel(Label label, std::string_view text) {
  Slot& slot = slots_[static_cast<int>(label)];
  if (slot.label == nullptr) return;
  slot.text = ToQString(text);
  slot.pending = true;
  if (!sinceFlush_.isValid() || sinceFlush_.elapsed() >= kRepaintIntervalMs) {
    flushLabels();
  } else if (!pendingFlush_.isActive()) {
    // The text set last in a burst still shows once the interval is up.
    pendingFlush_.start(kRepaintIntervalMs - static_cast<int>(sinceFlush_.elapsed()));
  }
}

void WindowHost::flushLabels() {
  pendingFlush_.stop();
  sinceFlush_.start();
  for (Slot& slot : slots_) {
    if (!slot.pending) continue;
    slot.pending = false;
    if (slot.label->text() == slot.text) continue;
    slot.label->setText(slot.text);
    slot.label->repaint();
    ++repaints_;
  }
}

void WindowHost::processEvents() {
  QCoreApplication::processEvents();
}

bool WindowHost::askYesNo(std::string_view text) {
  QMessageBox box(QMessageBox::Critical, window_.windowTitle(), ToQString(text),
                  QMessageBox::Yes | QMessageBox::No, &window_);
  return box.exec() == QMessageBox::Yes;
}

void WindowHost::showMessage(std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon, window_.windowTitle(), ToQString(text), QMessageBox::Ok,
                  &window_);
  box.exec();
}

void WindowHost::showError(std::string_view text) {
  QMessageBox box(QMessageBox::Warning, window_.windowTitle(), ToQString(text), QMessageBox::Ok,
                  &window_);
  box.exec();
}

}  // namespace quillon
