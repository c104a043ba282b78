// One window at a time, each for one program folder: when the user opens
// another folder in a window, a window made for that folder takes its place and
// size, as if the program had been started with --folder.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/failure.h"
#include "common/ui/folder_chooser.h"
#include "common/ui/recent_folders.h"

namespace quillon {

// A program's window for one folder, and its folder chooser.
struct FolderWindow {
  std::unique_ptr<QWidget> window;
  FolderChooser* chooser = nullptr;
};

class FolderWindows {
 public:
  using Factory = std::function<FolderWindow(const std::string& folder)>;

  // windowTitle (as shown) captions the box that refuses a folder.
  FolderWindows(Factory make, RecentFolders recent, std::string_view windowTitle);
  ~FolderWindows();
  FolderWindows(const FolderWindows&) = delete;
  FolderWindows& operator=(const FolderWindows&) = delete;

  // Shows the window for folder (the start folder, checked by the caller).
  void show(const std::string& folder);
  // The user's choice: a folder that is missing or no folder is refused in a
  // box (and forgotten); any other replaces the window and is remembered.
  void open(const QString& folder);

  QWidget* window() const { return current_.window.get(); }
  // What tells the user a folder was refused; by default a message box.
  void setRefusalNotice(std::function<void(const Failure&)> notice) { refuse_ = std::move(notice); }

 private:
  Factory make_;
  RecentFolders recent_;
  std::function<void(const Failure&)> refuse_;
  FolderWindow current_;
};

}  // namespace quillon
