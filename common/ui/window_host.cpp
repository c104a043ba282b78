#include "common/ui/window_host.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QWidget>
#include <utility>

#include "common/ui/translation.h"
#include "common/ui/window_texts.h"

namespace quillon {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
  QObject::connect(&pendingFlush_, &QTimer::timeout, &window_, [this] { flushLabels(); });
}

void WindowHost::setLabel(Label label, std::string_view text) {
  Slot& slot = slots_[static_cast<int>(label)];
  if (slot.label == nullptr) return;
  // Lines end with CR LF in the texts; a label breaks lines at LF alone.
  const QString shown = ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (slot.label->text() == shown) return;
  const bool due = !sinceFlush_.isValid() || sinceFlush_.elapsed() >= kRepaintIntervalMs;
  // Until its next flush the label asks for no repaint of its own: the event
  // pump would otherwise paint it after every text.
  if (!due) slot.label->setUpdatesEnabled(false);
  slot.label->setText(shown);
  slot.pending = true;
  if (due) {
    flushLabels();
  } else if (!pendingFlush_.isActive()) {
    // The text set last in a burst still reaches the screen once the interval is up.
    pendingFlush_.start(kRepaintIntervalMs - static_cast<int>(sinceFlush_.elapsed()));
  }
}

void WindowHost::flushLabels() {
  pendingFlush_.stop();
  sinceFlush_.start();
  for (Slot& slot : slots_) {
    if (!slot.pending) continue;
    slot.pending = false;
    slot.label->setUpdatesEnabled(true);
    slot.label->repaint();
    ++repaints_;
  }
}

void WindowHost::processEvents() {
  QCoreApplication::processEvents();
}

bool WindowHost::askYesNo(std::string_view text) {
  if (prompt_) return prompt_(text);
  return ShowBox(window_, QMessageBox::Critical, text, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

void WindowHost::showMessage(std::string_view text) {
  if (message_) return message_(text);
  ShowBox(window_, QMessageBox::NoIcon, text, QMessageBox::Ok);
}

void WindowHost::showError(std::string_view text) {
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

void ShowFailureBox(std::string_view windowTitle, const Failure& failure) {
  ShowBox(nullptr, ToQString(windowTitle), QMessageBox::Warning, FailureMessage(failure),
          QMessageBox::Ok);
}

}  // namespace quillon
