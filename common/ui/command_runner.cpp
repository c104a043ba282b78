#include "common/ui/command_runner.h"

#include <QCoreApplication>
#include <QWidget>
#include <exception>

#include "common/ui/window_host.h"
#include "common/ui/window_texts.h"

namespace quillon {

CommandRunner::CommandRunner(QWidget& window, WindowHost& host)
    : window_(window),
      host_(host),
      ender_([](int exitCode) { QCoreApplication::exit(exitCode); }) {}

bool CommandRunner::run(const std::function<void()>& command) {
  try {
    command();
    host_.flushLabels();
    return true;
  } catch (const EndProgram& end) {
    // A command started further out (from the event pump) ends at its next check too.
    host_.QuitRequested = true;
    window_.hide();
    ender_(end.exitCode);
    return false;
  } catch (const CommandCancelled&) {
    // The user stopped it: what it did so far stays, and so does the window.
    host_.flushLabels();
    return true;
  } catch (const std::exception& failure) {
    host_.flushLabels();
    host_.showError(UnexpectedFailureMessage(failure.what()).toStdString());
    return true;
  }
}

}  // namespace quillon
