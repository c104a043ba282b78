#include "fetcher/ui/form_main.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>

#include "common/code_page.h"
#include "common/working_folder.h"
#include "fetcher/pacing_clock.h"
#include "service/product_catalogue.h"
#include "service/product_server.h"
#include "tests/fetcher/fake_catalogue.h"
#include "tests/support/fake_clock.h"
#include "tests/support/service_process.h"
#include "tests/support/temp_folder.h"

namespace quillon::fetcher {
namespace {

using testing::FakeCatalogue;
using testing::ProductAnswer;
using testing::TempFolder;

class FormMainTest : public ::testing::Test {
 protected:
  FormMainTest() {
    folder.write("setting.ini",
                 "[RequestURL]\r\nPrefix=u/\r\n[DefaultSetting]\r\nRequestInterval=0\r\n");
    EXPECT_TRUE(WriteTextLinesAtomic(folder.file("keywords.txt"), {"本"}).ok());
    window.host().setMessageNotice([this](std::string_view text) {
      messages.emplace_back(text);
      controlsEnabledAtMessage =
          window.CommandGetSimilarities->isEnabled() || window.TextStartProductASIN->isEnabled();
    });
    window.host().setErrorNotice([this](std::string_view text) { errors.emplace_back(text); });
    window.setFailurePrompt([this](std::string_view text) {
      questions.emplace_back(text);
      if (failureAnswers.empty()) return FailureAnswer::End;
      const FailureAnswer answer = failureAnswers.front();
      failureAnswers.pop_front();
      return answer;
    });
    window.setQuestion([this](std::string_view text, bool yesByDefault) {
      asked.push_back({std::string(text), yesByDefault});
      return questionAnswers.empty() ? yesByDefault : questionAnswers.front();
    });
    window.setProgramEnder([this](int code) { exitCodes.push_back(code); });
    window.show();
  }

  void start(const QString& asin) {
    window.TextStartProductASIN->setText(asin);
    window.CommandGetSimilarities->click();
  }

  TempFolder folder;
  testing::FakeClock clock{1'000'000};
  FakeCatalogue catalogue;
  FormMain window{folder.path(), catalogue.getter(), clock};
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::vector<std::string> questions;
  std::deque<FailureAnswer> failureAnswers;  // End when none is left
  struct Asked {
    std::string text;
    bool yesByDefault;
  };
  std::vector<Asked> asked;
  std::deque<bool> questionAnswers;  // the first answers every question; the default when empty
  std::vector<int> exitCodes;
  bool controlsEnabledAtMessage = true;
};

struct ControlCase {
  const char* name;
  QRect geometry;
  const char* text;
};

TEST_F(FormMainTest, ControlsHaveTheirNamesPlacesAndTexts) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillon 取得テスト"));
  EXPECT_EQ(window.size(), QSize(608, 895));
  const ControlCase controls[] = {
      {"CommandGetSimilarities", QRect(8, 8, 113, 33), "商品データ取得"},
      {"TextStartProductASIN", QRect(128, 32, 201, 18), ""},
      {"Label1", QRect(128, 16, 185, 17), "開始商品のASIN"},
      {"LabelStatus", QRect(0, 64, 609, 33), ""},
      {"LabelStatus2", QRect(0, 112, 609, 17), ""},
      // The waiting list's view keeps the label's place, less the progress line below it.
      {"WaitingListView", QRect(0, 144, 609, 727), ""},
      {"LabelStatus3", QRect(0, 0, 609, 727), ""},
      {"LabelProgress", QRect(0, 871, 609, 18), ""},
      // Right of the folder button, in the start button's row.
      {"CommandStop", QRect(464, 8, 68, 33), "停止"},
      {"CommandPause", QRect(536, 8, 68, 33), "一時停止"},
  };
  for (const ControlCase& c : controls) {
    SCOPED_TRACE(c.name);
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), c.geometry);
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      text = label->text();
      EXPECT_EQ(label->wordWrap(), label != window.LabelProgress);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      text = button->text();
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      text = edit->text();
    }
    EXPECT_EQ(text, QString::fromUtf8(c.text));
  }
  EXPECT_EQ(window.CommandGetSimilarities->nextInFocusChain(), window.TextStartProductASIN);
}

