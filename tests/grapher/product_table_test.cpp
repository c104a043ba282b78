// The product table in the window: order, filter, selection both ways, copy,
// and the saved rows against the command line's CSV.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <cstdlib>
#include <optional>

#include "common/code_page.h"
#include "grapher/ui/form_main.h"
#include "tests/grapher/qt_test_support.h"

namespace quillon::grapher {
namespace {

using namespace quillon::grapher::testing;
using quillon::testing::TempFolder;

class ProductTableTest : public ::testing::Test {
 protected:
  ProductTableTest() {
    Application();
    WriteSampleCatalogue(folder);
    // Distinct ranks: B 5, C 12, A 30, D none (no record).
    (void)WriteProductRecord(folder.path(), "A", SampleRecord("デジタルカメラ", {"B", "C"}, 30));
    (void)WriteProductRecord(folder.path(), "B", SampleRecord("交換レンズ", {"C"}, 5));
    (void)WriteProductRecord(folder.path(), "C", SampleRecord("カメラバッグ", {"A", "D"}, 12));
    form.emplace(folder.path(), 7u);
    form->show();
    form->findChild<QPushButton*>("CommandGetData")->click();
    RunEventsWhile([&] { return form->measuring(); });
    form->viewActions().productTable.trigger();
  }
  ProductTableDock& table() { return form->productTable(); }
  // The ASINs of the rows, top to bottom.
  std::string rows() {
    std::string asins;
    for (const std::int32_t p : table().model().rows().visible())
      asins += form->catalogue().ProductTable[static_cast<std::size_t>(p)].ASIN;
    return asins;
  }
  void sortBy(ProductColumn column, Qt::SortOrder order) {
    table().table().sortByColumn(static_cast<int>(column), order);
  }

  TempFolder folder;
  std::optional<FormMain> form;
};

TEST_F(ProductTableTest, OpensUnderTheViewInTableOrderWithItsMeasures) {
  ASSERT_FALSE(form->measuring());
  ASSERT_TRUE(table().isVisible());
  EXPECT_TRUE(form->viewActions().productTable.isChecked());
  EXPECT_EQ(form->graph().geometry().bottom() + 1, table().geometry().top());
  EXPECT_EQ(rows(), "ABCD");
  EXPECT_EQ(table().model().text(2, ProductColumn::InDegree), "2");
  EXPECT_EQ(table().model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "タイトル");

  form->viewActions().productTable.trigger();
  EXPECT_FALSE(table().isVisible());
  EXPECT_EQ(form->graph().geometry().bottom() + 1, form->height());
}

TEST_F(ProductTableTest, SortsByNumbersAndTextWithUnknownValuesLast) {
  const struct {
    const char* name;
    ProductColumn column;
    Qt::SortOrder order;
    const char* rows;
  } cases[] = {
      {"RankUp", ProductColumn::SalesRank, Qt::AscendingOrder, "BCAD"},
      {"RankDown", ProductColumn::SalesRank, Qt::DescendingOrder, "ACBD"},
      {"TitleUp", ProductColumn::Title, Qt::AscendingOrder, "CABD"},  // UTF-8 order, none last
      {"InDegreeDownTiesInTableOrder", ProductColumn::InDegree, Qt::DescendingOrder, "CABD"},
  };
  for (const auto& c : cases) {
    sortBy(c.column, c.order);
    EXPECT_EQ(rows(), c.rows) << c.name;
  }
}

TEST_F(ProductTableTest, RowsFollowTheFilterAndTheSelectionBothWays) {
  sortBy(ProductColumn::SalesRank, Qt::AscendingOrder);
  form->graph().selectProduct(0, false);  // A
  QTableView& view = table().table();
  EXPECT_EQ(view.currentIndex().row(), 2);

  view.selectRow(0);  // B
  QApplication::processEvents();
  EXPECT_EQ(form->graph().view()->selected(), 1);

  form->filters().keyWord().setCurrentIndex(1);  // カメラ: A and C
  EXPECT_EQ(rows(), "CA");
  form->graph().selectProduct(0, false);
  EXPECT_EQ(view.currentIndex().row(), 1);
  form->graph().selectProduct(1, false);  // B is filtered out: no row
  EXPECT_FALSE(view.selectionModel()->hasSelection());
}

TEST_F(ProductTableTest, CopiesTheSelectedRowsAsTabSeparatedText) {
  QTableView& view = table().table();
  view.selectRow(0);
  view.selectionModel()->select(table().model().index(3, 0),
                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
  view.setFocus();
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QApplication::clipboard()->text();
  const QStringList lines = copied.split(u'\n');
  ASSERT_EQ(lines.size(), 4) << copied.toStdString();  // heading, A, D, and the last line end
  EXPECT_EQ(lines[0],
            "ASIN\tタイトル\t売上順位\tキーワード\t被リンク数\tリンク数\tPageRank\tコミュニティ");
  EXPECT_TRUE(lines[1].startsWith("A\tデジタルカメラ\t30\tカメラ\t1\t2\t"))
      << lines[1].toStdString();
  EXPECT_TRUE(lines[2].startsWith("D\t（タイトル不明）\t順位不明\t\t1\t0\t"))
      << lines[2].toStdString();
}

TEST_F(ProductTableTest, SavedRowsAreTheCommandLinesCsvInTheTablesOrder) {
  form->filters().rankLow().setValue(1);
  form->filters().rankHigh().setValue(1000);
  sortBy(ProductColumn::SalesRank, Qt::AscendingOrder);
  ASSERT_TRUE(table().saveButton().isEnabled());
  const std::string saved = folder.file("table.csv");
  ASSERT_TRUE(table().saveRows(saved));

  const std::string command = std::string("env -u DISPLAY '") + GRAPHER_PROGRAM + "' --folder '" +
                              folder.path() + "' --csv '" + folder.file("cli.csv") +
                              "' --rank-range 1:1000 >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::vector<std::string> cli = SplitUtf8Lines(folder.read("cli.csv"));  // A, B, C
  ASSERT_EQ(cli.size(), 4u);
  EXPECT_EQ(SplitUtf8Lines(folder.read("table.csv")),
            (std::vector<std::string>{cli[0], cli[2], cli[3], cli[1]}));
}

}  // namespace
}  // namespace quillon::grapher
