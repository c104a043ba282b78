// The Host of a program's window: status labels, the event pump and modal
// message boxes captioned with the window's title.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "common/failure.h"
#include "common/host.h"

class QLabel;
class QWidget;

namespace quillon {

// Thrown from the event pump when the user cancelled the running command; the
// command runner ends the command there and the window stays usable.
struct CommandCancelled {};

class WindowHost final : public Host {
 public:
  // Answers a Yes/No question; by default a modal box with the stop icon.
  using Prompt = std::function<bool(std::string_view text)>;
  // Shows a message or an error; by default a modal box with an OK button.
  using Notice = std::function<void(std::string_view text)>;

  // status3 may be null for a window with two status labels.
  WindowHost(QWidget& window, QLabel& status, QLabel& status2, QLabel* status3 = nullptr);

  // The label takes the text (CR LF breaks the line) when it is repainted,
  // within kRepaintIntervalMs (kListRepaintIntervalMs for a list, see fitToView),
  // or at once by flushLabels; questions, messages and pauses flush first.
  void setLabel(Label label, std::string_view text) override;
  // Also ends the running command (CommandCancelled) once a cancel was asked
  // for, unless the close request is pending: then the command ends the program.
  void processEvents() override;
  bool askYesNo(std::string_view text) override;
  void showMessage(std::string_view text) override;
  // A box with the warning icon: the window stays usable after a failure.
  void showError(std::string_view text) override;
  // The failure in the window's words, shown as showError shows a text.
  void showFailure(const Failure& failure) override;
  // Puts the latest label texts on screen and runs the pause hook.
  void aboutToPause() override;
  // Shown in the progress label, repainted as the status labels are; ignored
  // without one.
  void setProgressLine(std::string_view text) override;
  void setProgressLabel(QLabel& label);
  // The label is fitted to its view (FitLabelToView) at every repaint, for a
  // long list that scrolls inside a smaller view; it is repainted at most every
  // kListRepaintIntervalMs, since laying out and drawing it costs far more than
  // a line and nobody reads a list that moves faster.
  void fitToView(Label label);

  // Asks the running command to end at its next event pump; the program goes on.
  void requestCancel() { cancelRequested_ = true; }
  // Forgets a cancel that no command saw (it must not end the next one).
  void clearCancel() { cancelRequested_ = false; }

  // Repaints every label whose text changed since its last repaint, now.
  void flushLabels();
  // What else must be on screen before a pause, such as a picture that
  // repaints at a limited rate.
  void setPauseHook(std::function<void()> hook) { pauseHook_ = std::move(hook); }
  // Times a label was actually repainted.
  int labelRepaints() const { return repaints_; }

  // Replace the modal boxes, so that tests can answer them.
  void setPrompt(Prompt prompt) { prompt_ = std::move(prompt); }
  void setMessageNotice(Notice notice) { message_ = std::move(notice); }
  void setErrorNotice(Notice notice) { error_ = std::move(notice); }

  static constexpr int kRepaintIntervalMs = 16;
  static constexpr int kPollIntervalMs = 5;
  static constexpr int kListRepaintIntervalMs = 50;

 private:
  struct Slot {
    QLabel* label = nullptr;
    std::string text;      // as the command gave it, so that an unchanged one costs nothing
    bool pending = false;  // a text not repainted yet
    bool stale = false;    // the label itself is given the text when it is repainted
    bool fitsView = false;
    int intervalMs = kRepaintIntervalMs;  // least time between two of its repaints
    QElapsedTimer sinceRepaint;
  };
  static constexpr int kProgressSlot = 3;

  void setSlotText(Slot& slot, std::string_view text);
  // Whether a text set now may be repainted at once.
  bool isDue(const Slot& slot) const;
  // Repaints the pending labels whose interval is up and schedules the rest.
  void repaintDue();
  void schedule();
  void repaint(Slot& slot);

  QWidget& window_;
  std::array<Slot, 4> slots_;  // the three status labels, then the progress line
  QElapsedTimer sinceFlush_;
  QElapsedTimer sincePoll_;
  QTimer pendingFlush_;
  int repaints_ = 0;
  Prompt prompt_;
  Notice message_;
  Notice error_;
  std::function<void()> pauseHook_;
  bool cancelRequested_ = false;
};

// The label as wide as the view it lies in (its parent) and as high as its
// text, at least the view's height.
void FitLabelToView(QLabel& label);

// A failure that keeps a window from opening, in a box of its own captioned
// with the window's title. Needs a QApplication.
void ShowFailureBox(std::string_view windowTitle, const Failure& failure);

}  // namespace quillon