TEST_F(FormMainTest, ClickRunsACrawlWithTheControlsDisabled) {
  catalogue.set("u/S", ProductAnswer("S", "本", {{"A", "エー"}}));
  catalogue.set("u/A", ProductAnswer("A", "leaf", {}));
  start(QStringLiteral("S"));
  EXPECT_EQ(catalogue.requested, (std::vector<std::string>{"u/S", "u/A"}));
  EXPECT_EQ(messages, std::vector<std::string>{"終了"});
  EXPECT_FALSE(controlsEnabledAtMessage);
  EXPECT_TRUE(window.CommandGetSimilarities->isEnabled());
  EXPECT_TRUE(window.TextStartProductASIN->isEnabled());
  EXPECT_EQ(window.LabelStatus->text(), QStringLiteral("取得完了 : A leaf"));
  EXPECT_EQ(window.LabelStatus2->text(), QStringLiteral("取得済 : 1/1"));
  EXPECT_TRUE(exitCodes.empty());

  // A second run starts afresh once "終了" has been acknowledged.
  start(QStringLiteral("A"));
  EXPECT_EQ(catalogue.requested.back(), "u/A");
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(FormMainTest, FolderButtonLiesClearOfTheControlsAndRestsDuringACrawl) {
  FolderChooser& folders = window.folderChooser();
  folders.setOpener({[] { return QStringList(); }, [](const QString&) {}});
  ASSERT_TRUE(folders.button().isVisible());
  EXPECT_EQ(folders.button().geometry(), QRect(344, 8, 113, 33));
  const QWidget* controls[] = {window.CommandGetSimilarities,
                               window.TextStartProductASIN,
                               window.Label1,
                               window.LabelStatus,
                               window.LabelStatus2,
                               window.WaitingListView,
                               window.LabelProgress};
  for (const QWidget* control : controls)
    for (const QWidget* added : {static_cast<const QWidget*>(&folders.button()),
                                 static_cast<const QWidget*>(window.CommandStop),
                                 static_cast<const QWidget*>(window.CommandPause)})
      EXPECT_FALSE(added->geometry().intersects(control->geometry()))
          << added->objectName().toStdString() << " " << control->objectName().toStdString();
  EXPECT_FALSE(window.CommandStop->geometry().intersects(folders.button().geometry()));
  EXPECT_TRUE(window.rect().contains(window.CommandPause->geometry()));

  catalogue.set("u/S", ProductAnswer("S", "leaf", {}));
  bool usableDuringCrawl = true;
  window.host().setMessageNotice([&](std::string_view) {
    usableDuringCrawl = folders.button().isEnabled() || folders.openOther().isEnabled();
  });
  start(QStringLiteral("S"));
  EXPECT_FALSE(usableDuringCrawl);
  EXPECT_TRUE(folders.button().isEnabled());
}

TEST_F(FormMainTest, WaitingListBreaksLinesInTheLabel) {
  catalogue.set("u/S", ProductAnswer("S", "本", {{"A", "a"}, {"B", "b"}}));
  catalogue.set("u/A", ProductAnswer("A", "x", {}));
  catalogue.set("u/B", ProductAnswer("B", "x", {}));
  QStringList waiting;
  catalogue.onRequest = [&](const std::string&) {
    window.host().flushLabels();  // labels take their texts when they are painted
    waiting << window.LabelStatus3->text();
  };
  start(QStringLiteral("S"));
  ASSERT_EQ(waiting.size(), 3);
  EXPECT_EQ(waiting[1], QStringLiteral("1 : B b\n2 : A a\n"));
}

TEST_F(FormMainTest, LongWaitingListScrollsAndTheViewGrowsWithTheWindow) {
  std::vector<testing::Similar> similar;
  for (int k = 0; k < 80; ++k) {
    const std::string asin = std::string("P").append(std::to_string(k));
    similar.push_back({asin, "t"});
    catalogue.set("u/" + asin, ProductAnswer(asin, "x", {}));
  }
  catalogue.set("u/S", ProductAnswer("S", "本", similar));
  QScrollBar* bar = window.WaitingListView->verticalScrollBar();
  int scrollRange = 0;
  catalogue.onRequest = [&](const std::string& url) {
    if (url != "u/P79") return;  // the first product after the start one
    window.host().flushLabels();
    scrollRange = bar->maximum();
  };
  start(QStringLiteral("S"));
  EXPECT_GT(scrollRange, 0);
  EXPECT_EQ(window.LabelStatus3->text(), QString());

  window.resize(700, 1000);
  QCoreApplication::processEvents();
  EXPECT_EQ(window.WaitingListView->geometry(), QRect(0, 144, 701, 832));
  EXPECT_EQ(window.LabelProgress->geometry(), QRect(0, 976, 701, 18));
}

TEST_F(FormMainTest, ProgressLineIsShownAndRepaintedAsTheLabelsAre) {
  const std::string line = "完了 12 / 待ち 40 · 毎分 58 件 · 残り 0:00:41";
  const int before = window.host().labelRepaints();
  for (int k = 0; k < 1000; ++k) window.host().setProgressLine(line + std::to_string(k));
  window.host().setProgressLine(line);
  window.host().flushLabels();
  EXPECT_EQ(window.LabelProgress->text(), QString::fromStdString(line));
  EXPECT_LT(window.host().labelRepaints() - before, 20);
}

TEST_F(FormMainTest, EmptyTextBoxCrawlsTheEmptyAsin) {
  catalogue.set("u/", ProductAnswer("", "x", {}));
  start(QString());
  EXPECT_EQ(catalogue.requested, std::vector<std::string>{"u/"});
  EXPECT_EQ(messages, std::vector<std::string>{"終了"});
}

TEST_F(FormMainTest, ClosingDuringACrawlEndsTheProgramAfterTheCurrentProduct) {
  catalogue.set("u/S", ProductAnswer("S", "本", {{"A", ""}, {"B", ""}}));
  catalogue.set("u/B", ProductAnswer("B", "x", {}));
  catalogue.onRequest = [&](const std::string& url) {
    // The close box is clicked while B is being fetched; Qt delivers it later.
    if (url == "u/B") QMetaObject::invokeMethod(&window, "close", Qt::QueuedConnection);
  };
  start(QStringLiteral("S"));
  EXPECT_EQ(exitCodes, std::vector<int>{0});
  EXPECT_TRUE(window.host().QuitRequested);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(folder.exists("B.xml"));
  EXPECT_EQ(catalogue.requested, (std::vector<std::string>{"u/S", "u/B"}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(FormMainTest, StopAndEscEndTheCrawlAndLeaveTheWindowReady) {
  catalogue.set("u/S", ProductAnswer("S", "本", {{"A", ""}, {"B", ""}}));
  catalogue.set("u/B", ProductAnswer("B", "x", {}));
  catalogue.set("u/A", ProductAnswer("A", "x", {}));
  for (const bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Esc" : "Stop");
    catalogue.requested.clear();
    catalogue.onRequest = [&](const std::string& url) {
      if (url != "u/B") return;
      EXPECT_TRUE(window.CommandStop->isEnabled());
      if (escape)
        QCoreApplication::postEvent(
            &window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
      else
        QMetaObject::invokeMethod(window.CommandStop, "click", Qt::QueuedConnection);
    };
    start(QStringLiteral("S"));
    EXPECT_EQ(catalogue.requested, (std::vector<std::string>{"u/S", "u/B"}));
    EXPECT_TRUE(folder.exists("B.xml"));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(exitCodes.empty());
    EXPECT_TRUE(window.CommandGetSimilarities->isEnabled());
    EXPECT_FALSE(window.CommandStop->isEnabled());
    EXPECT_TRUE(window.LabelProgress->text().contains(QStringLiteral("停止 (残り 1 件)")))
        << window.LabelProgress->text().toStdString();
  }
}

TEST_F(FormMainTest, PauseHoldsTheCrawlUntilResume) {
  catalogue.set("u/S", ProductAnswer("S", "本", {{"A", ""}}));
  catalogue.set("u/A", ProductAnswer("A", "x", {}));
  catalogue.onRequest = [&](const std::string& url) {
    if (url == "u/S") QMetaObject::invokeMethod(window.CommandPause, "click", Qt::QueuedConnection);
  };
  QString captionWhileHeld;
  std::size_t requestsWhileHeld = 0;
  window.host().setPauseHook([&] {
    captionWhileHeld = window.CommandPause->text();
    requestsWhileHeld = catalogue.requested.size();
    QMetaObject::invokeMethod(window.CommandPause, "click", Qt::QueuedConnection);
  });
  start(QStringLiteral("S"));
  EXPECT_EQ(captionWhileHeld, QStringLiteral("再開"));
  EXPECT_EQ(requestsWhileHeld, 1u);
  EXPECT_EQ(catalogue.requested, (std::vector<std::string>{"u/S", "u/A"}));
  EXPECT_EQ(messages, std::vector<std::string>{"終了"});
  EXPECT_EQ(window.CommandPause->text(), QStringLiteral("一時停止"));
}

struct ResumeOfferCase {
  const char* name;
  const char* setting;  // ReuseStoredRecords
  std::deque<bool> answers;
  bool yesByDefault;
  std::vector<std::string> requested;
  friend void PrintTo(const ResumeOfferCase& row, std::ostream* out) { *out << row.name; }
};

class ResumeOfferTest : public FormMainTest,
                        public ::testing::WithParamInterface<ResumeOfferCase> {};

TEST_P(ResumeOfferTest, EarlierRecordsOfTheStartProductAreOffered) {
  const ResumeOfferCase& c = GetParam();
  folder.write("setting.ini", std::string("[RequestURL]\r\nPrefix=u/\r\n[DefaultSetting]\r\n"
                                          "RequestInterval=0\r\nReuseStoredRecords=") +
                                  c.setting + "\r\n");
  catalogue.set("u/S", ProductAnswer("S", "本", {{"A", ""}}));
  catalogue.set("u/A", ProductAnswer("A", "x", {}));
  ASSERT_TRUE(WriteStartProductAsin(folder.path(), "S").ok());
  ASSERT_TRUE(WriteProductRecord(folder.path(), "S", ProductAnswer("S", "本", {{"A", ""}})).ok());
  questionAnswers = c.answers;
  start(QStringLiteral("S"));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].yesByDefault, c.yesByDefault);
  EXPECT_EQ(catalogue.requested, c.requested);
}

INSTANTIATE_TEST_SUITE_P(
    Offers, ResumeOfferTest,
    ::testing::Values(ResumeOfferCase{"DefaultGoesOn", "True", {}, true, {"u/A"}},
                      ResumeOfferCase{"DefaultStartsOver", "False", {}, false, {"u/S", "u/A"}},
                      ResumeOfferCase{"StartOverChosen", "True", {false}, true, {"u/S", "u/A"}}),
    [](const ::testing::TestParamInfo<ResumeOfferCase>& info) {
      return std::string(info.param.name);
    });

TEST_F(FormMainTest, AnotherStartProductIsNotOfferedItsRecords) {
  ASSERT_TRUE(WriteStartProductAsin(folder.path(), "OTHER").ok());
  ASSERT_TRUE(WriteProductRecord(folder.path(), "S", ProductAnswer("S", "x", {})).ok());
  catalogue.set("u/S", ProductAnswer("S", "x", {}));
  start(QStringLiteral("S"));
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(catalogue.requested, std::vector<std::string>{"u/S"});
}

TEST_F(FormMainTest, ProductsGivenUpOnAreListedAndAskedForAgain) {
  catalogue.set("u/S", ProductAnswer("S", "本", {{"A", ""}, {"B", ""}}));
  catalogue.set("u/B", ProductAnswer("B", "x", {}));
  catalogue.script("u/A", {""});  // nothing the first time, an answer the next
  catalogue.set("u/A", ProductAnswer("A", "x", {}));
  failureAnswers = {FailureAnswer::GiveUp};
  questionAnswers = {true};
  start(QStringLiteral("S"));
  ASSERT_FALSE(asked.empty());
  EXPECT_NE(asked.front().text.find("諦めた商品 1 件: A"), std::string::npos) << asked.front().text;
  // Asked again from the stored records: only A goes to the service.
  EXPECT_EQ(catalogue.requested, (std::vector<std::string>{"u/S", "u/B", "u/A", "u/A"}));
  EXPECT_TRUE(folder.exists("A.xml"));
  EXPECT_EQ(messages, (std::vector<std::string>{"終了", "終了"}));
  EXPECT_TRUE(exitCodes.empty());
}

TEST_F(FormMainTest, ClosingWhileIdleRequestsTheEnd) {
  window.close();
  EXPECT_TRUE(window.host().QuitRequested);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(FormMainTest, NoAtTheFailurePromptEndsTheProgram) {
  start(QStringLiteral("missing"));
  EXPECT_EQ(questions, std::vector<std::string>{"u/missingの取得に失敗したわけだが。続ける？"});
  EXPECT_EQ(exitCodes, std::vector<int>{0});
  EXPECT_FALSE(window.CommandGetSimilarities->isEnabled());
}

// The program's own boxes, with nothing answering in their place: each box's
// text and buttons, answered by clicking the named button.
TEST(FormMainBoxesTest, FailurePromptAndAskingAgainAreTheWindowsOwnBoxes) {
  TempFolder folder;
  folder.write("setting.ini",
               "[RequestURL]\r\nPrefix=u/\r\n[DefaultSetting]\r\nRequestInterval=0\r\n");
  ASSERT_TRUE(WriteTextLinesAtomic(folder.file("keywords.txt"), {"本"}).ok());
  testing::FakeClock clock{1'000'000};
  FakeCatalogue catalogue;
  catalogue.set("u/S", ProductAnswer("S", "本", {{"A", ""}}));
  catalogue.script("u/A", {""});  // nothing the first time, an answer the next
  catalogue.set("u/A", ProductAnswer("A", "x", {}));
  FormMain window{folder.path(), catalogue.getter(), clock};
  window.show();
  const QStringList clicks = {QStringLiteral("この商品は諦める"), QStringLiteral("OK"),
                              QStringLiteral("はい"), QStringLiteral("OK")};
  std::vector<QStringList> boxes;  // per box: its text, then its buttons
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    // A box just answered stays the modal widget, hidden, until its loop ends.
    if (box == nullptr || !box->isVisible() || boxes.size() >= std::size_t(clicks.size())) return;
    QStringList seen{box->text()};
    for (const QAbstractButton* button : box->buttons()) seen << button->text();
    const QString click = clicks[static_cast<qsizetype>(boxes.size())];
    boxes.push_back(seen);
    for (QAbstractButton* button : box->buttons())
      if (button->text() == click) return button->click();
    box->reject();  // not the box expected: closed, so that the test fails rather than waits
  });
  answerer.start(5);
  window.TextStartProductASIN->setText(QStringLiteral("S"));
  window.CommandGetSimilarities->click();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0], (QStringList{"u/Aの取得に失敗したわけだが。続ける？", "この商品は諦める",
                                   "はい", "いいえ"}));
  EXPECT_TRUE(boxes[2].front().contains(QStringLiteral("諦めた商品 1 件: A")))
      << boxes[2].front().toStdString();
  EXPECT_EQ(boxes[2].mid(1), (QStringList{"はい", "いいえ"}));
  EXPECT_TRUE(folder.exists("A.xml"));  // asked for again after Yes
}

