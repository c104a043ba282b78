#include "common/ui/folder_chooser.h"

#include <QFileDialog>
#include <QWidget>
#include <utility>

#include "common/texts.h"
#include "common/ui/recent_folders.h"
#include "common/ui/translation.h"

namespace quillon {
namespace {

constexpr std::string_view kButtonText = QUILLON_TEXT("quillon", "フォルダ切替");
constexpr std::string_view kOpenOtherText = QUILLON_TEXT("quillon", "別のフォルダを開く…");
constexpr std::string_view kDialogCaption = QUILLON_TEXT("quillon", "プログラムフォルダを選ぶ");
constexpr std::string_view kCurrentPrefix = QUILLON_TEXT("quillon", "プログラムフォルダ : ");

QString AskWithQtDialog(QWidget& parent, const QString& start) {
  return QFileDialog::getExistingDirectory(&parent, UiText(kDialogCaption), start);
}

}  // namespace

FolderChooser::FolderChooser(QWidget& window, const QRect& geometry, QString currentFolder)
    : window_(window),
      current_(std::move(currentFolder)),
      button_(&window),
      openOther_(UiText(kOpenOtherText)),
      dialog_(AskWithQtDialog) {
  button_.setObjectName(QStringLiteral("CommandChangeFolder"));
  button_.setText(UiText(kButtonText));
  button_.setToolTip(UiText(kCurrentPrefix) + current_);
  button_.setGeometry(geometry);
  button_.setPopupMode(QToolButton::InstantPopup);
  button_.setToolButtonStyle(Qt::ToolButtonTextOnly);
  button_.setMenu(&menu_);
  button_.setVisible(false);
  openOther_.setObjectName(QStringLiteral("ActionOpenFolder"));
  openOther_.setShortcut(QKeySequence::Open);
  openOther_.setShortcutContext(Qt::WindowShortcut);
  openOther_.setEnabled(false);
  // The list can change in the other program, so it is read each time it is shown.
  connect(&menu_, &QMenu::aboutToShow, this, [this] {
    menu_.clear();
    fillMenu(menu_);
  });
  connect(&openOther_, &QAction::triggered, this, [this] { askForFolder(); });
}

void FolderChooser::setOpener(Opener opener) {
  opener_ = std::move(opener);
  button_.setVisible(static_cast<bool>(opener_.open));
  // Its key works wherever the focus is in the window, once it can do anything.
  if (opener_.open) window_.addAction(&openOther_);
  updateEnabled();
}

void FolderChooser::addTo(QMenu& menu) {
  if (!opener_.open) return;
  menu.addSeparator();
  QMenu* folders = menu.addMenu(UiText(kButtonText));  // owned by menu
  folders->setEnabled(openOther_.isEnabled());
  fillMenu(*folders);
}

void FolderChooser::fillMenu(QMenu& menu) {
  menu.addAction(&openOther_);
  const QStringList recent = opener_.recent ? opener_.recent() : QStringList();
  if (!recent.isEmpty()) menu.addSeparator();
  for (const QString& folder : recent) {
    QAction* entry = menu.addAction(folder);  // owned by menu
    const bool current = folder == CanonicalFolderName(current_);
    entry->setCheckable(true);
    entry->setChecked(current);
    entry->setEnabled(!current && openOther_.isEnabled());
    connect(entry, &QAction::triggered, this, [this, folder] { opener_.open(folder); });
  }
}

void FolderChooser::askForFolder() {
  if (!opener_.open) return;
  const QString folder = dialog_(window_, current_);
  if (!folder.isEmpty()) opener_.open(folder);
}

void FolderChooser::updateEnabled() {
  const bool usable = busy_ == 0 && static_cast<bool>(opener_.open);
  button_.setEnabled(usable);
  openOther_.setEnabled(usable);
}

FolderChooser::Busy::Busy(FolderChooser& chooser) : chooser_(chooser) {
  ++chooser_.busy_;
  chooser_.updateEnabled();
}

FolderChooser::Busy::~Busy() {
  --chooser_.busy_;
  chooser_.updateEnabled();
}

}  // namespace quillon
