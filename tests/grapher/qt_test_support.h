// What the window and surface tests share: one QApplication on the offscreen
// platform, a sample catalogue on disk, and a catcher for message boxes.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/working_folder.h"
#include "tests/support/temp_folder.h"

namespace quillon::grapher::testing {

// The application of the test program, made before the first test and gone
// before the program's static objects (Qt's own among them) are destroyed.
QApplication& Application();

// Lets the event loop run for a while (timers fire, repaints happen).
inline void RunEventsFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Lets the event loop run while `busy` holds, for two seconds at most.
inline void RunEventsWhile(const std::function<bool()>& busy) {
  QElapsedTimer clock;
  clock.start();
  while (busy() && clock.elapsed() < 2000) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

inline std::string SampleRecord(const std::string& title, const std::vector<std::string>& similar,
                                int rank = 10) {
  std::string text = "<Request><IsValid>True</IsValid></Request><Title>" + title +
                     "</Title><SalesRank>" + std::to_string(rank) + "</SalesRank><SimilarProducts>";
  for (const std::string& asin : similar)
    text += "<SimilarProduct><ASIN>" + asin + "</ASIN></SimilarProduct>";
  return text + "</SimilarProducts>";
}

// keywords カメラ and レンズ; A names B and C, B names C, C names A and D (no record).
inline void WriteSampleCatalogue(const quillon::testing::TempFolder& folder) {
  folder.write("keywords.txt", Utf8ToCodePage("カメラ\r\nレンズ\r\n"));
  folder.write("StartProductASIN.txt", "A\r\n");
  (void)WriteProductRecord(folder.path(), "A", SampleRecord("デジタルカメラ", {"B", "C"}));
  (void)WriteProductRecord(folder.path(), "B", SampleRecord("交換レンズ", {"C"}));
  (void)WriteProductRecord(folder.path(), "C", SampleRecord("カメラバッグ", {"A", "D"}));
}

// Closes every message box that opens while it lives, keeping its text, its
// caption and the texts of its buttons.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.push_back(box->text().toStdString());
        titles.push_back(box->windowTitle().toStdString());
        std::vector<std::string> captions;
        for (const QAbstractButton* button : box->buttons())
          captions.push_back(button->text().toStdString());
        buttons.push_back(std::move(captions));
        box->done(QMessageBox::Ok);
      }
    });
    timer_.start();
  }
  std::vector<std::string> texts;
  std::vector<std::string> titles;
  std::vector<std::vector<std::string>> buttons;

 private:
  QTimer timer_;
};

}  // namespace quillon::grapher::testing
