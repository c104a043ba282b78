#include "fetcher/ui/command_line.h"

#include <unistd.h>

#include <iostream>
#include <utility>

#include "common/numbers.h"
#include "common/program_folder.h"
#include "common/program_usage.h"
#include "common/terminal_host.h"
#include "common/ui/program_options.h"
#include "fetcher/crawl.h"
#include "fetcher/pacing_clock.h"

namespace quillon::fetcher {
namespace {

// The terminal as the crawl's host: the request texts only on a terminal, every
// go-on question answered with "go on" (the policy below decides first).
class HeadlessHost : public Host {
 public:
  HeadlessHost(TerminalHost& terminal, TextTranslator translate)
      : terminal_(terminal), showRequests_(::isatty(STDERR_FILENO) == 1) {
    terminal_.setAnswerer([](std::string_view) { return true; });
    setTranslator(std::move(translate));
  }

  void setLabel(Label label, std::string_view text) override {
    // Two request texts per product would flood a log; the count alone is enough there.
    if (label == Label::Status && !showRequests_) return;
    terminal_.setLabel(label, text);
  }
  void processEvents() override {
    terminal_.processEvents();
    if (terminal_.QuitRequested) QuitRequested = true;
  }
  bool askYesNo(std::string_view text) override { return terminal_.askYesNo(text); }
  void showMessage(std::string_view text) override {
    terminal_.finish();
    terminal_.showMessage(text);
  }
  void showError(std::string_view text) override { terminal_.showError(text); }
  void setProgressLine(std::string_view text) override { terminal_.setProgressLine(text); }

 private:
  TerminalHost& terminal_;
  bool showRequests_;
};

// --retries: goes on until that many decisions in a row are about one product,
// then gives up naming the requests it took and why, in the command line's own
// words. One decision can stand for several requests (the retries of
// RetryCount, a run of invalid answers).
class GiveUpAfter : public GoOnPolicy {
 public:
  GiveUpAfter(Host& host, int retries, Host::TextTranslator ownWords)
      : host_(host), ask_(host), retries_(retries), ownWords_(std::move(ownWords)) {}

  void decide(const RequestOutcome& last, const ProductTries& tries) override {
    if (tries.decisions >= retries_) {
      std::string subject;
      if (last.kind == OutcomeKind::Failure) {
        // The question's first line, worded as the command line's other messages.
        subject = FailureReason(last.result, ownWords_);
        if (!subject.empty()) subject += '\n';
      }
      subject += last.url;
      host_.showError(subject + ": gave up after " + std::to_string(tries.requests) +
                      " failed attempts in a row.");
      throw EndProgram{1};
    }
    ask_.decide(last, tries);
  }

 private:
  Host& host_;
  AskUser ask_;
  int retries_;
  Host::TextTranslator ownWords_;
};

Expected<int> parseCount(std::string_view text) {
  const std::optional<int> value = WholeNumber<int>(text);
  if (!value || *value < 1)
    return Failure{"--retries needs a whole number of at least 1, not \"" + std::string(text) +
                   "\""};
  return *value;
}

// The fetcher's own options, in the order --help lists them.
QList<QCommandLineOption> FetcherOptions() {
  return {
      {"folder",
       "use DIR as the program folder (setting.ini, keywords.txt);\n" +
           QString(kDefaultProgramFolderHelp),
       "DIR"},
      {"start",
       "crawl from ASIN without a window, progress on stderr;\n"
       "without it the window opens",
       "ASIN"},
      {"retries",
       "without a window, give up after N failed retrievals in a row\n"
       "of one product (default 5; ten invalid answers in a row count\n"
       "as one); each retry waits the interval",
       "N"},
      {"resume",
       "without a window, take each product whose record file is\n"
       "there and valid from that file instead of asking again\n"
       "(the window does so when ReuseStoredRecords is True)"},
  };
}

}  // namespace

Expected<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments) {
  ProgramOptions parser(FetcherOptions());
  if (const Status read = parser.read(arguments); !read) return Failure{read.error()};
  if (const QStringList stray = parser.positional(); !stray.isEmpty())
    return Failure{UnexpectedArgumentError(stray.front().toStdString())};
  CommandLine line;
  line.help = parser.helpAsked();
  line.version = parser.versionAsked();
  if (line.help || line.version) return line;
  if (parser.isSet("folder")) line.folder = parser.value("folder");
  if (parser.isSet("start")) line.start = parser.value("start");
  if (parser.isSet("retries")) {
    Expected<int> retries = parseCount(parser.value("retries"));
    if (!retries) return Failure{retries.error()};
    line.retries = retries.value();
  }
  line.resume = parser.isSet("resume");
  if (parser.isSet("retries") && !line.start)
    return Failure{"--retries applies only to a crawl without a window (--start)"};
  if (line.resume && !line.start)
    return Failure{"--resume applies only to a crawl without a window (--start)"};
  return line;
}

std::string HelpText() {
  HelpPage page;
  page.synopses = {"[--folder DIR] [--start ASIN [--retries N] [--resume]]"};
  page.description =
      "Crawls the similar products of a start product from the product web service\n"
      "and stores each answer as a record file for the grapher.";
  page.options = ProgramOptions(FetcherOptions()).helpOptions();
  page.footer =
      "Exit status: 0 when the crawl has finished, 1 on an error, 2 a command line\n"
      "it cannot use, 130 when interrupted.";
  return quillon::HelpText(kProgram, page);
}

int RunHeadlessCrawl(const std::string& folder, const std::string& start, int retries,
                     const HttpGetter& get, bool resume, Host::TextTranslator translate,
                     Host::TextTranslator ownWords) {
  TerminalHost terminal = TerminalHost::forStderr();
  HeadlessHost host(terminal, std::move(translate));
  PacingClock clock;
  ProductRequester requester(folder, host, clock, get);
  GiveUpAfter giveUp(host, retries, std::move(ownWords));
  try {
    CrawlPlace place{host, clock, folder, ReadFetcherSettings(folder), &giveUp};
    // The window's setting is not consulted: a plain run from the command line asks for everything.
    place.settings.storedRecords.reuse = resume;
    const Status crawled = CrawlSimilarProducts(place, requester, start);
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
