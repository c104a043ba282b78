#include "fetcher/ui/crawl_questions.h"

#include <QMessageBox>
#include <QPushButton>

#include "common/ui/translation.h"
#include "common/ui/window_texts.h"

namespace quillon::fetcher {

FailureAnswer AskFailurePrompt(QWidget& window, std::string_view text) {
  QMessageBox box(QMessageBox::Critical, window.windowTitle(), ToQString(text),
                  QMessageBox::NoButton, &window);
  QPushButton* yes = box.addButton(YesButtonText(), QMessageBox::YesRole);
  QPushButton* giveUp = box.addButton(UiText(kGiveUpButtonText), QMessageBox::ActionRole);
  box.addButton(NoButtonText(), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.exec();
  if (box.clickedButton() == yes) return FailureAnswer::GoOn;
  if (box.clickedButton() == giveUp) return FailureAnswer::GiveUp;
  return FailureAnswer::End;
}

bool AskQuestion(QWidget& window, std::string_view text, bool yesByDefault) {
  QMessageBox box(QMessageBox::Question, window.windowTitle(), ToQString(text),
                  QMessageBox::Yes | QMessageBox::No, &window);
  box.button(QMessageBox::Yes)->setText(YesButtonText());
  box.button(QMessageBox::No)->setText(NoButtonText());
  box.setDefaultButton(yesByDefault ? QMessageBox::Yes : QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace quillon::fetcher
