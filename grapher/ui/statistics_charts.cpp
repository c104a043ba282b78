#include "grapher/ui/statistics_charts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBoxPlotSeries>
#include <QBoxSet>
#include <QBuffer>
#include <QHorizontalBarSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>

#include "common/ui/translation.h"
#include "grapher/statistics/statistics_texts.h"
#include "grapher/ui/picture_files.h"

namespace quillon::grapher {
namespace {

namespace texts = statistics_texts;

QString KeyWordText(const Catalogue& catalogue, std::int32_t k) {
  if (k < 0 || static_cast<std::size_t>(k) >= catalogue.KeyWordTable.size())
    return UiText(texts::kNone);
  return QString::fromStdString(catalogue.KeyWordTable[static_cast<std::size_t>(k)].Text);
}

std::unique_ptr<QChart> NewChart(const char* title) {
  auto chart = std::make_unique<QChart>();
  chart->setTitle(UiText(title));
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setAlignment(Qt::AlignBottom);
  return chart;
}

QLogValueAxis* LogAxis(const QString& title, double top) {
  auto* axis = new QLogValueAxis;  // owned by the chart it is added to
  axis->setTitleText(title);
  axis->setBase(10);
  axis->setLabelFormat(QStringLiteral("%g"));
  axis->setMinorTickCount(-1);
  axis->setRange(0.8, std::max(10.0, top * 1.5));
  return axis;
}

// A horizontal bar per category, the first on top.
void AddBars(QChart& chart, const QStringList& categories, const QList<qreal>& values,
             const QString& seriesName) {
  auto* set = new QBarSet(seriesName);
  QStringList shown;
  // Categories run from the bottom up: reverse, so the first reads first.
  for (qsizetype i = values.size() - 1; i >= 0; --i) {
    set->append(values[i]);
    shown.append(categories[i]);
  }
  auto* series = new QHorizontalBarSeries;
  series->append(set);
  chart.addSeries(series);
  auto* names = new QBarCategoryAxis;
  names->append(shown);
  // Labels taller than their row are cut to "...": smaller type for many rows.
  if (shown.size() > 10) {
    QFont font = names->labelsFont();
    font.setPointSizeF(font.pointSizeF() * 0.8);
    names->setLabelsFont(font);
  }
  chart.addAxis(names, Qt::AlignLeft);
  series->attachAxis(names);
  auto* counts = new QValueAxis;
  counts->setLabelFormat(QStringLiteral("%d"));
  counts->setTitleText(UiText(texts::kProductCountAxis));
  const qreal top = values.isEmpty() ? 1 : *std::max_element(values.begin(), values.end());
  counts->setRange(0, std::max<qreal>(1, top * 1.1));
  counts->applyNiceNumbers();
  chart.addAxis(counts, Qt::AlignBottom);
  series->attachAxis(counts);
  chart.legend()->hide();
}

}  // namespace

std::unique_ptr<QChart> DegreeChart(const statistics::DegreeDistribution& degrees) {
  auto chart = NewChart(texts::kDegreeTitle);
  double topDegree = 1;
  double topCount = 1;
  const auto add = [&](const std::vector<statistics::DegreeCount>& counts, const char* name,
                       std::int32_t zero, QScatterSeries::MarkerShape shape) {
    auto* series = new QScatterSeries;
    series->setName(UiText(texts::kZeroDegrees).arg(UiText(name), QString::number(zero)));
    series->setMarkerShape(shape);
    series->setMarkerSize(9);
    for (const statistics::DegreeCount& c : counts) {
      series->append(c.degree, c.products);
      topDegree = std::max<double>(topDegree, c.degree);
      topCount = std::max<double>(topCount, c.products);
    }
    chart->addSeries(series);
    return series;
  };
  QScatterSeries* in =
      add(degrees.in, texts::kInDegreeSeries, degrees.zeroIn, QScatterSeries::MarkerShapeCircle);
  QScatterSeries* out = add(degrees.out, texts::kOutDegreeSeries, degrees.zeroOut,
                            QScatterSeries::MarkerShapeRectangle);
  QLogValueAxis* x = LogAxis(UiText(texts::kDegreeAxis), topDegree);
  QLogValueAxis* y = LogAxis(UiText(texts::kProductCountAxis), topCount);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QScatterSeries* series : {in, out}) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
  return chart;
}

