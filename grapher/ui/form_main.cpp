#include "grapher/ui/form_main.h"

#include <QCloseEvent>
#include <QIcon>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "common/texts.h"
#include "common/ui/translation.h"
#include "grapher/catalogue/load_product_data.h"
#include "grapher/commands/keyword_graph.h"
#include "grapher/commands/similarity_graph.h"

namespace quillon::grapher {
namespace {

// Control geometry in pixels (15 twips each).
constexpr int kGraphLeft = 0;
constexpr int kGraphTop = 104;
constexpr int kInnerWidth = 844;
constexpr int kInnerHeight = 668;

void Place(QWidget& widget, const char* name, int left, int top, int width, int height) {
  widget.setObjectName(QString::fromLatin1(name));
  widget.setGeometry(left, top, width, height);
}

}  // namespace

FormMain::FormMain(std::string programFolder, std::optional<std::uint32_t> seed, QWidget* parent)
    : QWidget(parent),
      CommandDrawGraphAlt(UiText(QUILLON_TEXT("quillon", "zzzzグラフ作成")), this),
      CommandGetData(UiText(QUILLON_TEXT("quillon", "商品データ読込")), this),
      LabelStatus(this),
      LabelStatus2(this),
      Graph(this),
      CommandDrawGraph(UiText(QUILLON_TEXT("quillon", "グラフ作成")), this),
      host_(*this, LabelStatus, LabelStatus2),
      runner_(*this, host_),
      programFolder_(std::move(programFolder)),
      directions_(RandomSource(seed)) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowTitle(UiText(kApplicationTitle));
  setWindowIcon(QIcon(QStringLiteral(":/grapher/grapher.png")));
  resize(kInnerWidth, kInnerHeight);

  Place(CommandDrawGraphAlt, "CommandDrawGraphAlt", 264, 8, 113, 33);
  Place(CommandGetData, "CommandGetData", 8, 8, 113, 33);
  Place(LabelStatus, "LabelStatus", 0, 48, 1073, 17);
  Place(LabelStatus2, "LabelStatus2", 0, 80, 1073, 17);
  Place(Graph, "Graph", kGraphLeft, kGraphTop, kInnerWidth - kGraphLeft, kInnerHeight - kGraphTop);
  Place(CommandDrawGraph, "CommandDrawGraph", 136, 8, 113, 33);
  Graph.surface().resize(Graph.size());

  CommandDrawGraphAlt.setEnabled(false);
  CommandDrawGraphAlt.setVisible(false);
  CommandDrawGraph.setEnabled(false);

  setTabOrder(&CommandDrawGraphAlt, &CommandGetData);
  setTabOrder(&CommandGetData, &LabelStatus);
  setTabOrder(&LabelStatus, &LabelStatus2);
  setTabOrder(&LabelStatus2, &Graph);
  setTabOrder(&Graph, &CommandDrawGraph);

  // A pause must not hide the picture just drawn behind the repaint limit.
  host_.setPauseHook([this] { Graph.showNow(); });

  connect(&CommandGetData, &QPushButton::clicked, this, [this] { CommandGetData_Click(); });
  connect(&CommandDrawGraph, &QPushButton::clicked, this, [this] { CommandDrawGraph_Click(); });
  connect(&CommandDrawGraphAlt, &QPushButton::clicked, this,
          [this] { CommandDrawGraphAlt_Click(); });
}

FormMain::~FormMain() = default;

void FormMain::CommandGetData_Click() {
  CommandGetData.setEnabled(false);
  const bool wasLoading = loading_;
  loading_ = true;
  Status result = Success();
  const bool running =
      runner_.run([this, &result] { result = LoadProductData(programFolder_, catalogue_, host_); });
  loading_ = wasLoading;
  if (!running) return;
  CommandGetData.setEnabled(true);
  if (!result) {
    host_.showFailure(result.failure());
    return;
  }
  setDrawingButtons(true);
}

void FormMain::setDrawingButtons(bool enabled) {
  CommandDrawGraph.setEnabled(enabled);
  CommandDrawGraphAlt.setEnabled(enabled);
}

void FormMain::CommandDrawGraph_Click() {
  CommandGetData.setEnabled(false);
  setDrawingButtons(false);
  if (!runner_.run([this] {
        if (!catalogue_.ProductTable.empty())
          DrawSimilarityGraph(programFolder_, catalogue_, directions_, Graph.surface(), host_,
                              *clock_);
      }))
    return;
  // A load interrupted by this drawing keeps its button off until it ends.
  CommandGetData.setEnabled(!loading_);
  setDrawingButtons(true);
}

void FormMain::CommandDrawGraphAlt_Click() {
  CommandGetData.setEnabled(false);
  setDrawingButtons(false);
  Status result = Success();
  if (!runner_.run([this, &result] {
        result = DrawKeyWordGraph(programFolder_, catalogue_, directions_, Graph.surface(), host_);
      }))
    return;
  CommandGetData.setEnabled(!loading_);
  setDrawingButtons(true);
  if (!result) host_.showFailure(result.failure());
}

void FormMain::Form_QueryUnload() {
  host_.QuitRequested = true;
}

void FormMain::closeEvent(QCloseEvent* event) {
  Form_QueryUnload();
  event->accept();
}

void FormMain::Form_Resize() {
  const float width = static_cast<float>(this->width()) - static_cast<float>(Graph.x());
  const float height = static_cast<float>(this->height()) - static_cast<float>(Graph.y());
  // A window smaller than Graph's corner (minimised) gives Graph no area, never a negative one.
  const QSize size(std::max(0, static_cast<int>(std::lround(width))),
                   std::max(0, static_cast<int>(std::lround(height))));
  Graph.resize(size);
  Graph.surface().resize(size);
}

void FormMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

}  // namespace quillon::grapher
