// The grapher window with its real widgets on the offscreen platform.
#include "grapher/ui/form_main.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <utility>

#include "common/clock.h"

#include "tests/grapher/qt_test_support.h"

namespace quillon::grapher {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace quillon::grapher::testing;
using quillon::testing::TempFolder;

// Red pixels in the 7x7 square around a point of the picture.
int RedPixelsAround(const QImage& image, float x, float y) {
  int red = 0;
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -3; dx <= 3; ++dx) {
      const QPoint at(static_cast<int>(std::lround(x)) + dx, static_cast<int>(std::lround(y)) + dy);
      red += image.valid(at) && image.pixelColor(at) == QColor(255, 0, 0);
    }
  }
  return red;
}

// Records every change of a watched widget's enabled state, in order.
class EnabledLog final : public QObject {
 public:
  void watch(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::EnabledChange) {
      const bool on = static_cast<QWidget*>(object)->isEnabled();
      entries.push_back(object->objectName().toStdString() + (on ? " on" : " off"));
    }
    return false;
  }
  std::vector<std::string> entries;
};

class FormMainTest : public ::testing::Test {
 protected:
  FormMainTest() {
    Application();
    WriteSampleCatalogue(folder);
    form.emplace(folder.path(), 7u);
    form->setProgramEnder([this](int code) { endCodes.push_back(code); });
    form->show();
    for (const char* name : {"CommandGetData", "CommandDrawGraph", "CommandDrawGraphAlt"})
      log.watch(button(name));
  }

  QPushButton* button(const char* name) { return form->findChild<QPushButton*>(name); }
  QLabel* label(const char* name) { return form->findChild<QLabel*>(name); }
  std::string text(const char* name) { return label(name)->text().toStdString(); }
  void load() { button("CommandGetData")->click(); }

  TempFolder folder;
  std::optional<FormMain> form;
  EnabledLog log;
  std::vector<int> endCodes;
};

struct ControlCase {
  const char* name;
  const char* text;
  QRect geometry;
};

TEST_F(FormMainTest, ControlsHaveTheirTextsPlacesAndFirstStates) {
  EXPECT_EQ(form->windowTitle().toStdString(), "Quillon グラフ作成");
  EXPECT_EQ(form->size(), QSize(844, 668));
  EXPECT_FALSE(form->windowIcon().isNull());
  const ControlCase controls[] = {
      {"CommandDrawGraphAlt", "zzzzグラフ作成", QRect(264, 8, 113, 33)},
      {"CommandGetData", "商品データ読込", QRect(8, 8, 113, 33)},
      {"LabelStatus", "", QRect(0, 48, 1073, 17)},
      {"LabelStatus2", "", QRect(0, 80, 1073, 17)},
      {"Graph", "", QRect(0, 104, 844, 564)},
      {"CommandDrawGraph", "グラフ作成", QRect(136, 8, 113, 33)},
  };
  for (const ControlCase& c : controls) {
    QWidget* widget = form->findChild<QWidget*>(c.name);
    ASSERT_NE(widget, nullptr) << c.name;
    EXPECT_EQ(widget->geometry(), c.geometry) << c.name;
    if (auto* b = qobject_cast<QPushButton*>(widget)) {
      EXPECT_EQ(b->text().toStdString(), c.text);
    }
    if (auto* l = qobject_cast<QLabel*>(widget)) {
      EXPECT_EQ(l->text().toStdString(), c.text);
    }
  }
  EXPECT_TRUE(button("CommandGetData")->isEnabled());
  EXPECT_FALSE(button("CommandDrawGraph")->isEnabled());
  EXPECT_FALSE(button("CommandDrawGraphAlt")->isEnabled());
  EXPECT_FALSE(button("CommandDrawGraphAlt")->isVisible());
  EXPECT_EQ(form->graph().surface().width(), 844);
  EXPECT_EQ(form->graph().surface().height(), 564);
  EXPECT_EQ(form->graph().surface().image().pixelColor(10, 10), QColor(Qt::white));
}

TEST_F(FormMainTest, TabOrderRunsFromTheLoadButtonThroughGraphToTheDrawButton) {
  QWidget* chain = button("CommandDrawGraphAlt");
  std::vector<std::string> order;
  for (int i = 0; i < 6; ++i) {
    order.push_back(chain->objectName().toStdString());
    chain = chain->nextInFocusChain();
  }
  EXPECT_THAT(order, ElementsAre("CommandDrawGraphAlt", "CommandGetData", "LabelStatus",
                                 "LabelStatus2", "Graph", "CommandDrawGraph"));
}

