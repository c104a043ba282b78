// The Host of the command lines: progress on stderr (one updating line on a
// terminal, sparse lines otherwise), Ctrl-C as the close request.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <string>

#include "common/host.h"

namespace quillon {

class TerminalHost : public Host {
 public:
  // Answers the Yes/No questions that a window would ask; No when unset.
  using Answerer = std::function<bool(std::string_view question)>;

  explicit TerminalHost(std::ostream& out, bool isTerminal);
  ~TerminalHost() override;
  TerminalHost(const TerminalHost&) = delete;
  TerminalHost& operator=(const TerminalHost&) = delete;

  // Stderr, as a terminal when it is one. Installs the Ctrl-C handler.
  static TerminalHost forStderr();

  void setAnswerer(Answerer answerer) { answerer_ = std::move(answerer); }

  void setLabel(Label label, std::string_view text) override;
  void processEvents() override;
  bool askYesNo(std::string_view text) override;
  void showMessage(std::string_view text) override;
  void showError(std::string_view text) override;
  // Shown after the counter, on the terminal line or in the log's counter lines.
  void setProgressLine(std::string_view text) override;

  // Writes the latest progress and ends the updating line; the last progress
  // line (a summary) then gets a line of its own.
  void finish();

 private:
  void show(bool force);
  void endLine();

  std::ostream& out_;
  bool terminal_;
  std::map<Label, std::string> labels_;
  std::string progress_;
  std::string shown_;       // the terminal line, or the last counter line of a log
  std::string shownPhase_;  // the last phase line of a log
  std::int64_t lastShownMs_ = 0;
  bool lineOpen_ = false;
  Answerer answerer_;
};

}  // namespace quillon
