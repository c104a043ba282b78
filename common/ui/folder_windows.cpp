#include "common/ui/folder_windows.h"

#include <utility>

#include "common/ui/window_host.h"
#include "common/working_folder.h"

namespace quillon {

FolderWindows::FolderWindows(Factory make, RecentFolders recent, std::string_view windowTitle)
    : make_(std::move(make)),
      recent_(std::move(recent)),
      refuse_([title = std::string(windowTitle)](const Failure& failure) {
        ShowFailureBox(title, failure);
      }) {}

FolderWindows::~FolderWindows() = default;

void FolderWindows::show(const std::string& folder) {
  FolderWindow next = make_(folder);
  recent_.add(QString::fromStdString(folder));
  next.chooser->setOpener(
      {[this] { return recent_.folders(); }, [this](const QString& chosen) { open(chosen); }});
  if (QWidget* previous = current_.window.get()) {
    next.window->setGeometry(previous->geometry());
    next.window->setWindowState(previous->windowState());
  }
  // Shown before the old one goes, so the application never sees its last
  // window close; the old one is deleted once the event that chose it is done.
  next.window->show();
  if (current_.window) {
    current_.window->hide();
    current_.window.release()->deleteLater();
  }
  current_ = std::move(next);
}

void FolderWindows::open(const QString& folder) {
  const std::string name = CanonicalFolderName(folder).toStdString();
  if (const Status usable = CheckProgramFolder(name); !usable) {
    recent_.remove(folder);
    refuse_(usable.failure());
    return;
  }
  show(name);
}

}  // namespace quillon