std::unique_ptr<QChart> RanksChart(const Catalogue& catalogue,
                                   const std::vector<statistics::RankSummary>& ranks) {
  auto chart = NewChart(texts::kRanksTitle);
  auto* series = new QBoxPlotSeries;
  QStringList names;
  double top = 1;
  for (const statistics::RankSummary& r : ranks) {
    if (r.ranks.empty()) continue;  // no box to draw
    const QString name = KeyWordText(catalogue, r.keyWord);
    series->append(
        new QBoxSet(r.minimum, r.lowerQuartile, r.median, r.upperQuartile, r.maximum, name));
    names.append(name);
    top = std::max(top, r.maximum);
  }
  chart->addSeries(series);
  auto* keyWords = new QBarCategoryAxis;
  keyWords->append(names);
  keyWords->setTitleText(UiText(texts::kKeyWordAxis));
  keyWords->setLabelsAngle(names.size() > 6 ? -45 : 0);
  chart->addAxis(keyWords, Qt::AlignBottom);
  series->attachAxis(keyWords);
  auto* rankAxis = new QValueAxis;
  rankAxis->setTitleText(UiText(texts::kRankAxis));
  rankAxis->setLabelFormat(QStringLiteral("%d"));
  rankAxis->setRange(0, top * 1.05);
  rankAxis->applyNiceNumbers();
  chart->addAxis(rankAxis, Qt::AlignLeft);
  series->attachAxis(rankAxis);
  chart->legend()->hide();
  return chart;
}

std::unique_ptr<QChart> CommunitiesChart(
    const Catalogue& catalogue, const std::vector<statistics::CommunitySummary>& summaries) {
  auto chart = NewChart(texts::kCommunitiesTitle);
  QStringList categories;
  QList<qreal> sizes;
  for (std::size_t c = 0; c < summaries.size() && c < kPlottedCommunities; ++c) {
    categories.append(
        QStringLiteral("%1 %2").arg(c).arg(KeyWordText(catalogue, summaries[c].leadingKeyWord())));
    sizes.append(summaries[c].size);
  }
  chart->setTitle(UiText(texts::kLargestCommunities)
                      .arg(chart->title(), QString::number(categories.size()),
                           QString::number(summaries.size())));
  AddBars(*chart, categories, sizes, UiText(texts::kProductCountAxis));
  return chart;
}

std::unique_ptr<QChart> KeyWordMixChart(const Catalogue& catalogue,
                                        const statistics::KeyWordMix& mix, std::int32_t around,
                                        int hops) {
  if (around < 0 || static_cast<std::size_t>(around) >= catalogue.ProductTable.size())
    return MessageChart(UiText(texts::kMixTitle), UiText(texts::kMixNoSelection));
  auto chart = NewChart(texts::kMixTitle);
  QStringList categories;
  QList<qreal> counts;
  for (std::size_t k = 0; k < mix.perKeyWord.size(); ++k) {
    if (mix.perKeyWord[k] == 0) continue;
    categories.append(KeyWordText(catalogue, static_cast<std::int32_t>(k)));
    counts.append(mix.perKeyWord[k]);
  }
  if (mix.withoutKeyWord > 0) {
    categories.append(UiText(texts::kNoKeyWord));
    counts.append(mix.withoutKeyWord);
  }
  const QString asin =
      QString::fromStdString(catalogue.ProductTable[static_cast<std::size_t>(around)].ASIN);
  chart->setTitle(
      UiText(texts::kMixAround)
          .arg(chart->title(), asin, QString::number(hops), QString::number(mix.products)));
  AddBars(*chart, categories, counts, UiText(texts::kProductCountAxis));
  return chart;
}

std::unique_ptr<QChart> MessageChart(const QString& title, const QString& message) {
  auto chart = std::make_unique<QChart>();
  chart->setTitle(title + QStringLiteral("\n") + message);
  chart->legend()->hide();
  return chart;
}

QByteArray ChartSvg(QChartView& view) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(view.size());
    generator.setViewBox(QRect(QPoint(0, 0), view.size()));
    generator.setTitle(QStringLiteral("Quillon"));
    QPainter painter(&generator);
    view.render(&painter);
  }
  return buffer.data();
}

Status SaveChart(QChartView& view, const std::string& path) {
  const QString name = QString::fromStdString(path);
  if (!name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
    return SavePng(view.grab().toImage(), path);
  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly) || file.write(ChartSvg(view)) < 0 || !file.commit())
    return PictureWriteFailure(path, file.errorString());
  return Success();
}

}  // namespace quillon::grapher
