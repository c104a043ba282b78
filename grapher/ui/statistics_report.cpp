#include "grapher/ui/statistics_report.h"

#include <unistd.h>
#include <QApplication>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/atomic_file.h"
#include "grapher/catalogue/keyword_membership.h"
#include "grapher/export/catalogue_csv.h"
#include "grapher/statistics/graph_statistics.h"
#include "grapher/statistics/report_page.h"
#include "grapher/ui/statistics_charts.h"

namespace quillon::grapher {
namespace {

constexpr QSize kPlotSize(860, 560);

// The plot drawn by a chart view that is never put on a screen.
std::string PlotSvg(std::unique_ptr<QChart> chart) {
  QChartView view;
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.setRenderHint(QPainter::Antialiasing);
  view.setChart(chart.release());  // the view owns it
  view.resize(kPlotSize);
  view.show();
  QApplication::processEvents();  // lays the chart out at its size
  return ChartSvg(view).toStdString();
}

Status WriteText(const std::string& path, const std::string& text) {
  AtomicFile file(path);
  file.stream() << text;
  return file.commit();
}

}  // namespace

Status PrepareReportFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(folder, error);
  if (!error && !fs::is_directory(folder, error))
    error = std::make_error_code(std::errc::not_a_directory);
  if (!error && ::access(folder.c_str(), W_OK | X_OK) != 0)
    error = std::error_code(errno, std::generic_category());
  if (error)
    return Failure{"Cannot write the report into " + folder + ": " + error.message() + "."};
  return Success();
}

Status WriteReport(const std::string& folder, const Catalogue& catalogue,
                   const analysis::GraphMeasures& measures, const Host& host) {
  if (const Status ready = PrepareReportFolder(folder); !ready) return ready;
  const std::filesystem::path out(folder);
  if (const Status csv = WriteCatalogueCsv(catalogue, measures, (out / kReportProducts).string());
      !csv)
    return csv;

  const KeyWordMembership members(catalogue);
  // Around the start product, the one every crawl begins with.
  const std::int32_t around = catalogue.ProductTable.empty() ? -1 : 0;
  std::unique_ptr<QChart> charts[] = {
      DegreeChart(statistics::DegreeDistributionOf(measures)),
      RanksChart(catalogue, statistics::RanksPerKeyWord(catalogue, members)),
      CommunitiesChart(catalogue, statistics::CommunitiesOf(catalogue, members, measures)),
      KeyWordMixChart(catalogue, statistics::KeyWordMixAround(catalogue, members, around, 1),
                      around, 1)};
  const char* files[] = {"degrees.svg", "sales-ranks.svg", "communities.svg", "keyword-mix.svg"};
  const auto translate = [&host](std::string_view text) { return host.text(text); };
  statistics::ReportInput input{catalogue, members, measures, {}, translate};
  for (std::size_t i = 0; i < std::size(files); ++i) {
    statistics::ReportPlot plot{files[i], PlotSvg(std::move(charts[i]))};
    if (const Status written = WriteText((out / files[i]).string(), plot.svg); !written)
      return written;
    input.plots.push_back(std::move(plot));
  }
  AtomicFile page((out / kReportPage).string());
  statistics::WriteReportPage(page.stream(), input);
  return page.commit();
}

}  // namespace quillon::grapher