TEST_F(FormMainTest, LoadEnablesTheDrawingButtonsAndShowsTheFinalTexts) {
  load();
  EXPECT_THAT(log.entries, ElementsAre("CommandGetData off", "CommandGetData on",
                                       "CommandDrawGraph on", "CommandDrawGraphAlt on"));
  EXPECT_EQ(text("LabelStatus"), "正常終了");
  EXPECT_EQ(text("LabelStatus2"), "4/4");
  EXPECT_FALSE(button("CommandDrawGraphAlt")->isVisible());
  EXPECT_EQ(form->catalogue().ProductTable.size(), 4u);
}

TEST_F(FormMainTest, BadInputIsShownAndLeavesTheDrawingButtonsAsTheyWere) {
  std::filesystem::remove(folder.file("StartProductASIN.txt"));
  {
    MessageBoxCatcher boxes;
    load();
    ASSERT_EQ(boxes.texts.size(), 1u);
    // A first start: the box says what to do.
    EXPECT_EQ(boxes.texts[0], folder.file("StartProductASIN.txt") +
                                  " がないわけだが。先に fetcher で商品データを集めるか、"
                                  "データのあるフォルダを setting.ini の XMLPath に書いてくれ。");
    EXPECT_EQ(boxes.titles[0], "Quillon グラフ作成");
    EXPECT_THAT(boxes.buttons[0], ElementsAre("OK"));
  }
  EXPECT_TRUE(button("CommandGetData")->isEnabled());
  EXPECT_FALSE(button("CommandDrawGraph")->isEnabled());

  folder.write("StartProductASIN.txt", "A\r\n");
  load();
  std::filesystem::remove(folder.file("keywords.txt"));
  {
    MessageBoxCatcher boxes;
    load();
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_THAT(boxes.texts[0], HasSubstr("keywords.txt"));
  }
  EXPECT_TRUE(button("CommandDrawGraph")->isEnabled());
  EXPECT_EQ(form->catalogue().ProductTable.size(), 4u);
}

TEST_F(FormMainTest, DrawingDisablesAllThreeButtonsAndDrawsOnGraph) {
  load();
  log.entries.clear();
  button("CommandDrawGraph")->click();
  EXPECT_THAT(log.entries,
              ElementsAre("CommandGetData off", "CommandDrawGraph off", "CommandDrawGraphAlt off",
                          "CommandGetData on", "CommandDrawGraph on", "CommandDrawGraphAlt on"));
  EXPECT_EQ(text("LabelStatus"), "正常終了");
  EXPECT_EQ(text("LabelStatus2"), "");
  const QImage& image = form->graph().surface().image();
  ASSERT_EQ(form->catalogue().ProductTable.size(), 4u);
  for (const Product& product : form->catalogue().ProductTable) {
    SCOPED_TRACE(product.ASIN);
    EXPECT_GT(RedPixelsAround(image, product.X, product.Y), 0);  // the product's marker
  }
}

// What the window shows when each pause between intermediate pictures begins,
// and whether the screen still had repaints owed then.
class PauseWatcher final : public Clock {
 public:
  struct Moment {
    std::string status;
    std::string status2;
    int redInGraph = 0;
    bool screenWasCurrent = false;
  };

  explicit PauseWatcher(FormMain& form) : form_(form) {}
  std::int64_t nowMs() override { return 0; }
  void sleepMs(std::int64_t) override {
    const QImage atPause = screenImage();
    // Whatever was deferred (label texts, the picture) reaches the screen now.
    RunEventsFor(4 * WindowHost::kRepaintIntervalMs);
    const QImage later = screenImage();
    Moment moment;
    moment.status = form_.findChild<QLabel*>("LabelStatus")->text().toStdString();
    moment.status2 = form_.findChild<QLabel*>("LabelStatus2")->text().toStdString();
    moment.screenWasCurrent = atPause == later;
    const QRect graph = form_.graph().geometry();
    const QImage shown = atPause.copy(graph);
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        moment.redInGraph += shown.pixelColor(x, y) == QColor(255, 0, 0);
    moments.push_back(moment);
  }
  std::vector<Moment> moments;

 private:
  QImage screenImage() const {
    return QGuiApplication::primaryScreen()->grabWindow(form_.winId()).toImage();
  }
  FormMain& form_;
};