TEST_F(FormMainTest, CrawlFailureIsReportedAndTheWindowStaysUsable) {
  std::filesystem::remove(folder.file("keywords.txt"));
  start(QStringLiteral("S"));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], folder.file("keywords.txt") +
                           " の読み込みに失敗したわけだが。（そのファイルやフォルダはない）");
  EXPECT_TRUE(window.CommandGetSimilarities->isEnabled());
  EXPECT_TRUE(window.TextStartProductASIN->isEnabled());
  EXPECT_TRUE(catalogue.requested.empty());
}

TEST_F(FormMainTest, MissingPrefixIsNamedInJapaneseBeforeAnyRequest) {
  folder.write("setting.ini", "[RequestURL]\r\nPrefix=\r\n");
  start(QStringLiteral("S"));
  EXPECT_EQ(errors,
            std::vector<std::string>{folder.file("setting.ini") +
                                     " の [RequestURL] に Prefix "
                                     "が無いか空なわけだが。書いてからもう一度押してくれ。"});
  EXPECT_TRUE(catalogue.requested.empty());
  EXPECT_FALSE(folder.exists("StartProductASIN.txt"));
  EXPECT_TRUE(window.CommandGetSimilarities->isEnabled());
}

TEST_F(FormMainTest, StartAsinTheServiceNamesNoProductForIsReported) {
  catalogue.set("u/B000NOTEXIST", "<Request><IsValid>True</IsValid><Errors></Errors></Request>");
  start(QStringLiteral("B000NOTEXIST"));
  EXPECT_EQ(errors,
            std::vector<std::string>{"開始商品のASIN「B000NOTEXIST」の商品はないわけだが。"});
  EXPECT_TRUE(messages.empty());  // no "終了"
  EXPECT_FALSE(folder.exists("StartProductASIN.txt"));
  EXPECT_TRUE(window.CommandGetSimilarities->isEnabled());
}

