#include "grapher/ui/details_panel.h"

#include <QTextDocument>
#include <algorithm>

#include "grapher/ui/analysis_texts.h"
#include "grapher/ui/graph_painting.h"
#include "grapher/ui/view_texts.h"
#include "grapher/view/neighbourhood.h"

namespace quillon::grapher {
namespace {

QString Escaped(std::string_view text) {
  return ToQString(text).toHtmlEscaped();
}

QString Field(const char* name, const QString& value) {
  return QStringLiteral("<p><b>%1</b><br>%2</p>").arg(view_texts::Text(name), value);
}

QString Links(const char* name, const Catalogue& catalogue,
              const std::vector<std::int32_t>& indices) {
  QString html =
      QStringLiteral("<p><b>%1</b> (%2)</p>").arg(view_texts::Text(name)).arg(indices.size());
  if (indices.empty())
    return html + QStringLiteral("<p>%1</p>").arg(view_texts::Text(view_texts::kNone));
  html += QStringLiteral("<ul style=\"margin-left:0; -qt-list-indent:1\">");
  for (const std::int32_t i : indices) {
    const Product& p = catalogue.ProductTable[static_cast<std::size_t>(i)];
    html += QStringLiteral("<li><a href=\"%1\">%2</a> %3</li>")
                .arg(i)
                .arg(Escaped(p.ASIN), Escaped(p.Title));
  }
  return html + QStringLiteral("</ul>");
}

}  // namespace

QString KeyWordOf(const Catalogue& catalogue, const Product& product) {
  const auto k = static_cast<std::size_t>(product.KeyWordIndex);
  if (product.KeyWordIndex < 0 || k >= catalogue.KeyWordTable.size()) return {};
  return ToQString(catalogue.KeyWordTable[k].Text);
}

QString TitleOf(const Product& product) {
  if (product.Title.empty()) return view_texts::Text(view_texts::kUnknownTitle);
  return ToQString(product.Title);
}

QString SalesRankOf(const Product& product) {
  if (product.SalesRank <= 0) return view_texts::Text(view_texts::kUnknownRank);
  return QString::number(product.SalesRank);
}

DetailsPanel::DetailsPanel(QWidget& parent)
    : QFrame(&parent), layout_(this), close_(this), scroll_(this), content_(&scroll_) {
  setObjectName(QStringLiteral("DetailsPanel"));
  content_.setObjectName(QStringLiteral("DetailsContent"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  close_.setText(QStringLiteral("×"));
  close_.setAutoRaise(true);
  content_.setWordWrap(true);
  content_.setTextFormat(Qt::RichText);
  content_.setAlignment(Qt::AlignTop | Qt::AlignLeft);
  content_.setTextInteractionFlags(Qt::TextBrowserInteraction);
  content_.setOpenExternalLinks(false);
  content_.setContentsMargins(6, 0, 6, 6);
  scroll_.setWidget(&content_);
  scroll_.setWidgetResizable(true);
  scroll_.setFrameShape(QFrame::NoFrame);
  layout_.setContentsMargins(0, 0, 0, 0);
  layout_.setSpacing(0);
  layout_.addWidget(&close_, 0, Qt::AlignRight);
  layout_.addWidget(&scroll_, 1);
  hide();

  connect(&content_, &QLabel::linkActivated, this, [this](const QString& link) {
    bool ok = false;
    const int index = link.toInt(&ok);
    if (ok && onProduct_) onProduct_(index);
  });
  connect(&close_, &QToolButton::clicked, this, [this] {
    close();
    if (onClosed_) onClosed_();
  });
}

namespace {
// The product's measures in one paragraph, or "computing" while they are not known.
QString Measures(const analysis::GraphMeasures* m, std::int32_t p) {
  using namespace analysis_texts;
  const auto i = static_cast<std::size_t>(p);
  if (m == nullptr || i >= m->size())
    return QStringLiteral("<p><b>%1</b><br>%2</p>").arg(UiText(kMeasures), UiText(kNotYet));
  return QStringLiteral(
             "<p><b>%1</b> %2<br><b>%3</b> %4<br><b>PageRank</b> %5<br>"
             "<b>%6</b> %7<br><b>%8</b> %9</p>")
      .arg(UiText(kInDegree), QString::number(m->InDegree[i]), UiText(kOutDegree),
           QString::number(m->OutDegree[i]), QString::number(m->PageRank[i], 'g', 4),
           UiText(kCommunity), QString::number(m->Community[i]), UiText(kComponent),
           QString::number(m->Component[i]));
}
}  // namespace

void DetailsPanel::showProduct(const Catalogue& catalogue, std::int32_t p,
                               const analysis::GraphMeasures* measures) {
  using namespace view_texts;
  const Product& product = catalogue.ProductTable[static_cast<std::size_t>(p)];
  const QString keyWord = KeyWordOf(catalogue, product);
  QString html = Field(kAsin, Escaped(product.ASIN)) +
                 Field(kTitle, TitleOf(product).toHtmlEscaped()) +
                 Field(kSalesRank, SalesRankOf(product)) +
                 Field(kKeyWord, keyWord.isEmpty() ? Text(kNone) : keyWord.toHtmlEscaped()) +
                 Measures(measures, p) + Links(kSimilar, catalogue, product.SimilarIndex) +
                 Links(kReferrers, catalogue, ProductsListing(catalogue, p));
  content_.setText(html);
  place();
  show();
  raise();
}

void DetailsPanel::close() {
  hide();
}

QString DetailsPanel::plainText() const {
  QTextDocument document;
  document.setHtml(content_.text());
  return document.toPlainText();
}

void DetailsPanel::place() {
  const QWidget* parent = parentWidget();
  const int width = std::min(kWidth, parent->width());
  const int top = std::clamp(top_, 0, parent->height());
  setGeometry(parent->width() - width, top, width, parent->height() - top);
}

}  // namespace quillon::grapher
