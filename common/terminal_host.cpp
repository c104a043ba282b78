#include "terminal_host.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <iostream>

namespace quillon {
namespace {

// Written by the signal handler only; read on the command's thread.
volatile sig_atomic_t interrupted = 0;

void onInterrupt(int) {
  interrupted = 1;
}

std::int64_t nowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TerminalHost::TerminalHost(std::ostream& out, bool isTerminal) : out_(out), terminal_(isTerminal) {}

TerminalHost::~TerminalHost() {
  endLine();
}

TerminalHost TerminalHost::forStderr() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  return TerminalHost(std::cerr, ::isatty(STDERR_FILENO) == 1);
}

void TerminalHost::setLabel(Label label, std::string_view text) {
  std::string& current = labels_[label];
  const bool phaseChanged = label == Label::Status && current != text;
  current = std::string(text);
  show(phaseChanged && !terminal_);
}

void TerminalHost::processEvents() {
  if (interrupted) QuitRequested = true;
}

bool TerminalHost::askYesNo(std::string_view text) {
  endLine();
  const bool yes = answerer_ ? answerer_(text) : false;
  out_ << text << (yes ? " -> yes" : " -> no") << '\n' << std::flush;
  return yes;
}

void TerminalHost::showMessage(std::string_view text) {
  endLine();
  out_ << text << '\n' << std::flush;
}

void TerminalHost::showError(std::string_view text) {
  endLine();
  out_ << "error: " << text << '\n' << std::flush;
}

void TerminalHost::finish() {
  show(true);
  endLine();
}

void TerminalHost::show(bool force) {
  std::string line = labels_[Label::Status];
  if (const std::string& counter = labels_[Label::Status2]; !counter.empty())
    line += "  " + counter;
  if (line == shown_ && !force) return;
  const std::int64_t now = nowMs();
  // A terminal line is redrawn at most ten times a second; a log gets a line a second.
  const std::int64_t spacing = terminal_ ? 100 : 1000;
  if (!force && now - lastShownMs_ < spacing) return;
  if (line == shown_ && force && !terminal_) return;
  lastShownMs_ = now;
  shown_ = line;
  if (terminal_) {
    out_ << '\r' << line << "\x1b[K" << std::flush;
    lineOpen_ = true;
  } else {
    out_ << line << '\n' << std::flush;
  }
}

void TerminalHost::endLine() {
  if (lineOpen_) out_ << '\n' << std::flush;
  lineOpen_ = false;
}

}  // namespace quillon
