// The statistics panel of the window and the report of the command line,
// checked by reading what they write as a browser or graph tool would.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include "common/code_page.h"
#include "common/terminal_host.h"
#include "grapher/ui/command_line.h"
#include "grapher/ui/form_main.h"
#include "grapher/ui/statistics_report.h"
#include "service/catalogue_generator.h"
#include "service/record_folder.h"
#include "tests/grapher/qt_test_support.h"
#include "tests/grapher/xml_check.h"

namespace quillon::grapher {
namespace {

using ::testing::HasSubstr;
using namespace quillon::grapher::testing;
using quillon::testing::TempFolder;

TEST(StatisticsPanelTest, ShowsFourPlotsThatFollowTheSelectionAndSave) {
  Application();
  TempFolder folder;
  WriteSampleCatalogue(folder);
  FormMain form(folder.path(), 7u);
  form.show();
  form.findChild<QPushButton*>("CommandGetData")->click();
  RunEventsWhile([&] { return form.measuring(); });
  ASSERT_FALSE(form.measuring());

  StatisticsPanel& panel = form.statistics();
  EXPECT_FALSE(panel.isVisible());
  form.viewActions().statistics.trigger();
  ASSERT_TRUE(panel.isVisible());
  EXPECT_EQ(panel.tabs().count(), StatisticsPanel::kPlotCount);
  for (const auto plot :
       {StatisticsPanel::Degrees, StatisticsPanel::Ranks, StatisticsPanel::Communities})
    EXPECT_FALSE(panel.plot(plot).chart()->series().isEmpty()) << plot;
  // No selection: the mix only says how to get one.
  EXPECT_TRUE(panel.plot(StatisticsPanel::KeyWordMix).chart()->series().isEmpty());
  form.graph().selectProduct(0, false);
  EXPECT_FALSE(panel.plot(StatisticsPanel::KeyWordMix).chart()->series().isEmpty());

  panel.resize(640, 480);
  RunEventsFor(20);
  TempFolder out;
  ASSERT_TRUE(panel.save(StatisticsPanel::Degrees, out.file("d.png")));
  EXPECT_FALSE(QImage(QString::fromStdString(out.file("d.png"))).isNull());
  ASSERT_TRUE(panel.save(StatisticsPanel::KeyWordMix, out.file("m.svg")));
  const ParsedXml svg = ParseXml(out.read("m.svg"));
  EXPECT_EQ(svg.error, "");
  EXPECT_THAT(svg.texts, ::testing::Contains("カメラ"));
  EXPECT_FALSE(panel.save(StatisticsPanel::Ranks, out.file("no/such/r.png")));

  form.viewActions().statistics.trigger();
  EXPECT_FALSE(panel.isVisible());
}

// The tables of an XHTML page by their id: rows of cell texts.
using Tables = std::map<std::string, std::vector<std::vector<std::string>>>;

Tables ReadTables(const std::string& page, std::string& error) {
  QXmlStreamReader reader(QByteArray::fromStdString(page));
  Tables tables;
  std::string table;
  bool inCell = false;
  while (!reader.atEnd()) {
    const auto token = reader.readNext();
    const QStringView name = reader.name();
    if (token == QXmlStreamReader::StartElement) {
      if (name == u"table") table = reader.attributes().value("id").toString().toStdString();
      if (name == u"tr" && !table.empty()) tables[table].emplace_back();
      if ((name == u"td" || name == u"th") && !table.empty()) {
        tables[table].back().emplace_back();
        inCell = true;
      }
    } else if (token == QXmlStreamReader::EndElement) {
      if (name == u"table") table.clear();
      if (name == u"td" || name == u"th") inCell = false;
    } else if (token == QXmlStreamReader::Characters && inCell) {
      tables[table].back().back() += reader.text().toString().toStdString();
    }
  }
  error = reader.hasError() ? reader.errorString().toStdString() : "";
  return tables;
}

// Rows of products.csv with no quoted field spanning lines: ASIN -> fields.
std::map<std::string, std::vector<std::string>> CsvRows(const std::string& csv) {
  std::map<std::string, std::vector<std::string>> rows;
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);  // the header
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // ASIN first, the six numbers last: the title may hold commas.
    std::vector<std::string> fields;
    std::size_t end = line.size();
    for (int i = 0; i < 6; ++i) {
      const std::size_t comma = line.rfind(',', end - 1);
      fields.insert(fields.begin(), line.substr(comma + 1, end - comma - 1));
      end = comma;
    }
    rows[line.substr(0, line.find(','))] = fields;
  }
  return rows;
}

