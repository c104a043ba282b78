// The small interface through which the cores talk to their window or terminal.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/failure.h"

namespace quillon {

// The status labels a command writes; the grapher has the first two.
enum class Label { Status, Status2, Status3 };

// Thrown to end the program at once (close request, "No" at a prompt). Only the
// entry points catch it; with CommandCancelled it is one of the two exceptions
// used for control flow.
struct EndProgram {
  int exitCode = 0;
};

class Host {
 public:
  // Gives a fixed text in the user's language.
  using TextTranslator = std::function<std::string(std::string_view source)>;

  virtual ~Host() = default;

  // A fixed text (a QUILLON_TEXT) in the user's language; unchanged while no
  // translator is set. Never for data: ASINs, titles and numbers are shown as they are.
  std::string text(std::string_view source) const { return Translated(translate_, source); }
  // The same through a given translator, for code that holds one without a host.
  static std::string Translated(const TextTranslator& translate, std::string_view source) {
    return translate ? translate(source) : std::string(source);
  }
  void setTranslator(TextTranslator translate) { translate_ = std::move(translate); }

  // Sets a label's text; the text must become visible while the command runs.
  virtual void setLabel(Label label, std::string_view text) = 0;
  // Lets the window system process pending events (close request, resize, repaint).
  virtual void processEvents() = 0;
  // A Yes/No question with the stop icon; true means Yes.
  virtual bool askYesNo(std::string_view text) = 0;
  // An information message with an OK button only and no icon.
  virtual void showMessage(std::string_view text) = 0;
  // A failure the user must read (missing file, unwritable folder, ...).
  virtual void showError(std::string_view text) = 0;
  // The same for a failure not yet worded; in English unless the host words it.
  virtual void showFailure(const Failure& failure) { showError(FailureText(failure)); }
  // The command is about to block for a while (a pause for the user to watch
  // what it drew): everything set so far must be on screen before it does.
  virtual void aboutToPause() {}
  // A line on how far a long command has come (counts, rate, time left), and
  // at its end a summary; shown beside the labels, never in place of one.
  virtual void setProgressLine([[maybe_unused]] std::string_view text) {}

  // Set by the close request and never reset.
  bool QuitRequested = false;

  // Ends the program when the close request has been made.
  void checkQuit() const {
    if (QuitRequested) throw EndProgram{};
  }

 private:
  TextTranslator translate_;
};

}  // namespace quillon
