#include "fetcher/ui/form_main.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <algorithm>
#include <filesystem>

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

// The window's failure prompt: Yes tries again, No ends the program, and the
// third button gives up on the product.
class FormMain::PromptGoOn : public GoOnPolicy {
 public:
  explicit PromptGoOn(FormMain& window) : window_(window) {}
  GoOn decide(const RequestOutcome& last, const ProductTries&) override {
    window_.host_.flushLabels();  // the question is asked over what the crawl has shown so far
    switch (window_.failurePrompt_(GoOnQuestion(window_.host_, last))) {
      case FailureAnswer::GoOn:
        return GoOn::KeepTrying;
      case FailureAnswer::GiveUp:
        return GoOn::GiveUp;
      case FailureAnswer::End:
        break;
    }
    throw EndProgram{};
  }

 private:
  FormMain& window_;
};

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

  // In the row of the start button, right of the folder button, where no control lies.
  CommandStop = new QPushButton(UiText(kStopButtonText), this);
  CommandStop->setObjectName(QStringLiteral("CommandStop"));
  CommandStop->setGeometry(464, 8, 68, 33);
  CommandPause = new QPushButton(UiText(kPauseButtonText), this);
  CommandPause->setObjectName(QStringLiteral("CommandPause"));
  CommandPause->setGeometry(536, 8, 68, 33);
  CommandStop->setEnabled(false);
  CommandPause->setEnabled(false);
  QObject::connect(CommandStop, &QPushButton::clicked, this, [this] { CommandStop_Click(); });
  QObject::connect(CommandPause, &QPushButton::clicked, this, [this] { CommandPause_Click(); });

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

void FormMain::keyPressEvent(QKeyEvent* event) {
  // Esc is Stop, wherever the focus lies: no control of the window takes it.
  if (event->key() == Qt::Key_Escape && CommandStop->isEnabled()) {
    CommandStop_Click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void FormMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layOutWaitingList();
}

bool FormMain::resumeWanted(const std::string& startAsin, const FetcherSettings& settings) {
  const Expected<std::string> last = ReadStartProductAsin(programFolder_);
  std::error_code error;
  const bool earlier =
      last && last.value() == startAsin && IsSafeAsin(startAsin) &&
      std::filesystem::is_regular_file(settings.recordFolder + "/" + startAsin + ".xml", error);
  if (!earlier) return settings.storedRecords.reuse;
  return question_(host_.text(kResumeQuestion), settings.storedRecords.reuse);
}

Expected<CrawlEnd> FormMain::crawl(const std::string& startAsin, const FetcherSettings& settings) {
  control_.reset();
  CommandStop->setEnabled(true);
  CommandPause->setEnabled(true);
  struct Idle {
    FormMain& window;
    ~Idle() {
      window.CommandStop->setEnabled(false);
      window.CommandPause->setEnabled(false);
      window.CommandPause->setText(UiText(kPauseButtonText));
    }
  } idle{*this};
  PromptGoOn goOn(*this);
  CrawlPlace place{host_, clock_, programFolder_, settings, &goOn, &control_};
  return CrawlSimilarProducts(place, requester_, startAsin);
}

void FormMain::CommandGetSimilarities_Click() {
  const FolderChooser::Busy crawling = folderChooser_.busy();
  CommandGetSimilarities->setEnabled(false);
  TextStartProductASIN->setEnabled(false);
  clearLastRun();
  const std::string startAsin = TextStartProductASIN->text().toStdString();
  if (!runner_.run([&] {
        FetcherSettings settings = ReadFetcherSettings(programFolder_);
        settings.storedRecords.reuse = resumeWanted(startAsin, settings);
        for (;;) {
          const Expected<CrawlEnd> crawled = crawl(startAsin, settings);
          if (!crawled) return host_.showFailure(crawled.failure());
          const CrawlEnd& end = crawled.value();
          if (end.givenUp.empty() || end.ending == CrawlEnding::Stopped) return;
          const std::string again =
              FillText(host_.text(kAskAgainPattern),
                       {std::to_string(end.givenUp.size()), GivenUpList(end.givenUp)});
          if (!question_(again, true)) return;
          // The same crawl again from its stored records: only what is missing is asked for.
          settings = ReadFetcherSettings(programFolder_);
          settings.storedRecords.reuse = true;
        }
      }))
    return;
  CommandGetSimilarities->setEnabled(true);
  TextStartProductASIN->setEnabled(true);
}

void FormMain::clearLastRun() {
  // Until its first product is done, the new run would seem to have the old
  // one's counts, list and summary; its first pause can be long.
  for (const Label label : {Label::Status, Label::Status2, Label::Status3})
    host_.setLabel(label, "");
  host_.setProgressLine("");
  host_.flushLabels();
}

void FormMain::CommandStop_Click() {
  control_.requestStop();
  CommandStop->setEnabled(false);
  CommandPause->setEnabled(false);
}

void FormMain::CommandPause_Click() {
  control_.setPaused(!control_.paused());
  CommandPause->setText(UiText(control_.paused() ? kResumeButtonText : kPauseButtonText));
}

void FormMain::Form_QueryUnload() {
  host_.QuitRequested = true;
}

void FormMain::closeEvent(QCloseEvent* event) {
  Form_QueryUnload();
  event->accept();
}

}  // namespace quillon::fetcher