// The box offers the last start product; Enter in it starts the crawl as the
// button does, here against the service on loopback.
TEST(FormMainWithService, AsinBoxStartsWithTheLastStartProductAndEnterCrawls) {
  const TempFolder folder;
  const std::string catalogueFile = folder.file("catalogue.jsonl");
  const auto generated =
      testing::RunProgram(testing::BuiltProgram("service/product-service"),
                          {"--generate", "30", "--seed", "5", "--out", catalogueFile});
  ASSERT_EQ(generated.exitCode, 0) << generated.err;
  const Expected<service::ProductCatalogue> products =
      service::ProductCatalogue::LoadFile(catalogueFile);
  ASSERT_TRUE(products.ok()) << products.error();
  const std::string start = products.value().products().front().asin;
  const testing::ServiceProcess service({"--catalogue", catalogueFile});
  folder.write("setting.ini", "[RequestURL]\r\nPrefix=" + service.prefix() +
                                  "\r\nSuffix=" + service.suffix() +
                                  "\r\n[DefaultSetting]\r\nRequestInterval=0\r\n");
  ASSERT_TRUE(WriteTextLinesAtomic(folder.file("keywords.txt"), {"no such word"}).ok());
  ASSERT_TRUE(WriteStartProductAsin(folder.path(), start).ok());

  PacingClock clock;
  FormMain window(folder.path(), MakeCurlGetter(), clock);
  std::vector<std::string> messages;
  window.host().setMessageNotice([&](std::string_view text) { messages.emplace_back(text); });
  window.show();
  EXPECT_EQ(window.TextStartProductASIN->text().toStdString(), start);

  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(window.TextStartProductASIN, &enter);
  EXPECT_EQ(messages, std::vector<std::string>{"終了"});
  EXPECT_TRUE(folder.exists(start + ".xml"));
  EXPECT_EQ(window.LabelStatus2->text(), QStringLiteral("取得済 : 0/0"));
}