TEST_F(FormMainTest, EachPauseShowsThePictureAndTextsOfTheStepJustDrawn) {
  folder.write("setting.ini", "[DefaultSetting]\r\nDrawKeyWord=True\r\nCloseCount=2\r\n");
  load();
  // The measures' progress, shown over the graph, must not arrive during a pause.
  RunEventsWhile([&] { return form->measuring(); });
  ASSERT_FALSE(form->measuring());
  PauseWatcher watcher(*form);
  form->setClock(watcher);
  button("CommandDrawGraph")->click();
  const std::pair<const char*, const char*> texts[] = {
      {"キーワードを配置中", ""},
      {"キーワードの位置を変更中", "1/2"},
      {"キーワードの位置を変更中", "2/2"},
  };
  ASSERT_EQ(watcher.moments.size(), std::size(texts));
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    SCOPED_TRACE(i);
    const PauseWatcher::Moment& moment = watcher.moments[i];
    EXPECT_EQ(moment.status, texts[i].first);
    EXPECT_EQ(moment.status2, texts[i].second);
    EXPECT_TRUE(moment.screenWasCurrent);
    EXPECT_GT(moment.redInGraph, 0);  // product markers, not a blank picture
  }
}

TEST_F(FormMainTest, HiddenKeyWordGraphButtonRunsItsCommand) {
  load();
  form->CommandDrawGraphAlt_Click();
  EXPECT_TRUE(button("CommandGetData")->isEnabled());
  EXPECT_FALSE(button("CommandDrawGraphAlt")->isVisible());
  EXPECT_EQ(text("LabelStatus"), "ぬるぽ");
}

TEST_F(FormMainTest, KeyWordGraphWithoutKeyWordsIsAMessageNotACrash) {
  folder.write("keywords.txt", "");
  load();
  MessageBoxCatcher boxes;
  form->CommandDrawGraphAlt_Click();
  EXPECT_EQ(boxes.texts.size(), 1u);
  EXPECT_TRUE(button("CommandDrawGraphAlt")->isEnabled());
}

TEST_F(FormMainTest, DrawingDuringASecondLoadLeavesTheLoadButtonOffUntilTheLoadEnds) {
  load();
  bool loadButtonAfterDrawing = true;
  std::size_t productsWhenDrawn = 0;
  QTimer::singleShot(0, form.operator->(), [&] {
    button("CommandDrawGraph")->click();
    loadButtonAfterDrawing = button("CommandGetData")->isEnabled();
    productsWhenDrawn = form->catalogue().ProductTable.size();
  });
  load();
  EXPECT_FALSE(loadButtonAfterDrawing);  // a second load could not start inside the first
  EXPECT_EQ(productsWhenDrawn, 3u);      // the drawing saw the table as far as it was built
  EXPECT_EQ(form->catalogue().ProductTable.size(), 4u);
  EXPECT_EQ(text("LabelStatus"), "正常終了");
  EXPECT_TRUE(button("CommandGetData")->isEnabled());
  EXPECT_TRUE(endCodes.empty());
}

TEST_F(FormMainTest, ClosingDuringALoadEndsTheProgramAtTheNextCheck) {
  QTimer::singleShot(0, form.operator->(), [&] { form->close(); });
  MessageBoxCatcher boxes;
  load();
  EXPECT_THAT(endCodes, ElementsAre(0));
  EXPECT_TRUE(form->host().QuitRequested);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->catalogue().ProductTable.size(), 3u);  // stopped after product 1
  EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(FormMainTest, ClosingDuringADrawingEndsTheProgramWithoutAMessage) {
  load();
  QTimer::singleShot(0, form.operator->(), [&] { form->close(); });
  MessageBoxCatcher boxes;
  button("CommandDrawGraph")->click();
  EXPECT_THAT(endCodes, ElementsAre(0));
  EXPECT_TRUE(boxes.texts.empty());
  EXPECT_FALSE(form->isVisible());
}

TEST_F(FormMainTest, ClosingWhileIdleOnlySetsTheFlag) {
  form->close();
  EXPECT_TRUE(form->host().QuitRequested);
  EXPECT_TRUE(endCodes.empty());
  EXPECT_FALSE(form->isVisible());
}

TEST_F(FormMainTest, GraphFollowsTheWindowAndNeverGetsANegativeSize) {
  GraphWidget& graph = form->graph();
  graph.surface().circle(800, 500, 2, Rgb{255, 0, 0});
  form->resize(1000, 800);
  EXPECT_EQ(graph.geometry(), QRect(0, 104, 1000, 696));
  EXPECT_EQ(graph.surface().width(), 1000);
  EXPECT_EQ(button("CommandGetData")->geometry(), QRect(8, 8, 113, 33));
  EXPECT_EQ(label("LabelStatus")->width(), 1073);

  form->resize(300, 60);
  EXPECT_EQ(graph.surface().width(), 300);
  EXPECT_EQ(graph.surface().height(), 0);
  EXPECT_EQ(graph.height(), 0);

  form->resize(844, 668);  // what was drawn survives the shrinking
  EXPECT_EQ(graph.surface().image().pixelColor(802, 500), QColor(255, 0, 0));
}

