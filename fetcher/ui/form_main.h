// The fetcher's window: the start ASIN, the start button and the progress labels.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/texts.h"
#include "common/ui/command_runner.h"
#include "common/ui/folder_chooser.h"
#include "common/ui/window_host.h"
#include "fetcher/crawl.h"
#include "fetcher/crawl_control.h"
#include "fetcher/http_retrieval.h"
#include "fetcher/product_request.h"
#include "fetcher/ui/crawl_questions.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace quillon::fetcher {

// The window's caption, which its message boxes carry as well.
inline constexpr std::string_view kApplicationTitle = QUILLON_TEXT("quillon", "Quillon 取得テスト");
inline constexpr std::string_view kStopButtonText = QUILLON_TEXT("quillon", "停止");
inline constexpr std::string_view kPauseButtonText = QUILLON_TEXT("quillon", "一時停止");
inline constexpr std::string_view kResumeButtonText = QUILLON_TEXT("quillon", "再開");

class FormMain : public QWidget {
 public:
  FormMain(std::string programFolder, HttpGetter get, Clock& clock, QWidget* parent = nullptr);

  // The failure prompt and the yes/no questions; replaced by tests.
  using FailurePrompt = std::function<FailureAnswer(std::string_view text)>;
  using Question = std::function<bool(std::string_view text, bool yesByDefault)>;

  // Runs one crawl from the typed ASIN with the controls disabled. When the
  // start product's records of an earlier crawl are there, asks first whether
  // to go on from them (the default: ReuseStoredRecords); after a crawl that
  // gave up on products, offers to ask for them again.
  void CommandGetSimilarities_Click();
  // Ends the crawl after the request in flight, or at once while it waits.
  void CommandStop_Click();
  // Holds the crawl before its next request, or lets it go on.
  void CommandPause_Click();
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

  void setFailurePrompt(FailurePrompt prompt) { failurePrompt_ = std::move(prompt); }
  void setQuestion(Question question) { question_ = std::move(question); }

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
  // Right of the folder button, usable during a crawl only.
  QPushButton* CommandStop;
  QPushButton* CommandPause;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Keeps the waiting list as wide as its view.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class PromptGoOn;

  // Places the waiting list's view and the progress line for the window's size.
  void layOutWaitingList();
  // Empties the labels and the progress line the last run left.
  void clearLastRun();
  // Whether the crawl from startAsin goes on from the records stored earlier.
  bool resumeWanted(const std::string& startAsin, const FetcherSettings& settings);
  // One crawl with Stop and Pause usable.
  Expected<CrawlEnd> crawl(const std::string& startAsin, const FetcherSettings& settings);

  std::string programFolder_;
  Clock& clock_;
  WindowHost host_;
  CommandRunner runner_;
  ProductRequester requester_;
  FolderChooser folderChooser_;
  CrawlControl control_;
  // The window's own boxes unless a caller (a test) answers in their place.
  FailurePrompt failurePrompt_ = [this](std::string_view text) {
    return AskFailurePrompt(*this, text);
  };
  Question question_ = [this](std::string_view text, bool yesByDefault) {
    return AskQuestion(*this, text, yesByDefault);
  };
};

}  // namespace quillon::fetcher
