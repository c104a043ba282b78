// The Host of the window: labels repainted at once, Qt's event pump, and modal
// message boxes captioned with the application title.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/host.h"

class QLabel;
class QWidget;

namespace quillon::fetcher {

inline constexpr std::string_view kApplicationTitle = "Quillon 取得テスト";

class WindowHost : public Host {
 public:
  // Answers a Yes/No question; by default a modal box with the stop icon.
  using Prompt = std::function<bool(std::string_view text)>;
  // Shows a message; by default a modal box with an OK button.
  using Notice = std::function<void(std::string_view text)>;

  WindowHost(QWidget* window, QLabel* status, QLabel* status2, QLabel* status3);

  void setLabel(Label label, std::string_view text) override;
  void processEvents() override;
  bool askYesNo(std::string_view text) override;
  void showMessage(std::string_view text) override;
  void showError(std::string_view text) override;
  std::string missingSettingText(std::string_view path, std::string_view section,
                                 std::string_view key) const override;

  // Replace the modal boxes, so that tests can answer them.
  void setPrompt(Prompt prompt) { prompt_ = std::move(prompt); }
  void setMessageNotice(Notice notice) { message_ = std::move(notice); }
  void setErrorNotice(Notice notice) { error_ = std::move(notice); }

 private:
  QWidget* window_;
  QLabel* labels_[3];
  Prompt prompt_;
  Notice message_;
  Notice error_;
};

}  // namespace quillon::fetcher
