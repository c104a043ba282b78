#include "common/terminal_host.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <utility>

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
  if (current == text) return;
  current = std::string(text);
  // In a log every phase gets a line of its own at once; counters come at most once a second.
  show(label == Label::Status && !terminal_);
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

void TerminalHost::setProgressLine(std::string_view text) {
  if (progress_ == text) return;
  progress_ = std::string(text);
  show(false);
}

void TerminalHost::finish() {
  const std::string summary = std::exchange(progress_, {});
  show(true);
  if (!terminal_) show(true);  // a log gets the phase first, then its last counter
  endLine();
  if (!summary.empty()) out_ << summary << '\n' << std::flush;
}

void TerminalHost::show(bool force) {
  const std::string& phase = labels_[Label::Status];
  std::string counter = labels_[Label::Status2];
  if (!progress_.empty()) counter += (counter.empty() ? "" : "  ") + progress_;
  const std::int64_t now = nowMs();
  if (terminal_) {
    std::string line = counter.empty() ? phase : phase + "  " + counter;
    // Redrawn at most ten times a second, always for the final text.
    if (line == shown_ || (!force && now - lastShownMs_ < 100)) return;
    out_ << '\r' << line << "\x1b[K" << std::flush;
    shown_ = std::move(line);
    lastShownMs_ = now;
    lineOpen_ = true;
    return;
  }
  if (force && phase != shownPhase_) {
    out_ << phase << '\n';
    shownPhase_ = phase;
    lastShownMs_ = now;
  } else if (!counter.empty() && counter != shown_ && (force || now - lastShownMs_ >= 1000)) {
    out_ << "  " << counter << '\n';
    shown_ = counter;
    lastShownMs_ = now;
  }
  out_ << std::flush;
}

void TerminalHost::endLine() {
  if (lineOpen_) out_ << '\n' << std::flush;
  lineOpen_ = false;
}

}  // namespace quillon