// The window against the service on loopback: S (keyword) lists A, whose title
// the service writes with entities.
class FormMainWithServiceTest : public ::testing::Test {
 protected:
  void serve(const service::ServerOptions& options, const std::string& interval) {
    service::ProductCatalogue products;
    ASSERT_TRUE(products.add({"S", "本", 1, {"A"}}).ok());
    ASSERT_TRUE(products.add({"A", "写真集 \"Best\"", 2, {}}).ok());
    server = std::make_unique<service::ProductServer>(std::move(products), options);
    folder.write("setting.ini", "[RequestURL]\r\nPrefix=" + server->prefix() +
                                    "\r\nSuffix=" + server->suffix() +
                                    "\r\n[DefaultSetting]\r\nRequestInterval=" + interval + "\r\n");
    ASSERT_TRUE(WriteTextLinesAtomic(folder.file("keywords.txt"), {"本"}).ok());
  }

  // A window whose transfers go to the service, each first shown to onRequest.
  void open(Clock& clock) {
    window = std::make_unique<FormMain>(
        folder.path(),
        [this, curl = MakeCurlGetter()](const std::string& url, std::vector<std::uint8_t>& buffer,
                                        const HttpTimeouts& limits) {
          if (onRequest) onRequest();
          return curl(url, buffer, limits);
        },
        clock);
    window->host().setMessageNotice([this](std::string_view text) { messages.emplace_back(text); });
    window->setProgramEnder([this](int code) { exitCodes.push_back(code); });
    // A second crawl from S is offered to go on from the first one's records: start over.
    window->setQuestion([](std::string_view, bool) { return false; });
    window->show();
  }

