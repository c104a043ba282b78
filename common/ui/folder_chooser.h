// The control through which a window opens another program folder: a button
// with a menu holding "open another folder" and the folders opened last, the
// window's current one ticked.
#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QToolButton>
#include <functional>

class QWidget;

namespace quillon {

class FolderChooser : public QObject {
 public:
  // What the window offers and what a choice does; set by whoever can put a
  // window for another folder in this one's place.
  struct Opener {
    std::function<QStringList()> recent;
    std::function<void(const QString& folder)> open;
  };
  // Asks for a folder, starting at the given one; "" when the user cancels.
  using FolderDialog = std::function<QString(QWidget& parent, const QString& start)>;

  // The button lies at geometry in window and stays hidden until an opener is set.
  FolderChooser(QWidget& window, const QRect& geometry, QString currentFolder);

  void setOpener(Opener opener);
  void setFolderDialog(FolderDialog dialog) { dialog_ = std::move(dialog); }

  // Keeps the folder from changing while a command runs; scopes may nest.
  class Busy {
   public:
    explicit Busy(FolderChooser& chooser);
    ~Busy();
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    FolderChooser& chooser_;
  };
  Busy busy() { return Busy(*this); }

  // The same choices at the end of another menu (a right-click menu).
  void addTo(QMenu& menu);

  QToolButton& button() { return button_; }
  QAction& openOther() { return openOther_; }
  const QString& currentFolder() const { return current_; }

 private:
  void fillMenu(QMenu& menu);
  void askForFolder();
  void updateEnabled();

  QWidget& window_;
  QString current_;
  QToolButton button_;
  QMenu menu_;
  QAction openOther_;
  Opener opener_;
  FolderDialog dialog_;
  int busy_ = 0;
};

}  // namespace quillon
