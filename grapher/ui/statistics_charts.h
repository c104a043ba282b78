// The four statistics plots as Qt Charts, made from the figures of
// grapher/statistics, and their pictures as PNG or SVG. Needs a QApplication.
#pragma once

#include <QChart>
#include <QChartView>
#include <QSize>
#include <memory>
#include <string>

#include "common/expected.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/statistics/graph_statistics.h"

namespace quillon::grapher {

// The communities plotted, largest first; the rest are too small to read.
inline constexpr std::size_t kPlottedCommunities = 15;

std::unique_ptr<QChart> DegreeChart(const statistics::DegreeDistribution& degrees);
std::unique_ptr<QChart> RanksChart(const Catalogue& catalogue,
                                   const std::vector<statistics::RankSummary>& ranks);
std::unique_ptr<QChart> CommunitiesChart(
    const Catalogue& catalogue, const std::vector<statistics::CommunitySummary>& summaries);
// around: the product whose neighbourhood it is, -1 for none (the chart then says how to get one).
std::unique_ptr<QChart> KeyWordMixChart(const Catalogue& catalogue,
                                        const statistics::KeyWordMix& mix, std::int32_t around,
                                        int hops);
// A chart that only says something (measures not computed yet).
std::unique_ptr<QChart> MessageChart(const QString& title, const QString& message);

// The view as it is drawn, as an SVG document.
QByteArray ChartSvg(QChartView& view);
// PNG, or SVG when the name ends in .svg; the file is replaced whole.
Status SaveChart(QChartView& view, const std::string& path);

}  // namespace quillon::grapher
