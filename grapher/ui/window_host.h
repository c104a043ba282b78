// The Host of a window: status labels, the event pump and message boxes. Label
// texts reach the screen at most every 16 ms, but the latest text always does.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <string_view>

#include "common/host.h"

namespace quillon {

class WindowHost final : public Host {
 public:
  // status3 may be null for a window with two status labels.
  WindowHost(QWidget& window, QLabel& status, QLabel& status2, QLabel* status3 = nullptr);

  void setLabel(Label label, std::string_view text) override;
  void processEvents() override;
  bool askYesNo(std::string_view text) override;
  void showMessage(std::string_view text) override;
  void showError(std::string_view text) override;

  // Puts every pending label text on screen now (at the end of a command).
  void flushLabels();
  // Times the labels were actually repainted.
  int labelRepaints() const { return repaints_; }

  static constexpr int kRepaintIntervalMs = 16;

 private:
  struct Slot {
    QLabel* label = nullptr;
    QString text;
    bool pending = false;
  };

  QWidget& window_;
  std::array<Slot, 3> slots_;
  QElapsedTimer sinceFlush_;
  QTimer pendingFlush_;
  int repaints_ = 0;
};

}  // namespace quillon