  // Closes the window at the crawl's first event pump at which ready() holds.
  void closeWhen(std::function<bool()> ready) {
    auto* timer = new QTimer(window.get());
    QObject::connect(timer, &QTimer::timeout, window.get(),
                     [this, timer, ready = std::move(ready)] {
                       if (!ready()) return;
                       timer->stop();
                       window->close();
                     });
    timer->start(std::chrono::milliseconds(20));
  }

  void start() {
    window->TextStartProductASIN->setText(QStringLiteral("S"));
    window->CommandGetSimilarities->click();
  }

  TempFolder folder;
  std::unique_ptr<service::ProductServer> server;
  std::unique_ptr<FormMain> window;
  std::function<void()> onRequest;
  std::vector<std::string> messages;
  std::vector<int> exitCodes;
};

TEST_F(FormMainWithServiceTest, ClosingEndsATransferInFlightWithoutItsRecord) {
  service::ServerOptions late;
  late.faults.delay = 1;
  late.faults.delayMs = 60'000;
  serve(late, "0");
  PacingClock clock;
  open(clock);
  closeWhen([this] { return server->productRequests() >= 1; });
  start();
  EXPECT_EQ(exitCodes, std::vector<int>{0});
  EXPECT_FALSE(folder.exists("S.xml"));
  EXPECT_TRUE(messages.empty());
}

