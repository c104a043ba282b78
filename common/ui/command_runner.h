// Runs a window's commands so that nothing escapes into Qt's event loop: the
// end of the program hides the window and passes the exit code on, a cancel
// just ends the command, any other failure is shown in an error box and the
// window stays usable.
#pragma once

#include <functional>

class QWidget;

namespace quillon {

class WindowHost;

class CommandRunner {
 public:
  // Receives the exit code when the program must end; by default the event loop ends.
  using ProgramEnder = std::function<void(int exitCode)>;

  CommandRunner(QWidget& window, WindowHost& host);

  void setProgramEnder(ProgramEnder ender) { ender_ = std::move(ender); }

  // Runs command and puts the latest label texts on screen; false when the
  // command ended the program (the caller then leaves its controls alone).
  bool run(const std::function<void()>& command);

 private:
  QWidget& window_;
  WindowHost& host_;
  ProgramEnder ender_;
};

}  // namespace quillon
