#include "fetcher/ui/window_host.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace quillon::fetcher {
namespace {

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int showBox(QWidget* parent, QMessageBox::Icon icon, std::string_view text,
            QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, toQString(kApplicationTitle), toQString(text), buttons, parent);
  return box.exec();
}

}  // namespace

WindowHost::WindowHost(QWidget* window, QLabel* status, QLabel* status2, QLabel* status3)
    : window_(window), labels_{status, status2, status3} {}

void WindowHost::setLabel(Label label, std::string_view text) {
  QLabel* target = labels_[static_cast<int>(label)];
  // Lines end with CR LF in the texts; a label breaks lines at LF alone.
  target->setText(toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  target->repaint();
}

void WindowHost::processEvents() {
  QCoreApplication::processEvents();
}

bool WindowHost::askYesNo(std::string_view text) {
  if (prompt_) return prompt_(text);
  return showBox(window_, QMessageBox::Critical, text, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

void WindowHost::showMessage(std::string_view text) {
  if (message_) return message_(text);
  showBox(window_, QMessageBox::NoIcon, text, QMessageBox::Ok);
}

void WindowHost::showError(std::string_view text) {
  if (error_) return error_(text);
  showBox(window_, QMessageBox::Critical, text, QMessageBox::Ok);
}

std::string WindowHost::missingSettingText(std::string_view path, std::string_view section,
                                           std::string_view key) const {
  return std::string(path) + " の [" + std::string(section) + "] に " + std::string(key) +
         " が無いか空なわけだが。書いてからもう一度押してくれ。";
}

}  // namespace quillon::fetcher
