#include "fetcher/ui/command_line.h"

#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <iostream>

#include "common/terminal_host.h"
#include "fetcher/crawl.h"
#include "fetcher/pacing_clock.h"

namespace quillon::fetcher {
namespace {

// Answers the failure prompt with "go on" until too many failures in a row hit
// one product; a stored product (a new progress count) starts the count again.
class HeadlessHost : public Host {
 public:
  HeadlessHost(TerminalHost& terminal, int retries)
      : terminal_(terminal), retries_(retries), showRequests_(::isatty(STDERR_FILENO) == 1) {
    terminal_.setAnswerer([](std::string_view) { return true; });
  }

  void setLabel(Label label, std::string_view text) override {
    if (label == Label::Status2) failuresInARow_ = 0;
    // Two request texts per product would flood a log; the count alone is enough there.
    if (label == Label::Status && !showRequests_) return;
    terminal_.setLabel(label, text);
  }
  void processEvents() override {
    terminal_.processEvents();
    if (terminal_.QuitRequested) QuitRequested = true;
  }
  bool askYesNo(std::string_view text) override {
    if (++failuresInARow_ >= retries_) {
      terminal_.showError(std::string(text.substr(0, text.size() - kFailurePromptTail.size())) +
                          ": gave up after " + std::to_string(failuresInARow_) +
                          " failed attempts in a row.");
      throw EndProgram{1};
    }
    return terminal_.askYesNo(text);
  }
  void showMessage(std::string_view text) override {
    terminal_.finish();
    terminal_.showMessage(text);
  }
  void showError(std::string_view text) override { terminal_.showError(text); }

 private:
  TerminalHost& terminal_;
  int retries_;
  bool showRequests_;
  int failuresInARow_ = 0;
};

Expected<int> parseCount(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1)
    return Failure{"--retries needs a whole number of at least 1, not \"" + std::string(text) +
                   "\"."};
  return value;
}

}  // namespace

Expected<CommandLine> ParseCommandLine(std::span<const std::string_view> arguments) {
  CommandLine line;
  bool retriesGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view option = arguments[i];
    std::optional<std::string_view> value;
    if (const std::size_t equals = option.find('=');
        option.starts_with("--") && equals != option.npos) {
      value = option.substr(equals + 1);
      option = option.substr(0, equals);
    }
    if (option == "--help" || option == "-h") {
      line.help = true;
      continue;
    }
    if (option != "--folder" && option != "--start" && option != "--retries")
      return Failure{"Unknown argument \"" + std::string(arguments[i]) + "\"."};
    if (!value) {
      if (i + 1 >= arguments.size())
        return Failure{"The option " + std::string(option) + " needs a value."};
      value = arguments[++i];
    }
    if (option == "--folder") {
      line.folder = std::string(*value);
    } else if (option == "--start") {
      line.start = std::string(*value);
    } else {
      Expected<int> retries = parseCount(*value);
      if (!retries) return Failure{retries.error()};
      line.retries = retries.value();
      retriesGiven = true;
    }
  }
  if (retriesGiven && !line.start)
    return Failure{"--retries applies only to a crawl without a window (--start)."};
  if (line.folder && !std::filesystem::is_directory(*line.folder))
    return Failure{"The folder " + *line.folder + " does not exist."};
  return line;
}

std::string HelpText() {
  return "Usage: fetcher [--folder DIR] [--start ASIN [--retries N]]\n"
         "\n"
         "Crawls the similar products of a start product from the product web service\n"
         "and stores each answer as a record file for the grapher.\n"
         "\n"
         "  --folder DIR   use DIR as the program folder (setting.ini, keywords.txt);\n"
         "                 default: the folder that holds the fetcher\n"
         "  --start ASIN   crawl from ASIN without a window, progress on stderr;\n"
         "                 without it the window opens\n"
         "  --retries N    without a window, give up after N failed retrievals in a row\n"
         "                 of one product (default 5); each retry waits the interval\n"
         "  -h, --help     show this text\n"
         "\n"
         "Exit status: 0 when the crawl has finished, 1 on an error, 130 when interrupted.\n";
}

int RunHeadlessCrawl(const std::string& folder, const std::string& start, int retries,
                     const HttpGetter& get) {
  TerminalHost terminal = TerminalHost::forStderr();
  HeadlessHost host(terminal, retries);
  PacingClock clock;
  ProductRequester requester(folder, host, clock, get);
  try {
    const Status crawled = CrawlSimilarProducts(requester, start);
    if (!crawled) {
      host.showError(crawled.error());
      return 1;
    }
    return 0;
  } catch (const EndProgram& end) {
    if (end.exitCode != 0) return end.exitCode;
    host.showError("Interrupted; the record files written so far are kept.");
    return kInterruptedExitCode;
  } catch (const std::exception& failure) {
    host.showError(failure.what());
    return 1;
  }
}

}  // namespace quillon::fetcher
