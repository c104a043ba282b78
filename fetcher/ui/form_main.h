// The fetcher's window: the start ASIN, the start button and the progress labels.
#pragma once

#include <QWidget>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/texts.h"
#include "common/ui/command_runner.h"
#include "common/ui/folder_chooser.h"
#include "common/ui/window_host.h"
#include "fetcher/http_retrieval.h"
#include "fetcher/product_request.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace quillon::fetcher {

// The window's caption, which its message boxes carry as well.
inline constexpr std::string_view kApplicationTitle = QUILLON_TEXT("quillon", "Quillon 取得テスト");

class FormMain : public QWidget {
 public:
  FormMain(std::string programFolder, HttpGetter get, Clock& clock, QWidget* parent = nullptr);

  // Runs one crawl from the typed ASIN with the controls disabled.
  void CommandGetSimilarities_Click();
  // The close request: sets the quit flag and never refuses.
  void Form_QueryUnload();

  WindowHost& host() { return host_; }
  // Opens another program folder; shown once a program can put a window for
  // it in this one's place.
  FolderChooser& folderChooser() { return folderChooser_; }
  // What ends the program once the crawl has ended it; by default the event loop ends.
  void setProgramEnder(CommandRunner::ProgramEnder ender) {
    runner_.setProgramEnder(std::move(ender));
  }

  QPushButton* CommandGetSimilarities;
  QLineEdit* TextStartProductASIN;
  QLabel* Label1;
  QLabel* LabelStatus;
  QLabel* LabelStatus2;
  QLabel* LabelStatus3;
  // The view LabelStatus3 scrolls in; it grows with the window.
  QScrollArea* WaitingListView;
  // The crawl's pace, below the labels.
  QLabel* LabelProgress;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Keeps the waiting list as wide as its view.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Places the waiting list's view and the progress line for the window's size.
  void layOutWaitingList();
  // Empties the labels and the progress line the last run left.
  void clearLastRun();

  std::string programFolder_;
  Clock& clock_;
  WindowHost host_;
  CommandRunner runner_;
  ProductRequester requester_;
  FolderChooser folderChooser_;
};

}  // namespace quillon::fetcher
