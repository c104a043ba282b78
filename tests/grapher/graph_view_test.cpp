// The window's interactive view, driven by mouse and key events on the offscreen platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <optional>

#include "common/clock.h"
#include "grapher/ui/form_main.h"
#include "tests/grapher/qt_test_support.h"
#include "tests/grapher/xml_check.h"

namespace quillon::grapher {
namespace {

using ::testing::HasSubstr;
using namespace quillon::grapher::testing;
using quillon::testing::TempFolder;

class GraphViewTest : public ::testing::Test {
 protected:
  GraphViewTest() {
    Application();
    WriteSampleCatalogue(folder);
    form.emplace(folder.path(), 7u);
    form->setProgramEnder([this](int code) { endCodes.push_back(code); });
    form->show();
  }
  void loadAndDraw() {
    button("CommandGetData")->click();
    button("CommandDrawGraph")->click();
  }
  QPushButton* button(const char* name) { return form->findChild<QPushButton*>(name); }
  std::string status() { return form->findChild<QLabel*>("LabelStatus")->text().toStdString(); }
  GraphWidget& graph() { return form->graph(); }
  ViewController& view() { return *graph().view(); }
  // Where product p is on screen now, in the graph's coordinates.
  QPoint onScreen(std::size_t p) {
    const Product& product = form->catalogue().ProductTable[p];
    const Point at = view().transform().toScreen({product.X, product.Y});
    return QPoint(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
  }
  void waitForPicture() {
    for (int i = 0; i < 400 && graph().renderPending(); ++i) RunEventsFor(5);
    RunEventsFor(5);
  }
  void wheel(QPoint at, int delta) {
    QWheelEvent event(at, graph().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&graph(), &event);
  }

  TempFolder folder;
  std::optional<FormMain> form;
  std::vector<int> endCodes;
};

TEST_F(GraphViewTest, WheelZoomsAboutTheCursorAndDragPans) {
  loadAndDraw();
  const QPoint at(200, 150);
  const Point before = view().transform().toGraph({200, 150});
  wheel(at, 240);
  EXPECT_NEAR(view().transform().scale, 1.0015 * 1.0015 * std::pow(1.0015, 238), 1e-6);
  const Point after = view().transform().toGraph({200, 150});
  EXPECT_NEAR(after.x, before.x, 1e-9);
  EXPECT_NEAR(after.y, before.y, 1e-9);

  const ViewTransform zoomed = view().transform();
  QTest::mousePress(&graph(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
  QTest::mouseMove(&graph(), QPoint(130, 110));
  QTest::mouseMove(&graph(), QPoint(160, 140));
  QTest::mouseRelease(&graph(), Qt::LeftButton, Qt::NoModifier, QPoint(160, 140));
  EXPECT_DOUBLE_EQ(view().transform().offsetX, zoomed.offsetX + 60);
  EXPECT_DOUBLE_EQ(view().transform().offsetY, zoomed.offsetY + 40);
  EXPECT_EQ(view().transform().scale, zoomed.scale);
  EXPECT_FALSE(view().selected());  // a drag is not a click
}

TEST_F(GraphViewTest, KeysZoomPanFitAndReturnToTheDrawnPictureUnchanged) {
  loadAndDraw();
  const QImage drawn = graph().grab().toImage();
  QTest::keyClick(form.operator->(), Qt::Key_Plus);
  EXPECT_GT(view().transform().scale, 1);
  const double offsetX = view().transform().offsetX;
  QTest::keyClick(form.operator->(), Qt::Key_Left);
  EXPECT_DOUBLE_EQ(view().transform().offsetX, offsetX + 50);
  QTest::keyClick(form.operator->(), Qt::Key_F);
  for (std::size_t p = 0; p < form->catalogue().ProductTable.size(); ++p)
    EXPECT_TRUE(graph().rect().contains(onScreen(p))) << p;
  waitForPicture();
  EXPECT_TRUE(graph().viewShown());
  EXPECT_NE(graph().grab().toImage(), drawn);

  QTest::keyClick(form.operator->(), Qt::Key_0);
  EXPECT_FALSE(graph().viewShown());
  EXPECT_EQ(graph().grab().toImage(), drawn);  // pixel for pixel the drawing's own picture
}

TEST_F(GraphViewTest, ClickSelectsAndTheDetailsPanelLinksToNeighbours) {
  loadAndDraw();
  EXPECT_FALSE(form->details().isVisible());
  QTest::mouseClick(&graph(), Qt::LeftButton, Qt::NoModifier, onScreen(0) + QPoint(1, 1));
  ASSERT_EQ(view().selected(), 0);
  ASSERT_TRUE(form->details().isVisible());
  const QRect panel = form->details().geometry();
  EXPECT_EQ(panel.right(), graph().width() - 1);
  EXPECT_EQ(button("CommandGetData")->geometry(), QRect(8, 8, 113, 33));  // controls stay
  const std::string text = form->details().plainText().toStdString();
  for (const char* expected : {"デジタルカメラ", "売上順位", "10", "類似商品 (2)", "交換レンズ",
                               "カメラバッグ", "参照元 (1)"})
    EXPECT_THAT(text, HasSubstr(expected));

  // Following a link selects that product and centres it.
  auto* content = form->details().findChild<QLabel*>("DetailsContent");
  ASSERT_NE(content, nullptr);
  emit content->linkActivated(QStringLiteral("1"));
  EXPECT_EQ(view().selected(), 1);
  EXPECT_EQ(onScreen(1), QPoint(graph().width() / 2, graph().height() / 2));
  EXPECT_THAT(form->details().plainText().toStdString(), HasSubstr("交換レンズ"));

  QTest::keyClick(form.operator->(), Qt::Key_Escape);
  EXPECT_FALSE(view().selected());
  EXPECT_FALSE(form->details().isVisible());
}

TEST_F(GraphViewTest, HoveringAProductShowsItsFieldsAndEmptySpaceShowsNothing) {
  loadAndDraw();
  // The tooltip's text, or "" when the graph left the event to its parent.
  const auto hover = [&](QPoint at) {
    QHelpEvent event(QEvent::ToolTip, at, graph().mapToGlobal(at));
    QApplication::sendEvent(&graph(), &event);
    return event.isAccepted() ? QToolTip::text().toStdString() : std::string();
  };

  // Two pixels beyond the marker's edge still count.
  const std::string tip = hover(onScreen(1) + QPoint(4, 0));
  for (const char* expected : {"交換レンズ", "ASIN: B", "売上順位: 10", "キーワード: レンズ"})
    EXPECT_THAT(tip, HasSubstr(expected));
  EXPECT_EQ(hover(onScreen(1) + QPoint(9, 9)), "");
  // D has no record: the service did not know it.
  const std::string unknown = hover(onScreen(3));
  for (const char* expected : {"（タイトル不明）", "ASIN: D", "売上順位: 順位不明"})
    EXPECT_THAT(unknown, HasSubstr(expected));
}

TEST_F(GraphViewTest, FindBarCountsMatchesAndEnterGoesToEachInTurn) {
  loadAndDraw();
  QTest::keyClick(form.operator->(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(form->findBar().isOpen());
  auto* query = form->findBar().findChild<QLineEdit*>("FindQuery");
  auto* count = form->findBar().findChild<QLabel*>("FindCount");
  EXPECT_TRUE(query->hasFocus());
  // Japanese text arrives from the input method; katakana titles, hiragana query.
  QInputMethodEvent typed;
  typed.setCommitString(QStringLiteral("かめら"));
  QApplication::sendEvent(query, &typed);
  EXPECT_EQ(count->text().toStdString(), "2 件");
  EXPECT_FALSE(view().selected());

  QTest::keyClick(query, Qt::Key_Return);
  EXPECT_EQ(view().selected(), 0);
  EXPECT_EQ(onScreen(0), QPoint(graph().width() / 2, graph().height() / 2));
  EXPECT_EQ(count->text().toStdString(), "1 / 2 件");
  // The details panel of the selection leaves the count and the buttons in sight.
  RunEventsFor(200);  // the bar has slid in
  ASSERT_TRUE(form->details().isVisible());
  for (QWidget* part :
       std::initializer_list<QWidget*>{count, form->findBar().findChild<QToolButton*>(), query}) {
    const QRect inGraph(part->mapTo(&graph(), QPoint(0, 0)), part->size());
    EXPECT_FALSE(inGraph.intersects(form->details().geometry())) << part->metaObject()->className();
  }
  QTest::keyClick(form.operator->(), Qt::Key_F3);
  EXPECT_EQ(view().selected(), 2);
  QTest::keyClick(form.operator->(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(view().selected(), 0);

  QTest::keyClick(query, Qt::Key_Escape);  // closes the bar first, keeps the selection
  EXPECT_FALSE(form->findBar().isOpen());
  EXPECT_EQ(view().selected(), 0);
}

// Presses Esc at the first pause between intermediate pictures.
class EscapeAtPause final : public Clock {
 public:
  explicit EscapeAtPause(QWidget& window) : window_(window) {}
  std::int64_t nowMs() override { return 0; }
  void sleepMs(std::int64_t) override {
    if (pauses_++ == 0) QTest::keyClick(&window_, Qt::Key_Escape);
  }

 private:
  QWidget& window_;
  int pauses_ = 0;
};

TEST_F(GraphViewTest, EscCancelsADrawingAndTheWindowStaysUsable) {
  folder.write("setting.ini", "[DefaultSetting]\r\nDrawKeyWord=True\r\nCloseCount=50\r\n");
  button("CommandGetData")->click();
  EscapeAtPause clock(*form);
  form->setClock(clock);
  button("CommandDrawGraph")->click();
  EXPECT_EQ(status(), "描画を中止した");  // not the phase that was running
  EXPECT_TRUE(endCodes.empty());
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(button("CommandDrawGraph")->isEnabled());
  EXPECT_TRUE(button("CommandGetData")->isEnabled());

  SteadyClock steady;
  folder.write("setting.ini", "[DefaultSetting]\r\nCloseCount=2\r\n");
  form->setClock(steady);
  button("CommandDrawGraph")->click();  // a stale cancel would stop this one
  EXPECT_EQ(status(), "正常終了");
}

// After Ctrl+K, F spreads the keyword graph over the view: labels apart,
// lines between related keywords, and hovering a line tells its weights.
TEST_F(GraphViewTest, KeyWordGraphIsFittedWithItsRelationLines) {
  button("CommandGetData")->click();
  QTest::keyClick(form.operator->(), Qt::Key_K, Qt::ControlModifier);
  QTest::keyClick(form.operator->(), Qt::Key_F);
  waitForPicture();
  ASSERT_TRUE(graph().viewShown());
  const auto& keyWords = form->catalogue().KeyWordTable;
  ASSERT_TRUE(keyWords[0].Placed && keyWords[1].Placed);
  const auto at = [&](std::size_t k) {
    const Point p = view().transform().toScreen({keyWords[k].X, keyWords[k].Y});
    return QPointF(p.x, p.y);
  };
  const double halfWidths =
      (graph().surface().textWidth("カメラ") + graph().surface().textWidth("レンズ")) / 2;
  const QPointF apart = at(1) - at(0);
  EXPECT_GT(std::max(std::abs(apart.x()), std::abs(apart.y())), halfWidths);
  for (const std::size_t k : {0u, 1u}) EXPECT_TRUE(QRectF(graph().rect()).contains(at(k))) << k;

  const QImage shown = graph().viewPicture();
  const QPoint middle = ((at(0) + at(1)) / 2).toPoint();
  int grey = 0;
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      grey += shown.pixelColor(middle + QPoint(dx, dy)) == QColor(128, 128, 128) ? 1 : 0;
  EXPECT_GT(grey, 0);  // the line between the two labels

  QHelpEvent event(QEvent::ToolTip, middle, graph().mapToGlobal(middle));
  QApplication::sendEvent(&graph(), &event);
  EXPECT_THAT(QToolTip::text().toStdString(), HasSubstr("カメラ -> レンズ: "));
}

TEST_F(GraphViewTest, ResizingRedrawsTheViewAtTheNewSize) {
  loadAndDraw();
  QTest::keyClick(form.operator->(), Qt::Key_Minus);
  waitForPicture();
  const int renders = graph().renderCount();
  form->resize(1000, 800);
  waitForPicture();
  EXPECT_GT(graph().renderCount(), renders);
  // The new picture covers the whole graph: its far corner is drawn, not left blank.
  const QImage shown = graph().grab().toImage();
  EXPECT_EQ(shown.size(), QSize(1000, 696));
  EXPECT_EQ(shown, graph().viewPicture());
}

TEST_F(GraphViewTest, ResizingAfterADrawingRedrawsTheGrownAreaAtOneToOne) {
  loadAndDraw();
  const QImage drawn = graph().grab().toImage();
  form->resize(1200, 800);
  EXPECT_TRUE(graph().viewShown());  // products beyond the first size would show now
  waitForPicture();
  const QImage shown = graph().grab().toImage();
  EXPECT_EQ(shown.copy(QRect(QPoint(0, 0), drawn.size())), drawn);  // unchanged where drawn
  EXPECT_EQ(shown, graph().viewPicture());
}

TEST_F(GraphViewTest, SavedPictureIsTheViewAsShown) {
  // Titles printed, one with a reference to a control character and raw control bytes.
  folder.write("setting.ini", "[DefaultSetting]\r\nDrawProductName=True\r\n");
  (void)WriteProductRecord(folder.path(), "B", SampleRecord("交換レンズ&#1;\x01\x1B", {"C"}));
  loadAndDraw();
  QTest::keyClick(form.operator->(), Qt::Key_Plus);
  QTest::mouseClick(&graph(), Qt::LeftButton, Qt::NoModifier, onScreen(2));
  waitForPicture();
  form->saveView(folder.file("view.png"));
  form->saveView(folder.file("view.svg"));
  // The details panel is over the view, not part of it.
  const QRect uncovered(0, 0, form->details().x(), graph().height());
  const QImage saved(QString::fromStdString(folder.file("view.png")));
  EXPECT_EQ(saved.size(), graph().size());
  EXPECT_EQ(saved.copy(uncovered).convertToFormat(QImage::Format_RGB32),
            graph().grab(uncovered).toImage().convertToFormat(QImage::Format_RGB32));
  const ParsedXml svg = ParseXml(folder.read("view.svg"));
  EXPECT_EQ(svg.error, "");
  EXPECT_TRUE(std::any_of(svg.texts.begin(), svg.texts.end(), [](const std::string& text) {
    return text.find("&#1;") != std::string::npos;  // the reference as the record has it
  }));
}

TEST_F(GraphViewTest, RightClickMenuListsEveryActionWithItsKey) {
  std::vector<QAction*> listed;
  const auto menu = form->makeContextMenu();
  for (QAction* entry : menu->actions()) {
    if (entry->menu() != nullptr) {
      for (QAction* inner : entry->menu()->actions()) listed.push_back(inner);
    } else if (!entry->isSeparator()) {
      listed.push_back(entry);
    }
  }
  for (QAction* action : form->actions()) {
    EXPECT_NE(std::find(listed.begin(), listed.end(), action), listed.end())
        << action->text().toStdString();
    EXPECT_FALSE(action->shortcut().isEmpty()) << action->text().toStdString();
  }
  EXPECT_EQ(listed.size(), form->actions().size());
}

}  // namespace
}  // namespace quillon::grapher
