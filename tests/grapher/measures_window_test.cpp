// The measures in the window: computed after each load off the window's
// thread, shown in the details panel and the colours, and the filter panel.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "grapher/ui/form_main.h"
#include "tests/grapher/qt_test_support.h"

namespace quillon::grapher {
namespace {

using ::testing::HasSubstr;
using namespace quillon::grapher::testing;
using quillon::testing::TempFolder;

class MeasuresWindowTest : public ::testing::Test {
 protected:
  MeasuresWindowTest() {
    Application();
    WriteSampleCatalogue(folder);
    form.emplace(folder.path(), 7u);
    form->show();
  }
  QPushButton* button(const char* name) { return form->findChild<QPushButton*>(name); }
  ViewController& view() { return *form->graph().view(); }
  void loadAndWait() {
    button("CommandGetData")->click();
    RunEventsWhile([&] { return form->measuring(); });
    ASSERT_FALSE(form->measuring());
  }

  TempFolder folder;
  std::optional<FormMain> form;
};

TEST_F(MeasuresWindowTest, EachLoadComputesTheMeasuresForTheViewAndTheDetails) {
  loadAndWait();
  // A lists B and C, B lists C, C lists A and D: one component of four.
  ASSERT_NE(view().measures(), nullptr);
  EXPECT_EQ(view().measures()->InDegree, (std::vector<std::int32_t>{1, 1, 2, 1}));
  EXPECT_EQ(view().measures()->componentSizes, (std::vector<std::int32_t>{4}));
  EXPECT_FALSE(form->measureStatus().isVisible());

  button("CommandDrawGraph")->click();
  form->graph().selectProduct(2, false);
  const std::string details = form->details().plainText().toStdString();
  for (const char* expected : {"被リンク数 2", "リンク数 2", "PageRank", "連結成分 0"})
    EXPECT_THAT(details, HasSubstr(expected));

  // A second load replaces them.
  button("CommandGetData")->click();
  EXPECT_EQ(view().measures(), nullptr);
  RunEventsWhile([&] { return form->measuring(); });
  EXPECT_NE(view().measures(), nullptr);
}

TEST_F(MeasuresWindowTest, FilterPanelNarrowsTheViewAndCountsWithoutMovingControls) {
  loadAndWait();
  button("CommandDrawGraph")->click();
  const QRect loadButton = button("CommandGetData")->geometry();
  FilterPanel& panel = form->filters();
  form->viewActions().filters.trigger();
  ASSERT_TRUE(panel.isVisible());
  EXPECT_EQ(button("CommandGetData")->geometry(), loadButton);

  panel.keyWord().setCurrentIndex(2);  // レンズ: B only
  EXPECT_EQ(view().shownCount(), 1u);
  EXPECT_EQ(panel.count().text().toStdString(), "表示 1 / 4 件");
  EXPECT_FALSE(view().isPlain());

  panel.keyWord().setCurrentIndex(0);
  panel.rankLow().setValue(1);
  panel.rankHigh().setValue(1000);
  EXPECT_EQ(view().shownCount(), 3u);  // D has no record, so no rank

  // The neighbourhood of the selection follows the selection.
  panel.rankLow().setValue(0);
  panel.rankHigh().setValue(panel.rankHigh().maximum());
  panel.around().setChecked(true);
  form->graph().selectProduct(3, false);
  EXPECT_EQ(view().shownCount(), 2u);  // D and C, which lists it
  EXPECT_EQ(panel.count().text().toStdString(), "表示 2 / 4 件");

  form->viewActions().colourByCommunity.trigger();
  EXPECT_EQ(view().colourBy(), ColourBy::Community);
  form->viewActions().sizeByPageRank.trigger();
  EXPECT_EQ(view().sizeBy(), SizeBy::PageRank);
}

}  // namespace
}  // namespace quillon::grapher
