#include "fetcher/ui/form_main.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <algorithm>

#include "common/texts.h"
#include "common/ui/translation.h"
#include "common/working_folder.h"
#include "fetcher/crawl.h"
#include "fetcher/ui/waiting_list_label.h"

namespace quillon::fetcher {
namespace {

// The progress line's height, and the margin the labels leave at the window's foot.
constexpr int kProgressHeight = 18;
constexpr int kFootMargin = 6;

// Positions and sizes are laid out in twips, 15 to a pixel.
QRect fromTwips(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

QLabel* makeLabel(QLabel* label, const char* name, const QString& text, const QRect& geometry) {
  label->setText(text);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  // The status labels never resize; a fixed size also spares the window a
  // layout request after every text.
  if (geometry.isValid()) label->setFixedSize(geometry.size());
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
      Label1(makeLabel(new QLabel(this), "Label1",
                       UiText(QUILLON_TEXT("quillon", "開始商品のASIN")),
                       fromTwips(1920, 240, 2775, 255))),
      LabelStatus(
          makeLabel(new QLabel(this), "LabelStatus", QString(), fromTwips(0, 960, 9135, 495))),
      LabelStatus2(
          makeLabel(new QLabel(this), "LabelStatus2", QString(), fromTwips(0, 1680, 9135, 255))),
      LabelStatus3(makeLabel(new WaitingListLabel(this), "LabelStatus3", QString(), QRect())),
      WaitingListView(new QScrollArea(this)),
      LabelProgress(makeLabel(new QLabel(this), "LabelProgress", QString(), QRect())),
      programFolder_(std::move(programFolder)),
      clock_(clock),
      host_(*this, *LabelStatus, *LabelStatus2, LabelStatus3),
      runner_(*this, host_),
      requester_(programFolder_, host_, clock, std::move(get)),
      // Right of the ASIN box, where no control lies.
      folderChooser_(*this, fromTwips(5160, 120, 1695, 495),
                     QString::fromStdString(programFolder_)) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowTitle(UiText(kApplicationTitle));
  resize(9120 / 15, 13425 / 15);

  CommandGetSimilarities->setObjectName(QStringLiteral("CommandGetSimilarities"));
  CommandGetSimilarities->setGeometry(fromTwips(120, 120, 1695, 495));
  TextStartProductASIN->setObjectName(QStringLiteral("TextStartProductASIN"));
  TextStartProductASIN->setGeometry(fromTwips(1920, 480, 3015, 270));
  setTabOrder(CommandGetSimilarities, TextStartProductASIN);
  Label1->setBuddy(TextStartProductASIN);

  // The list keeps the label's place, looks and font; only a list longer than
  // the view shows a scroll bar.
  WaitingListView->setObjectName(QStringLiteral("WaitingListView"));
  WaitingListView->setFrameShape(QFrame::NoFrame);
  WaitingListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  WaitingListView->setWidget(LabelStatus3);
  WaitingListView->viewport()->installEventFilter(this);
  WaitingListView->widget()->setAutoFillBackground(false);
  WaitingListView->viewport()->setAutoFillBackground(false);
  LabelProgress->setWordWrap(false);
  host_.fitToView(Label::Status3);
  host_.setProgressLabel(*LabelProgress);
  layOutWaitingList();

  if (const Expected<std::string> last = ReadStartProductAsin(programFolder_))
    TextStartProductASIN->setText(QString::fromStdString(last.value()));

  QObject::connect(CommandGetSimilarities, &QPushButton::clicked, this,
                   [this] { CommandGetSimilarities_Click(); });
  QObject::connect(TextStartProductASIN, &QLineEdit::returnPressed, this, [this] {
    if (CommandGetSimilarities->isEnabled()) CommandGetSimilarities_Click();
  });
}

void FormMain::layOutWaitingList() {
  // At the window's first size the list covers the label's own rectangle,
  // less the progress line; it grows and shrinks with the window from there.
  const QRect first = fromTwips(0, 2160, 9135, 11175);
  const int bottom = height() - kFootMargin - kProgressHeight;
  WaitingListView->setGeometry(first.left(), first.top(), width() + 1,
                               std::max(0, bottom - first.top()));
  LabelProgress->setGeometry(0, bottom, width() + 1, kProgressHeight);
}

bool FormMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == WaitingListView->viewport() && event->type() == QEvent::Resize)
    FitLabelToView(*LabelStatus3);
  return QWidget::eventFilter(watched, event);
}

void FormMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layOutWaitingList();
}

void FormMain::CommandGetSimilarities_Click() {
  const FolderChooser::Busy crawling = folderChooser_.busy();
  CommandGetSimilarities->setEnabled(false);
  TextStartProductASIN->setEnabled(false);
  const std::string startAsin = TextStartProductASIN->text().toStdString();
  if (!runner_.run([&] {
        const CrawlPlace place{host_, clock_, programFolder_, ReadFetcherSettings(programFolder_)};
        if (const Expected<CrawlEnd> crawled = CrawlSimilarProducts(place, requester_, startAsin);
            !crawled)
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
