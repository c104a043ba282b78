// The fetcher's window: the start ASIN, the start button and the progress labels.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "common/clock.h"
#include "fetcher/http_retrieval.h"
#include "fetcher/product_request.h"
#include "fetcher/ui/window_host.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quillon::fetcher {

class FormMain : public QWidget {
 public:
  // Receives the exit code when the program must end; by default the event loop ends.
  using ProgramEnder = std::function<void(int exitCode)>;

  FormMain(std::string programFolder, HttpGetter get, Clock& clock, QWidget* parent = nullptr);

  // Runs one crawl from the typed ASIN with the controls disabled.
  void CommandGetSimilarities_Click();
  // The close request: sets the quit flag and never refuses.
  void Form_QueryUnload();

  WindowHost& host() { return host_; }
  void setProgramEnder(ProgramEnder ender) { endProgram_ = std::move(ender); }

  QPushButton* CommandGetSimilarities;
  QLineEdit* TextStartProductASIN;
  QLabel* Label1;
  QLabel* LabelStatus;
  QLabel* LabelStatus2;
  QLabel* LabelStatus3;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  WindowHost host_;
  ProductRequester requester_;
  ProgramEnder endProgram_;
};

}  // namespace quillon::fetcher
