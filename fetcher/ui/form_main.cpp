#include "fetcher/ui/form_main.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/texts.h"
#include "common/ui/translation.h"
#include "fetcher/crawl.h"

namespace quillon::fetcher {
namespace {

// Positions and sizes are laid out in twips, 15 to a pixel.
QRect fromTwips(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

FormMain::FormMain(std::string programFolder, HttpGetter get, Clock& clock, QWidget* parent)
    : QWidget(parent),
      CommandGetSimilarities(
          new QPushButton(UiText(QUILLON_TEXT("quillon", "商品データ取得")), this)),
      TextStartProductASIN(new QLineEdit(this)),
      Label1(makeLabel(this, "Label1", UiText(QUILLON_TEXT("quillon", "開始商品のASIN")),
                       fromTwips(1920, 240, 2775, 255))),
      LabelStatus(makeLabel(this, "LabelStatus", QString(), fromTwips(0, 960, 9135, 495))),
      LabelStatus2(makeLabel(this, "LabelStatus2", QString(), fromTwips(0, 1680, 9135, 255))),
      LabelStatus3(makeLabel(this, "LabelStatus3", QString(), fromTwips(0, 2160, 9135, 11175))),
      host_(*this, *LabelStatus, *LabelStatus2, LabelStatus3),
      runner_(*this, host_),
      requester_(std::move(programFolder), host_, clock, std::move(get)) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowTitle(UiText(kApplicationTitle));
  resize(9120 / 15, 13425 / 15);

  CommandGetSimilarities->setObjectName(QStringLiteral("CommandGetSimilarities"));
  CommandGetSimilarities->setGeometry(fromTwips(120, 120, 1695, 495));
  TextStartProductASIN->setObjectName(QStringLiteral("TextStartProductASIN"));
  TextStartProductASIN->setGeometry(fromTwips(1920, 480, 3015, 270));
  setTabOrder(CommandGetSimilarities, TextStartProductASIN);
  Label1->setBuddy(TextStartProductASIN);

  QObject::connect(CommandGetSimilarities, &QPushButton::clicked, this,
                   [this] { CommandGetSimilarities_Click(); });
}

void FormMain::CommandGetSimilarities_Click() {
  CommandGetSimilarities->setEnabled(false);
  TextStartProductASIN->setEnabled(false);
  const std::string startAsin = TextStartProductASIN->text().toStdString();
  if (!runner_.run([&] {
        if (const Status crawled = CrawlSimilarProducts(requester_, startAsin); !crawled)
          host_.showFailure(crawled.failure());
      }))
    return;
  CommandGetSimilarities->setEnabled(true);
  TextStartProductASIN->setEnabled(true);
}

void FormMain::Form_QueryUnload() {
  host_.QuitRequested = true;
}

void FormMain::closeEvent(QCloseEvent* event) {
  Form_QueryUnload();
  event->accept();
}

}  // namespace quillon::fetcher