class ReportTest : public ::testing::Test {
 protected:
  ReportTest() {
    Application();
    const auto generated = service::GenerateCatalogue(400, 3, service::CatalogueShape::Groups);
    service::ProductCatalogue catalogue;
    for (const auto& product : generated.products) (void)catalogue.add(product);
    (void)service::WriteRecordFolder(catalogue, folder.path());
    std::string keyWords;
    for (const auto& k : generated.keywords) keyWords += k + "\r\n";
    folder.write("keywords.txt", Utf8ToCodePage(keyWords));
    // The start product gets markup in its title and the best rank of all,
    // so that the communities table names it.
    start = generated.products.front().asin;
    const std::string record = folder.read(start + ".xml");
    folder.write(
        start + ".xml",
        std::regex_replace(std::regex_replace(record, std::regex("<Title>[^<]*</Title>"),
                                              "<Title>&lt;b&gt;Tom &amp; \"Jerry\"</Title>"),
                           std::regex("<SalesRank>[^<]*</SalesRank>"), "<SalesRank>1</SalesRank>"));
  }

  int run(const CommandLineOptions& options) {
    std::ostringstream err;
    TerminalHost host(err, false);
    const int code = RunHeadless(options, folder.path(), host);
    errors = err.str();
    return code;
  }

  TempFolder folder;
  TempFolder out;
  std::string start;
  std::string errors;
};

TEST_F(ReportTest, WritesTheCsvThePlotsAndAPageOfWellFormedTables) {
  CommandLineOptions options;
  options.csv = out.file("all.csv");
  options.report = out.file("report");
  ASSERT_EQ(run(options), 0) << errors;
  const std::string csv = out.read("all.csv");
  EXPECT_EQ(out.read("report/products.csv"), csv);
  for (const char* plot : {"degrees.svg", "sales-ranks.svg", "communities.svg", "keyword-mix.svg"})
    EXPECT_EQ(ParseXml(out.read(std::string("report/") + plot)).error, "") << plot;

  std::string error;
  const std::string page = out.read("report/report.html");
  Tables tables = ReadTables(page, error);
  ASSERT_EQ(error, "");
  std::set<std::string> ids;
  const std::regex id("id=\"([^\"]*)\"");
  for (auto m = std::sregex_iterator(page.begin(), page.end(), id); m != std::sregex_iterator();
       ++m)
    EXPECT_TRUE(ids.insert((*m)[1]).second) << "two elements with id " << (*m)[1];
  const auto rows = CsvRows(csv);
  const auto& counts = tables["counts"];
  ASSERT_GE(counts.size(), 5u);
  EXPECT_EQ(counts[0][1], std::to_string(rows.size()));
  long links = 0;  // each link counted once, at the product that lists it
  for (const auto& [asin, fields] : rows) links += std::stol(fields[2]);
  EXPECT_EQ(counts[1][1], std::to_string(links));

  // Each top table: 20 products in order, none left out that beats the last.
  const auto checkTop = [&](const char* id, std::size_t field) {
    const auto& table = tables[id];
    ASSERT_EQ(table.size(), 21u) << id;  // the heading and 20 products
    double previous = 1e300;
    std::set<std::string> listed;
    for (std::size_t r = 1; r < table.size(); ++r) {
      const auto row = rows.find(table[r][1]);
      ASSERT_NE(row, rows.end()) << table[r][1];
      const double value = std::stod(row->second[field]);
      EXPECT_LE(value, previous) << id << " row " << r;
      previous = value;
      listed.insert(row->first);
    }
    for (const auto& [asin, fields] : rows)
      if (listed.count(asin) == 0) {
        EXPECT_LE(std::stod(fields[field]), previous) << id << asin;
      }
  };
  checkTop("top-pagerank", 3);
  checkTop("top-indegree", 1);

  // Communities: as many as the CSV numbers, each with its size.
  std::map<int, int> sizes;
  for (const auto& [asin, fields] : rows) ++sizes[std::stoi(fields[4])];
  const auto& communities = tables["communities"];
  ASSERT_EQ(communities.size(), sizes.size() + 1);
  EXPECT_EQ(counts[3][1], std::to_string(sizes.size()));
  for (std::size_t c = 0; c < sizes.size(); ++c)
    EXPECT_EQ(communities[c + 1][1], std::to_string(sizes[static_cast<int>(c)])) << c;
  // The catalogue's text is escaped, so the page reads it as it was.
  const auto named = std::find_if(communities.begin(), communities.end(), [&](const auto& row) {
    return row[3].find(start) != std::string::npos;
  });
  ASSERT_NE(named, communities.end());
  EXPECT_THAT((*named)[3], HasSubstr("<b>Tom & \"Jerry\""));
}

TEST_F(ReportTest, AFolderThatCannotBeMadeIsNamedBeforeAnyWork) {
  out.write("file", "x");
  CommandLineOptions options;
  options.report = out.file("file/report");
  EXPECT_EQ(run(options), 1);
  EXPECT_THAT(errors, HasSubstr(out.file("file/report")));
  EXPECT_THAT(errors, ::testing::Not(HasSubstr("正常終了")));
}

}  // namespace
}  // namespace quillon::grapher