TEST_F(FormMainTest, FolderButtonKeepsToTheTopRightAndRestsWhileACommandRuns) {
  FolderChooser& folders = form->folderChooser();
  EXPECT_FALSE(folders.button().isVisible());  // until the program can open another folder
  folders.setOpener({[] { return QStringList(); }, [](const QString&) {}});
  EXPECT_TRUE(folders.button().isVisible());
  EXPECT_EQ(folders.button().geometry(), QRect(723, 8, 113, 33));
  for (const char* name :
       {"CommandDrawGraphAlt", "CommandGetData", "CommandDrawGraph", "LabelStatus", "Graph"})
    EXPECT_FALSE(
        folders.button().geometry().intersects(form->findChild<QWidget*>(name)->geometry()))
        << name;
  form->resize(1000, 800);
  EXPECT_EQ(folders.button().geometry(), QRect(879, 8, 113, 33));
  // The right-click menu offers the same choices, last.
  const auto menu = form->makeContextMenu();
  EXPECT_EQ(menu->actions().back()->menu()->actions().front(), &folders.openOther());

  log.watch(&folders.button());
  load();
  button("CommandDrawGraph")->click();
  EXPECT_THAT(log.entries,
              ElementsAre("CommandChangeFolder off", "CommandGetData off", "CommandGetData on",
                          "CommandDrawGraph on", "CommandDrawGraphAlt on", "CommandChangeFolder on",
                          "CommandChangeFolder off", "CommandGetData off", "CommandDrawGraph off",
                          "CommandDrawGraphAlt off", "CommandGetData on", "CommandDrawGraph on",
                          "CommandDrawGraphAlt on", "CommandChangeFolder on"));
}

TEST(WindowHostTest, LabelsRepaintRarelyButEndOnTheLatestText) {
  Application();
  QWidget window;
  QLabel status(&window), status2(&window);
  window.show();
  WindowHost host(window, status, status2);
  for (int i = 1; i <= 100000; ++i) host.setLabel(Label::Status2, std::to_string(i) + "/100000");
  host.setLabel(Label::Status, "正常終了");
  EXPECT_LT(host.labelRepaints(), 1000);
  RunEventsFor(3 * WindowHost::kRepaintIntervalMs);
  EXPECT_EQ(status2.text().toStdString(), "100000/100000");
  EXPECT_EQ(status.text().toStdString(), "正常終了");
}

TEST(WindowHostTest, BoxesSpeakJapaneseWithJapaneseButtons) {
  Application();
  QWidget window;
  window.setWindowTitle(QStringLiteral("Quillon グラフ作成"));
  QLabel status(&window), status2(&window);
  WindowHost host(window, status, status2);
  MessageBoxCatcher boxes;
  host.askYesNo("続ける？");
  host.showFailure(Failure{FailureKind::UnknownStartProduct, "B000NOTEXIST"});
  // A window that cannot open has no window yet to carry its title.
  ShowFailureBox("Quillon 取得テスト", Failure{FailureKind::ProgramFolderNotAFolder, "/x/y.txt"});
  ASSERT_EQ(boxes.texts.size(), 3u);
  EXPECT_THAT(boxes.buttons[0], ::testing::UnorderedElementsAre("はい", "いいえ"));
  EXPECT_EQ(boxes.texts[1], "開始商品のASIN「B000NOTEXIST」の商品はないわけだが。");
  EXPECT_THAT(boxes.buttons[1], ElementsAre("OK"));
  EXPECT_EQ(boxes.texts[2], "/x/y.txt はフォルダではないわけだが。");
  EXPECT_EQ(boxes.titles[2], "Quillon 取得テスト");
}

TEST(WindowHostTest, FirstTextShowsAtOnce) {
  Application();
  QWidget window;
  QLabel status(&window), status2(&window);
  WindowHost host(window, status, status2);
  host.setLabel(Label::Status, "商品データ読み込み中");
  EXPECT_EQ(status.text().toStdString(), "商品データ読み込み中");
}

TEST(GraphWidgetTest, PresentsAreCoalescedButTheLastOneIsShown) {
  Application();
  GraphWidget graph;
  graph.resize(200, 100);
  graph.show();
  RunEventsFor(30);
  const int before = graph.repaintCount();
  for (int i = 0; i < 20000; ++i) {
    graph.surface().line(0, 0, 10, 10);
    graph.surface().present();
  }
  EXPECT_LT(graph.repaintCount() - before, 200);
  const int afterBurst = graph.repaintCount();
  RunEventsFor(3 * GraphWidget::kRepaintIntervalMs);
  EXPECT_EQ(graph.repaintCount(), afterBurst + 1);
}

}  // namespace
}  // namespace quillon::grapher