TEST_F(FormMainWithServiceTest, ClosingEndsThePauseBeforeTheNextRequest) {
  serve({}, "60000");
  PacingClock clock;
  open(clock);
  // The crawl lets events in once or twice right after storing S; the third
  // tick of the timer after that falls in the pause before A.
  int ticksSinceStored = 0;
  closeWhen([&] { return folder.exists("S.xml") && ++ticksSinceStored >= 3; });
  start();
  EXPECT_EQ(exitCodes, std::vector<int>{0});
  EXPECT_EQ(server->productRequests(), 1u);
  EXPECT_FALSE(folder.exists("A.xml"));
}

TEST_F(FormMainWithServiceTest, SecondCrawlShowsItsOwnPaceFromAClearStart) {
  serve({}, "0");
  testing::FakeClock clock(1'000'000);
  open(clock);
  start();
  ASSERT_EQ(messages.size(), 1u);
  // The status line decodes the title as the waiting list does.
  EXPECT_EQ(window->LabelStatus->text(), QStringLiteral("取得完了 : A 写真集 \"Best\""));

  QStringList shownAtRequests;
  onRequest = [&] {
    window->host().flushLabels();
    shownAtRequests << window->LabelStatus2->text() + "|" + window->LabelProgress->text();
  };
  start();
  ASSERT_EQ(messages.size(), 2u);
  // Nothing of the first run at the second's first request; one request in a
  // frozen second is 60 a minute, however many the first run made.
  EXPECT_EQ(shownAtRequests,
            (QStringList{"|", "取得済 : 0/1|完了 1 / 待ち 1 · 毎分 60 件 · 残り 0:00:00"}));
}

}  // namespace
}  // namespace quillon::fetcher
